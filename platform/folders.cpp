#include "folders.h"

#include "app_error.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

fs::path executablePath() {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path{} : path;
}

fs::path userDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "tarvix-4140";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "tarvix-4140";
}

namespace {
fs::path ensureFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw fileError(error ? error.value() : ENOTDIR, folder.string(), "resolveFolders");
    return fs::absolute(folder).lexically_normal();
}

bool writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }
} // namespace

ProgramFolders resolveFolders(const fs::path& executable,
                              const std::optional<fs::path>& chosenProgramFolder) {
    const fs::path binFolder = fs::absolute(executable).parent_path();
    ProgramFolders folders;
    folders.install = binFolder.parent_path();
    if (chosenProgramFolder)
        folders.program = ensureFolder(*chosenProgramFolder);
    else if (writable(binFolder))
        folders.program = binFolder;
    else
        folders.program = ensureFolder(userDataFolder());
    return folders;
}

namespace {
ProgramFolders& theFolders() {
    static ProgramFolders folders;
    return folders;
}
} // namespace

const ProgramFolders& programFolders() { return theFolders(); }

void setProgramFolders(ProgramFolders folders) { theFolders() = std::move(folders); }

} // namespace platform
