#include "xdg_open_launcher.h"

#include "diagnostics/shell_errors.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace diagnostics {

namespace {
constexpr const char* kOpener = "xdg-open";
constexpr int kOpenerSucceeded = 0;
constexpr int kOpenerFileNotFound = 2;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

bool isOpenVerb(std::string verb) {
    std::transform(verb.begin(), verb.end(), verb.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return verb.empty() || verb == "open";
}

// "https://...", "mailto:..." and the like are for the opener to resolve, not files to check.
bool looksLikeUrl(const std::string& file) {
    const std::size_t colon = file.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    return std::all_of(
        file.begin(), file.begin() + static_cast<std::ptrdiff_t>(colon),
        [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; });
}

int resultForAccessError(int error) {
    switch (error) {
    case ENOENT:
        return shellcode::FileNotFound;
    case ENOTDIR:
        return shellcode::PathNotFound;
    case EACCES:
    case EPERM:
        return shellcode::AccessDenied;
    case ENOMEM:
        return shellcode::OutOfMemory;
    default:
        return shellcode::PathNotFound;
    }
}

// The shell result code when the request cannot be handed over at all.
std::optional<int> refusal(const ShellRequest& request) {
    struct stat info {};
    if (!request.directory.empty()) {
        if (::stat(request.directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return shellcode::PathNotFound;
    }
    if (looksLikeUrl(request.file))
        return std::nullopt;
    if (request.file.empty())
        return shellcode::FileNotFound;
    const std::string path = request.file.front() == '/' || request.directory.empty()
                                 ? request.file
                                 : request.directory + "/" + request.file;
    if (::stat(path.c_str(), &info) != 0)
        return resultForAccessError(errno);
    if (::access(path.c_str(), R_OK) != 0)
        return resultForAccessError(errno);
    return std::nullopt;
}

// A file name starting with '-' would be read as an option of the opener.
std::string openerArgument(const std::string& file) {
    return !file.empty() && file.front() == '-' ? "./" + file : file;
}

int shellResultForOpenerExit(int exitCode) {
    switch (exitCode) {
    case kOpenerSucceeded:
        return shellcode::Accepted;
    case kOpenerFileNotFound:
        return shellcode::FileNotFound;
    default:
        return shellcode::NoAssociation;
    }
}
} // namespace

XdgOpenLauncher::XdgOpenLauncher(std::chrono::milliseconds waitBound) : waitBound_(waitBound) {}

XdgOpenLauncher::~XdgOpenLauncher() {
    reapFinishedOpeners();
}

int XdgOpenLauncher::execute(const ShellRequest& request) {
    reapFinishedOpeners();
    if (!isOpenVerb(request.operation) || !request.parameters.empty())
        return shellcode::NoAssociation;
    if (const std::optional<int> refused = refusal(request))
        return *refused;
    return runOpener(request);
}

int XdgOpenLauncher::runOpener(const ShellRequest& request) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!request.directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.directory.c_str());
    std::string program = kOpener;
    std::string argument = openerArgument(request.file);
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int spawnError = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0)
        return spawnError == ENOMEM ? shellcode::OutOfMemory : shellcode::NoAssociation;

    const auto deadline = std::chrono::steady_clock::now() + waitBound_;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? shellResultForOpenerExit(WEXITSTATUS(status))
                                     : shellcode::NoAssociation;
        if (done < 0)
            return shellcode::NoAssociation;
        if (std::chrono::steady_clock::now() >= deadline) {
            stillRunning_.push_back(pid);
            return shellcode::Accepted;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void XdgOpenLauncher::reapFinishedOpeners() {
    std::erase_if(stillRunning_, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

} // namespace diagnostics
