#pragma once

// A temporary program folder (and install folder) for one test.

#include "platform/folders.h"
#include "support/scoped_program_folders.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <string>

namespace apptest {

class ScopedProgramFolder {
public:
    ScopedProgramFolder() {
        std::filesystem::create_directories(program());
        std::filesystem::create_directories(install());
    }
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

    std::filesystem::path program() const { return temp_ / "program"; }
    std::filesystem::path install() const { return temp_ / "install"; }
    std::filesystem::path operator/(const std::string& name) const { return program() / name; }

private:
    testsupport::TempFolder temp_;
    testsupport::ScopedProgramFolders folders_{install(), program()};
};

} // namespace apptest
