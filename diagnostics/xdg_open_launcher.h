#pragma once

#include "diagnostics/shell_launcher.h"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diagnostics {

// Opens documents with the desktop's opener (xdg-open). The opener runs in the requested working
// folder; the program waits for its verdict at most `waitBound`, because on some desktops the
// opener stays in the foreground as long as the application it started. Still running when the
// wait ends means the document was handed over.
//
// Outcomes as shell result codes: a missing file 2, a missing working folder 3, an unreadable
// file 5; the opener's own exit codes 2 (file not found) as 2, and 1, 3, 4 or a missing opener as
// 31. Only opening is supported: another verb, or command-line parameters (which the opener
// cannot pass on), give 31.
class XdgOpenLauncher final : public ShellLauncher {
public:
    explicit XdgOpenLauncher(std::chrono::milliseconds waitBound = std::chrono::seconds(3));
    ~XdgOpenLauncher() override;
    XdgOpenLauncher(const XdgOpenLauncher&) = delete;
    XdgOpenLauncher& operator=(const XdgOpenLauncher&) = delete;

    int execute(const ShellRequest& request) override;

private:
    int runOpener(const ShellRequest& request);
    void reapFinishedOpeners();

    std::chrono::milliseconds waitBound_;
    std::vector<pid_t> stillRunning_;
};

} // namespace diagnostics
