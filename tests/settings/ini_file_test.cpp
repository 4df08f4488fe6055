#include "platform/app_error.h"
#include "settings/ini_file.h"
#include "settings/private_profile.h"
#include "settings/whole_file.h"
#include "support/temp_folder.h"

#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace settings;

namespace {

using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

long errorNumberOf(const auto& action) {
    try {
        action();
    } catch (const platform::AppError& error) {
        return error.number();
    }
    return 0;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(PrivateProfileWrite, CreatesTheFileAndKeepsOtherKeysCommentsAndMode) {
    TempFolder folder;
    const fs::path file = folder / "Tarvix-4140.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("GPIB", "BoardID", "0", file));
    EXPECT_EQ(fileText(file), "[GPIB]\nBoardID=0\n");

    putFile(file, "; keep me\n[GPIB]\nBoardID=0\nDriver=sim\n");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(WritePrivateProfileStringA("gpib", "boardid", "1", file));
    ASSERT_TRUE(WritePrivateProfileStringA("Config", "Path", "/data/a.ini", file));
    EXPECT_EQ(fileText(file),
              "; keep me\n[GPIB]\nBoardID=1\nDriver=sim\n\n[Config]\nPath=/data/a.ini\n");
    EXPECT_EQ(modeOf(file), 0640u);
    EXPECT_EQ(entriesIn(folder.path()), 1u) << "no temporary file is left behind";
}

TEST(PrivateProfileWrite, WritesThroughASymbolicLink) {
    TempFolder folder;
    fs::create_directory(folder / "real");
    putFile(folder / "real" / "frmMain.ini", "[FORM]\ntxtA=1\n");
    fs::create_symlink("real/frmMain.ini", folder / "frmMain.ini");

    ASSERT_TRUE(WritePrivateProfileStringA("FORM", "txtA", "2", folder / "frmMain.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "frmMain.ini"));
    EXPECT_EQ(fileText(folder / "real" / "frmMain.ini"), "[FORM]\ntxtA=2\n");

    fs::create_symlink(folder / "real" / "new.ini", folder / "dangling.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "v", folder / "dangling.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.ini"));
    EXPECT_EQ(fileText(folder / "real" / "new.ini"), "[S]\nk=v\n");
}

TEST(PrivateProfileWrite, FailureIsReportedAndNothingIsLost) {
    TempFolder folder;
    platform::clearCurrentError();
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", folder / "missing" / "a.ini"));
    EXPECT_EQ(platform::currentError().number, platform::errnum::PathNotFound);

    // A folder where the file should be cannot be read, so it must not be replaced.
    fs::create_directory(folder / "a.ini");
    putFile(folder / "a.ini" / "inside", "x");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", folder / "a.ini"));
    EXPECT_TRUE(fs::exists(folder / "a.ini" / "inside"));
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "two\nlines", folder / "b.ini"));
    EXPECT_EQ(platform::currentError().number, 5);
}

TEST(PrivateProfileRead, IntegersAndDefaults) {
    TempFolder folder;
    const fs::path file = folder / "a.ini";
    putFile(file, "[P]\nLeft=12abc\nTop=-7\nWidth=abc\nHeight=\nBig=99999999999\nPlus=+5\n");
    EXPECT_EQ(GetPrivateProfileIntA("p", "left", 3, file), 12);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Top", 3, file), -7);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Width", 3, file), 0);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Height", 3, file), 3);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Missing", 3, file), 3);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Big", 3, file), INT_MAX);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Plus", 3, file), 5);
    EXPECT_EQ(GetPrivateProfileIntA("P", "Left", 3, folder / "none.ini"), 3);
}

TEST(PrivateProfileRead, StringsAreCutToTheBuffer) {
    TempFolder folder;
    const fs::path file = folder / "a.ini";
    putFile(file, "[S]\nk=abcdef\n");
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "dflt", 4, file), "abc");
    EXPECT_EQ(GetPrivateProfileStringA("S", "x", "dflt  ", 100, file), "dflt");
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "dflt", 100, folder / "none.ini"), "dflt");
}

TEST(IniFile, EditsReachTheDiskOnlyAtCommitAndAllAtOnce) {
    TempFolder folder;
    const fs::path file = folder / "frmMain.ini";
    IniFile ini(file);
    ini.commit();
    EXPECT_FALSE(fs::exists(file)) << "nothing set, nothing written";
    for (int i = 0; i < 50; ++i)
        ini.setValue("FORM", "txtConfig(" + std::to_string(i) + ")", std::to_string(i * 2));
    EXPECT_FALSE(fs::exists(file));
    ini.commit();
    const IniFile reread(file);
    EXPECT_EQ(reread.value("FORM", "txtConfig(49)"), "98");
    EXPECT_EQ(reread.value("FORM", "txtconfig(0)"), "0");
}

TEST(IniFile, AFileThatCannotBeReadIsAnError) {
    TempFolder folder;
    fs::create_directory(folder / "a.ini");
    EXPECT_NE(errorNumberOf([&] { IniFile ini(folder / "a.ini"); }), 0);
}

TEST(WriteFileAtomically, ReplacesTheWholeFileOrRaisesTheRuntimeNumber) {
    TempFolder folder;
    const fs::path file = folder / "data.txt";
    writeFileAtomically(file, "first version, longer\n");
    writeFileAtomically(file, "second\n");
    EXPECT_EQ(fileText(file), "second\n");

    EXPECT_EQ(errorNumberOf([&] { writeFileAtomically(folder / "no" / "x.txt", "x"); }),
              platform::errnum::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { writeFileAtomically(file / "x.txt", "x"); }),
              platform::errnum::PathNotFound);
    fs::create_directory(folder / "dir");
    EXPECT_EQ(errorNumberOf([&] { writeFileAtomically(folder / "dir", "x"); }),
              platform::errnum::PathFileAccess);
    EXPECT_EQ(errorNumberOf([&] { writeFileAtomically("", "x"); }),
              platform::errnum::PathFileAccess);
    EXPECT_EQ(entriesIn(folder.path()), 2u) << "no temporary file is left behind";
}

} // namespace
