#include "app/startup.h"

#include "settings/current_config_path.h"

namespace app {

settings::AppSettings PrepareAppSettings(const platform::ProgramFolders& folders) {
    settings::SeedProgramFolder(folders.program, folders.dataFolder() / "config");
    settings::AppSettings stored = settings::LoadAppSettings(folders.program);
    settings::CurrentConfigPath() = stored.currentConfigPath;
    return stored;
}

} // namespace app
