#pragma once

#include "platform/folders.h"

#include <filesystem>

namespace testsupport {

// Program folders of a test's own while it lives; afterwards none are chosen again, so a test
// that has none of its own cannot read or write the program's files anywhere.
class ScopedProgramFolders {
public:
    ScopedProgramFolders(const std::filesystem::path& install,
                         const std::filesystem::path& program) {
        platform::setProgramFolders({install, program});
    }
    ~ScopedProgramFolders() { platform::setProgramFolders({}); }
    ScopedProgramFolders(const ScopedProgramFolders&) = delete;
    ScopedProgramFolders& operator=(const ScopedProgramFolders&) = delete;
};

} // namespace testsupport
