#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// A file of this name beside the executable makes the executable's folder the program folder: the
// build tree writes one, and an unpacked copy that should keep its files with it may carry one.
inline constexpr const char* kPortableMarker = "tarvix-4140.portable";

// Where the program's files live. The install folder holds what ships (bin/, the libraries, the
// data folder with the help guide and example configurations); the program folder holds what the
// program writes and reads back (settings files, config/, data/, logs/).
struct ProgramFolders {
    std::filesystem::path install;
    std::filesystem::path program;

    std::filesystem::path binFolder() const { return install / "bin"; }
    // Libraries only the program loads, the simulator among them; never on the loader's path.
    std::filesystem::path privateLibFolder() const { return install / "lib" / "tarvix-4140"; }
    std::filesystem::path dataFolder() const { return install / "share" / "tarvix-4140"; }
};

// The running executable's path (from /proc/self/exe).
std::filesystem::path executablePath();

// The per-user data folder: $XDG_DATA_HOME/tarvix-4140 when that is an absolute path, else
// tarvix-4140 under the home folder's .local/share ($HOME, else the account's home folder).
// Without any home folder it raises an AppError.
std::filesystem::path userDataFolder();

// The program folder is the chosen folder when one is given, else the executable's folder when
// the portable marker stands in it, else the per-user data folder, so an installed program never
// writes beside its executable, even when it could. The program folder is created when missing;
// failing that raises an AppError.
ProgramFolders resolveFolders(const std::filesystem::path& executable,
                              const std::optional<std::filesystem::path>& chosenProgramFolder);

// The folders resolved once at start-up, for every module to read.
const ProgramFolders& programFolders();
void setProgramFolders(ProgramFolders folders);

} // namespace platform
