#pragma once

// A temporary program folder (and install folder) for one test, with the application-wide
// configuration path cleared; the previous folders and path come back afterwards.

#include "platform/folders.h"
#include "settings/current_config_path.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <string>

namespace apptest {

class ScopedProgramFolder {
public:
    ScopedProgramFolder()
        : previousFolders_(platform::programFolders()),
          previousPath_(settings::CurrentConfigPath()) {
        std::filesystem::create_directories(program());
        std::filesystem::create_directories(install());
        platform::setProgramFolders({install(), program()});
        settings::CurrentConfigPath().clear();
    }
    ~ScopedProgramFolder() {
        platform::setProgramFolders(previousFolders_);
        settings::CurrentConfigPath() = previousPath_;
    }
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

    std::filesystem::path program() const { return temp_ / "program"; }
    std::filesystem::path install() const { return temp_ / "install"; }
    std::filesystem::path operator/(const std::string& name) const { return program() / name; }

private:
    testsupport::TempFolder temp_;
    platform::ProgramFolders previousFolders_;
    std::string previousPath_;
};

} // namespace apptest
