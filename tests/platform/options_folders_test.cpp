#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/options.h"
#include "platform/version.h"
#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

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

// A series names its data files itself, so it takes the limits of a run but no --data or --plot.
TEST(Options, ASeriesTakesTheLimitsOfARunButNoDataFile) {
    const auto series = platform::parseOptions(
        {"--driver", "sim", "--dry-run", "--series", "vb.series.ini", "--max-time", "60"});
    EXPECT_EQ(series.series, "vb.series.ini");
    EXPECT_EQ(series.maxTime, 60.0);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--series", "a", "--run", "c.ini", "--data", "o.txt"},
          {"--series", "a", "--data", "o.txt"},
          {"--series", "a", "--plot", "a.png"},
          {"--series", "a", "--analyse", "d.txt", "--method", "diode"}})
        EXPECT_THROW(platform::parseOptions(wrong), platform::OptionError) << wrong[2];
}

TEST(Options, TheChartIsPlottedAsPngOrPdfAtASizeOfSensiblePixels) {
    const auto run = platform::parseOptions(
        {"--run", "iv.ini", "--data", "o.txt", "--plot", "c.PDF", "--plot-size", "800x600"});
    EXPECT_EQ(run.plotSize, (platform::PictureSize{800, 600}));
    EXPECT_EQ(platform::pictureFormatOf("c.PDF"), platform::PictureFormat::Pdf);
    EXPECT_EQ(platform::pictureFormatOf("/a.b/c.png"), platform::PictureFormat::Png);
    for (const char* name : {"c.jpg", "c", "/a.png/c", "png"})
        EXPECT_THROW(platform::parseOptions({"--run", "i", "--data", "o", "--plot", name}),
                     platform::OptionError)
            << name;
    for (const char* size : {"800", "800x", "x600", "99x600", "800x8001", "+800x600", "8e2x600"})
        EXPECT_THROW(platform::parseOptions(
                         {"--run", "i", "--data", "o", "--plot", "c.png", "--plot-size", size}),
                     platform::OptionError)
            << size;
    EXPECT_THROW(platform::parseOptions({"--run", "i", "--data", "o", "--plot-size", "800x600"}),
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

TEST(Options, AnAnalysisNamesItsMethodAndTakesNumbersForItsInputs) {
    const auto analysis = platform::parseOptions(
        {"--analyse", "iv.txt",   "--method",    "diode",   "--from", "-0.5",   "--to=1.5",
         "--at",      "-5",       "--threshold", "1e-6",    "--area", "1e-3",   "--temperature",
         "77",        "--eps-ox", "3.9",         "--eps-s", "11.7",   "--type", "n"});
    EXPECT_EQ(analysis.analyse, "iv.txt");
    EXPECT_EQ(analysis.analysis.method, "diode");
    EXPECT_EQ(analysis.analysis.from, -0.5);
    EXPECT_EQ(analysis.analysis.to, 1.5);
    EXPECT_EQ(analysis.analysis.at, -5.0);
    EXPECT_EQ(analysis.analysis.threshold, 1e-6);
    EXPECT_EQ(analysis.analysis.area, 1e-3);
    EXPECT_EQ(analysis.analysis.temperature, 77.0);
    EXPECT_EQ(analysis.analysis.type, 'n');
    const std::vector<std::vector<std::string>> refused{
        {"--analyse", "iv.txt"},                                     // no method
        {"--method", "diode"},                                       // no file
        {"--analyse", "a.txt", "--method", "mos", "--area", "0"},    // no area
        {"--analyse", "a.txt", "--method", "mos", "--type", "x"},    // no type
        {"--analyse", "a.txt", "--method", "diode", "--from", "1V"}, // no number
        {"--analyse", "a.txt", "--method", "diode", "--run", "c.ini", "--data", "o.txt"},
    };
    for (const auto& arguments : refused)
        EXPECT_THROW(platform::parseOptions(arguments), platform::OptionError) << arguments[1];
    EXPECT_NE(platform::usageText("t").find("--eps-s E"), std::string::npos);
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
    EXPECT_EQ(platform::versionText(), platform::titleLine());
    EXPECT_EQ(platform::titleLine(), std::string("TARVIX-4140B ") + platform::kAppVersion);
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class Folders : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(root_ / "install" / "bin"); }
    fs::path executable() const { return root_ / "install" / "bin" / "tarvix4140"; }
    testsupport::TempFolder root_;
    ScopedEnv xdg_{"XDG_DATA_HOME", (root_ / "xdg").c_str()};
};

TEST_F(Folders, TheMarkerMakesTheExecutableFolderTheProgramFolder) {
    testsupport::putFile(root_ / "install" / "bin" / platform::kPortableMarker, "");
    const auto folders = platform::resolveFolders(executable(), {});
    EXPECT_EQ(folders.program, root_ / "install" / "bin");
    EXPECT_EQ(folders.install, root_ / "install");
    EXPECT_EQ(folders.privateLibFolder(), root_ / "install" / "lib" / "tarvix-4140");
    EXPECT_EQ(folders.dataFolder(), root_ / "install" / "share" / "tarvix-4140");
    EXPECT_FALSE(fs::exists(root_ / "xdg"));
}

TEST_F(Folders, WithoutTheMarkerEvenAWritableExecutableFolderIsLeftAlone) {
    const auto folders = platform::resolveFolders(executable(), {});
    EXPECT_EQ(folders.program, root_ / "xdg" / "tarvix-4140");
    EXPECT_TRUE(fs::is_directory(root_ / "xdg" / "tarvix-4140"));
    EXPECT_EQ(folders.install, root_ / "install");
    EXPECT_TRUE(fs::is_empty(root_ / "install" / "bin"));
}

TEST_F(Folders, AChosenFolderIsCreatedAndUsedWithOrWithoutTheMarker) {
    testsupport::putFile(root_ / "install" / "bin" / platform::kPortableMarker, "");
    const auto folders = platform::resolveFolders(executable(), root_ / "mine" / "deep");
    EXPECT_EQ(folders.program, root_ / "mine" / "deep");
    EXPECT_TRUE(fs::is_directory(root_ / "mine" / "deep"));
}

TEST_F(Folders, AFolderThatCannotBeMadeIsAnError) {
    testsupport::putFile(root_ / "file", "x");
    EXPECT_THROW(platform::resolveFolders(executable(), root_ / "file" / "sub"),
                 platform::AppError);
    ScopedEnv xdg("XDG_DATA_HOME", (root_ / "file").c_str());
    EXPECT_THROW(platform::resolveFolders(executable(), {}), platform::AppError);
}

TEST(UserDataFolder, FollowsAnAbsoluteXdgDataHomeElseTheHomeFolder) {
    ScopedEnv home("HOME", "/home/lab");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/srv/xdg");
        EXPECT_EQ(platform::userDataFolder(), fs::path("/srv/xdg/tarvix-4140"));
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative/xdg");
        EXPECT_EQ(platform::userDataFolder(), fs::path("/home/lab/.local/share/tarvix-4140"));
    }
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(platform::userDataFolder(), fs::path("/home/lab/.local/share/tarvix-4140"));
}

TEST(UserDataFolder, WithoutHomeTheAccountsHomeFolderIsUsedNeverTheWorkingDirectory) {
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    const fs::path folder = platform::userDataFolder();
    EXPECT_TRUE(folder.is_absolute()) << folder;
    EXPECT_TRUE(folder.string().ends_with("/.local/share/tarvix-4140")) << folder;
}

} // namespace
