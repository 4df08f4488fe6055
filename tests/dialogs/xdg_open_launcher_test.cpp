#include "diagnostics/xdg_open_launcher.h"

#include "diagnostics/gshell.h"
#include "diagnostics/shell_errors.h"
#include "platform/app_error.h"
#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace diagnostics;
using namespace std::chrono_literals;

// A fake xdg-open first on PATH, in a temporary folder with a document to open. The fake writes
// its working folder and arguments to call.txt and exits with the code it was made with.
class XdgOpenLauncherTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = temp_.path();
        fs::create_directories(folder_ / "bin");
        fs::create_directories(folder_ / "docs");
        std::ofstream(folder_ / "docs" / "help.doc") << "help";
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        ::setenv("PATH", ((folder_ / "bin").string() + ":" + savedPath_).c_str(), 1);
    }

    void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

    void installOpener(const std::string& body) {
        const fs::path script = folder_ / "bin" / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\n"
                              << "{ pwd -P; printf '%s\\n' \"$@\"; } > '" << callLog().string()
                              << "'\n"
                              << body << '\n';
        fs::permissions(script, fs::perms::owner_all);
    }
    void installOpenerExiting(int code) { installOpener("exit " + std::to_string(code)); }

    fs::path callLog() const { return folder_ / "call.txt"; }
    bool openerRan() const { return fs::exists(callLog()); }
    std::string recordedCall() const {
        std::ifstream in(callLog());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path docs() const { return fs::canonical(folder_ / "docs"); }

    static ShellRequest openRequest(const std::string& file, const std::string& directory = {}) {
        return {0, "open", file, {}, directory, showstate::Normal};
    }

    testsupport::TempFolder temp_;
    fs::path folder_;
    std::string savedPath_;
};

TEST_F(XdgOpenLauncherTest, TheOpenersExitCodesBecomeShellResults) {
    const std::pair<int, int> cases[] = {{0, shellcode::Accepted},
                                         {1, shellcode::NoAssociation},
                                         {2, shellcode::FileNotFound},
                                         {3, shellcode::NoAssociation},
                                         {4, shellcode::NoAssociation}};
    for (const auto& [exitCode, expected] : cases) {
        SCOPED_TRACE(exitCode);
        installOpenerExiting(exitCode);
        XdgOpenLauncher launcher;
        EXPECT_EQ(launcher.execute(openRequest((docs() / "help.doc").string())), expected);
    }
}

TEST_F(XdgOpenLauncherTest, TheOpenerGetsTheFileAndRunsInTheWorkingFolder) {
    installOpenerExiting(0);
    XdgOpenLauncher launcher;
    EXPECT_EQ(launcher.execute(openRequest("help.doc", docs().string())), shellcode::Accepted);
    EXPECT_EQ(recordedCall(), docs().string() + "\nhelp.doc\n");
}

TEST_F(XdgOpenLauncherTest, AFileNamedLikeAnOptionIsPassedAsAPath) {
    std::ofstream(docs() / "-h") << "x";
    installOpenerExiting(0);
    XdgOpenLauncher launcher;
    EXPECT_EQ(launcher.execute(openRequest("-h", docs().string())), shellcode::Accepted);
    EXPECT_EQ(recordedCall(), docs().string() + "\n./-h\n");
}

TEST_F(XdgOpenLauncherTest, AMissingOpenerIsNoApplication) {
    XdgOpenLauncher launcher; // nothing installed in bin/, and the real one comes later on PATH
    ::setenv("PATH", (folder_ / "bin").string().c_str(), 1);
    EXPECT_EQ(launcher.execute(openRequest((docs() / "help.doc").string())),
              shellcode::NoAssociation);
}

TEST_F(XdgOpenLauncherTest, MissingFilesAndFoldersAreReportedWithoutStartingTheOpener) {
    installOpenerExiting(0);
    XdgOpenLauncher launcher;
    EXPECT_EQ(launcher.execute(openRequest((docs() / "nothing.doc").string())),
              shellcode::FileNotFound);
    EXPECT_EQ(launcher.execute(openRequest("")), shellcode::FileNotFound);
    EXPECT_EQ(launcher.execute(openRequest("help.doc", (folder_ / "absent").string())),
              shellcode::PathNotFound);
    EXPECT_EQ(launcher.execute(openRequest((docs() / "help.doc" / "x").string())),
              shellcode::PathNotFound);
    EXPECT_FALSE(openerRan());
}

// Root reads every file, so a superuser (as CI runs) checks from a child that has given up root.
int withoutRoot(const std::function<int()>& action) {
    if (::geteuid() != 0)
        return action();
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(255);
        ::_exit(action());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(XdgOpenLauncherTest, AnUnreadableFileIsAccessDenied) {
    installOpenerExiting(0);
    const fs::path secret = docs() / "secret.doc";
    std::ofstream(secret) << "x";
    fs::permissions(secret, fs::perms::none);
    for (const fs::path& folder : {folder_, docs()})
        fs::permissions(folder,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    XdgOpenLauncher launcher;
    EXPECT_EQ(withoutRoot([&] { return launcher.execute(openRequest(secret.string())); }),
              shellcode::AccessDenied);
    EXPECT_FALSE(openerRan());
}

TEST_F(XdgOpenLauncherTest, OnlyOpeningWithoutParametersIsSupported) {
    installOpenerExiting(0);
    XdgOpenLauncher launcher;
    const std::string file = (docs() / "help.doc").string();
    EXPECT_EQ(launcher.execute({0, "print", file, {}, {}, 1}), shellcode::NoAssociation);
    EXPECT_EQ(launcher.execute({0, "open", file, "-x", {}, 1}), shellcode::NoAssociation);
    EXPECT_FALSE(openerRan());
    EXPECT_EQ(launcher.execute({0, "OPEN", file, {}, {}, 1}), shellcode::Accepted);
    EXPECT_EQ(launcher.execute({0, "", file, {}, {}, 1}), shellcode::Accepted);
}

TEST_F(XdgOpenLauncherTest, AddressesGoToTheOpenerUnchecked) {
    installOpenerExiting(0);
    XdgOpenLauncher launcher;
    EXPECT_EQ(launcher.execute(openRequest("https://example.org/guide")), shellcode::Accepted);
    EXPECT_NE(recordedCall().find("https://example.org/guide"), std::string::npos);
}

TEST_F(XdgOpenLauncherTest, AnOpenerStillRunningAfterTheWaitHasTakenTheDocument) {
    installOpener("exec sleep 1 >/dev/null 2>&1");
    XdgOpenLauncher launcher(50ms);
    EXPECT_EQ(launcher.execute(openRequest((docs() / "help.doc").string())), shellcode::Accepted);
}

TEST_F(XdgOpenLauncherTest, GShellReportsTheOpenersFailure) {
    installOpenerExiting(2);
    XdgOpenLauncher launcher;
    platform::clearCurrentError();
    EXPECT_FALSE(GShell(launcher, (docs() / "help.doc").string(), showstate::ShowDefault, "", "",
                        "open", 0));
    EXPECT_EQ(platform::currentError().number, 53);
    EXPECT_EQ(platform::currentError().description, "File not found");
}

} // namespace
