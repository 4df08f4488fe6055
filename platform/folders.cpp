#include "folders.h"

#include "app_error.h"

#include <cstdlib>
#include <pwd.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {
// The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
std::optional<fs::path> xdgDataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (!xdg || !fs::path(xdg).is_absolute())
        return std::nullopt;
    return fs::path(xdg);
}

// A service or a cron job may start the program without HOME; the account still has a home.
fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && fs::path(home).is_absolute())
        return home;
    if (const passwd* account = ::getpwuid(::getuid());
        account && account->pw_dir && fs::path(account->pw_dir).is_absolute())
        return account->pw_dir;
    throw AppError(errnum::PathNotFound,
                   "No home folder for the program's files: set HOME or choose one with --app-dir",
                   "userDataFolder");
}

fs::path ensureFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw fileError(error ? error.value() : ENOTDIR, folder.string(), "resolveFolders");
    return fs::absolute(folder).lexically_normal();
}

bool portable(const fs::path& binFolder) {
    std::error_code error;
    return fs::is_regular_file(binFolder / kPortableMarker, error);
}

ProgramFolders& theFolders() {
    static ProgramFolders folders;
    return folders;
}
} // namespace

fs::path executablePath() {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path{} : path;
}

fs::path userDataFolder() {
    if (const std::optional<fs::path> xdg = xdgDataHome())
        return *xdg / "tarvix-4140";
    return homeFolder() / ".local" / "share" / "tarvix-4140";
}

ProgramFolders resolveFolders(const fs::path& executable,
                              const std::optional<fs::path>& chosenProgramFolder) {
    const fs::path binFolder = fs::absolute(executable).parent_path();
    ProgramFolders folders;
    folders.install = binFolder.parent_path();
    if (chosenProgramFolder)
        folders.program = ensureFolder(*chosenProgramFolder);
    else if (portable(binFolder))
        folders.program = binFolder;
    else
        folders.program = ensureFolder(userDataFolder());
    return folders;
}

// Nothing may read or write files relative to whatever folder the process happens to be in.
const ProgramFolders& programFolders() {
    if (theFolders().program.empty())
        throw std::logic_error("the program folder is used before it was chosen");
    return theFolders();
}

void setProgramFolders(ProgramFolders folders) {
    theFolders() = std::move(folders);
}

} // namespace platform
