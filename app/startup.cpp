#include "app/startup.h"

#include "settings/form_utility.h"

namespace app {

namespace {

// Names once lost characters such as ":" on the way to the disk; a stored configuration whose
// file only exists under that cleaned name is found there, so nobody's last set-up disappears.
std::string existingConfigPath(const std::string& stored) {
    if (stored.empty() || FormUtility::FileExists(FormUtility::CleanPath(stored)))
        return stored;
    const std::string once = FormUtility::LegacyCleanPath(stored);
    return FormUtility::FileExists(once) ? once : stored;
}

} // namespace

settings::AppSettings PrepareAppSettings(const platform::ProgramFolders& folders) {
    settings::SeedProgramFolder(folders.program, folders.dataFolder() / "config");
    settings::AppSettings stored = settings::LoadAppSettings(folders.program);
    stored.currentConfigPath = existingConfigPath(stored.currentConfigPath);
    return stored;
}

} // namespace app
