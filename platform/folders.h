#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// Where the program's files live. The install folder holds what ships (bin/, lib/ and the data
// folder with the help guide and example configurations); the program folder holds what the
// program writes and reads back (settings files, config/, data/, logs/).
struct ProgramFolders {
    std::filesystem::path install;
    std::filesystem::path program;

    std::filesystem::path binFolder() const { return install / "bin"; }
    std::filesystem::path libFolder() const { return install / "lib"; }
    std::filesystem::path dataFolder() const { return install / "share" / "tarvix-4140"; }
};

// The running executable's path (from /proc/self/exe).
std::filesystem::path executablePath();

// The per-user data folder: $XDG_DATA_HOME/tarvix-4140, else ~/.local/share/tarvix-4140.
std::filesystem::path userDataFolder();

// The program folder is the chosen folder when one is given, else the executable's folder when
// it is writable (a build tree or an unpacked copy), else the per-user data folder. The chosen
// folder is created when missing; failing that raises an AppError.
ProgramFolders resolveFolders(const std::filesystem::path& executable,
                              const std::optional<std::filesystem::path>& chosenProgramFolder);

// The folders resolved once at start-up, for every module to read.
const ProgramFolders& programFolders();
void setProgramFolders(ProgramFolders folders);

} // namespace platform
