#include "diagnostics/gshell.h"

#include "diagnostics/shell_errors.h"
#include "platform/app_error.h"
#include "platform/folders.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

using namespace diagnostics;

// Records every request and answers with a fixed result code.
class FakeLauncher final : public ShellLauncher {
public:
    explicit FakeLauncher(int result) : result_(result) {}
    int execute(const ShellRequest& request) override {
        requests.push_back(request);
        return result_;
    }
    std::vector<ShellRequest> requests;

private:
    int result_;
};

class ThrowingLauncher final : public ShellLauncher {
public:
    int execute(const ShellRequest&) override { throw std::runtime_error("no"); }
};

class GShellTest : public testing::Test {
protected:
    void SetUp() override { platform::clearCurrentError(); }
};

TEST_F(GShellTest, WithoutParametersOrFolderTheDocumentOpensInANormalWindow) {
    for (std::int32_t asked : {showstate::Hidden, showstate::ShowDefault, 3}) {
        FakeLauncher launcher(42);
        EXPECT_TRUE(GShell(launcher, "/opt/t/help.doc", asked, "", "", "open", 7));
        ASSERT_EQ(launcher.requests.size(), 1u);
        const ShellRequest& request = launcher.requests.front();
        EXPECT_EQ(request.showState, showstate::Normal);
        EXPECT_EQ(request.file, "/opt/t/help.doc");
        EXPECT_EQ(request.operation, "open");
        EXPECT_EQ(request.ownerWindow, 7u);
        EXPECT_TRUE(request.parameters.empty());
        EXPECT_TRUE(request.directory.empty());
    }
}

TEST_F(GShellTest, EvenAProgramWithoutParametersOrFolderOpensNormally) {
    EXPECT_EQ(shellRequestFor("setup.exe", 10, "", "", "open", 0).showState, showstate::Normal);
}

TEST_F(GShellTest, AProgramWithParametersRunsHidden) {
    FakeLauncher launcher(42);
    EXPECT_TRUE(GShell(launcher, "C:/tools/Run.Exe", 10, "-q", "", "open", 0));
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].showState, showstate::Hidden);
    EXPECT_EQ(launcher.requests[0].parameters, "-q");
    EXPECT_EQ(shellRequestFor("report.exe.txt", 3, "", "/tmp", "print", 0).showState,
              showstate::Hidden);
}

TEST_F(GShellTest, ADocumentWithAFolderKeepsTheAskedShowState) {
    const ShellRequest request = shellRequestFor("notes.txt", 3, "", "/data", "print", 9);
    EXPECT_EQ(request.showState, 3);
    EXPECT_EQ(request.directory, "/data");
    EXPECT_EQ(request.operation, "print");
}

TEST_F(GShellTest, AnyResultAbove32IsSuccessAndRecordsNothing) {
    for (int result : {33, 42, 1000}) {
        FakeLauncher launcher(result);
        EXPECT_TRUE(GShell(launcher, "a.pdf", 10, "", "", "open", 0));
    }
    EXPECT_EQ(platform::currentError().number, 0);
}

TEST_F(GShellTest, AFailureIsRecordedAsTheCurrentErrorOfGShell) {
    FakeLauncher launcher(shellcode::FileNotFound);
    EXPECT_FALSE(GShell(launcher, "missing.doc", 10, "", "", "open", 0));
    EXPECT_EQ(platform::currentError().number, 53);
    EXPECT_EQ(platform::currentError().description, "File not found");
    EXPECT_EQ(platform::currentError().source,
              platform::executablePath().filename().string() + ".GShell");
}

TEST_F(GShellTest, ResultZeroIsAFailure) {
    FakeLauncher launcher(0);
    EXPECT_FALSE(GShell(launcher, "a.doc", 10, "", "", "open", 0));
    EXPECT_EQ(platform::currentError().number, 7);
}

TEST_F(GShellTest, ALauncherThatThrowsIsAFailureNotAnEscape) {
    ThrowingLauncher launcher;
    EXPECT_FALSE(GShell(launcher, "a.doc", 10, "", "", "open", 0));
    EXPECT_EQ(platform::currentError().description, "Out of memory");
}

} // namespace
