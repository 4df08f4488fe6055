#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/options.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(Options, ReadsKnownOptionsInBothSpellings) {
    const auto options = platform::parseOptions({"--app-dir", "/tmp/a", "--version"});
    EXPECT_EQ(options.appDir, "/tmp/a");
    EXPECT_TRUE(options.version);
    EXPECT_FALSE(options.help);
    EXPECT_EQ(platform::parseOptions({"--app-dir=/tmp/b"}).appDir, "/tmp/b");
    EXPECT_TRUE(platform::parseOptions({"--help"}).help);
    EXPECT_EQ(platform::parseOptions({"--driver", "sim"}).driver, "sim");
    EXPECT_FALSE(platform::parseOptions({}).driver);
}

TEST(Options, AHeadlessRunNamesItsDataFileAndADryRunTheSimulator) {
    const auto run = platform::parseOptions({"--driver", "sim", "--dry-run", "--run", "iv.ini",
                                             "--data", "out.txt", "--plot", "a.png"});
    EXPECT_EQ(run.run, "iv.ini");
    EXPECT_EQ(run.data, "out.txt");
    EXPECT_EQ(run.plot, "a.png");
    EXPECT_TRUE(run.dryRun);
    EXPECT_THROW(platform::parseOptions({"--run", "iv.ini"}), platform::OptionError);
    EXPECT_THROW(platform::parseOptions({"--data", "out.txt"}), platform::OptionError);
    EXPECT_THROW(platform::parseOptions({"--run", "iv.ini", "--data", "o.txt", "--dry-run"}),
                 platform::OptionError);
}

TEST(Options, AHeadlessRunTakesItsLimitsInSecondsAboveZero) {
    const auto run = platform::parseOptions(
        {"--run", "iv.ini", "--data", "o.txt", "--bus-timeout", "2.5", "--max-time=600"});
    EXPECT_EQ(run.busTimeout, 2.5);
    EXPECT_EQ(run.maxTime, 600.0);
    for (const char* bad : {"0", "-3", "abc", "inf", "1e999", "5s"})
        EXPECT_THROW(platform::parseOptions({"--run", "i", "--data", "o", "--max-time", bad}),
                     platform::OptionError)
            << bad;
    EXPECT_THROW(platform::parseOptions({"--bus-timeout", "5"}), platform::OptionError);
    EXPECT_NE(platform::usageText("t").find("130 SIGINT"), std::string::npos);
}

TEST(Options, RefusesWhatItDoesNotKnow) {
    EXPECT_THROW(platform::parseOptions({"--frobnicate"}), platform::OptionError);
    EXPECT_THROW(platform::parseOptions({"stray"}), platform::OptionError);
    EXPECT_THROW(platform::parseOptions({"--app-dir"}), platform::OptionError);
    EXPECT_THROW(platform::parseOptions({"--help=yes"}), platform::OptionError);
}

TEST(Options, UsageListsEveryOptionAndTheVersionIsTheTitleLine) {
    const std::string usage = platform::usageText("tarvix4140");
    EXPECT_NE(usage.find("Usage: tarvix4140"), std::string::npos);
    EXPECT_NE(usage.find("--app-dir DIR"), std::string::npos);
    EXPECT_NE(usage.find("--version"), std::string::npos);
    EXPECT_EQ(platform::versionText(), "TARVIX-4140B v2.5.2");
}

class Folders : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tarvix-folders-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "install" / "bin");
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

TEST_F(Folders, AWritableExecutableFolderIsTheProgramFolder) {
    const auto folders = platform::resolveFolders(root_ / "install" / "bin" / "tarvix4140", {});
    EXPECT_EQ(folders.program, root_ / "install" / "bin");
    EXPECT_EQ(folders.install, root_ / "install");
    EXPECT_EQ(folders.libFolder(), root_ / "install" / "lib");
}

TEST_F(Folders, AChosenFolderIsCreatedAndUsed) {
    const auto folders =
        platform::resolveFolders(root_ / "install" / "bin" / "tarvix4140", root_ / "mine" / "deep");
    EXPECT_EQ(folders.program, root_ / "mine" / "deep");
    EXPECT_TRUE(fs::is_directory(root_ / "mine" / "deep"));
}

TEST_F(Folders, AChosenFolderThatCannotBeMadeIsAnError) {
    std::ofstream(root_ / "file").put('x');
    EXPECT_THROW(platform::resolveFolders(root_ / "install" / "bin" / "x", root_ / "file" / "sub"),
                 platform::AppError);
}

TEST(UserDataFolder, FollowsXdgDataHome) {
    ::setenv("XDG_DATA_HOME", "/srv/xdg", 1);
    EXPECT_EQ(platform::userDataFolder(), fs::path("/srv/xdg/tarvix-4140"));
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
