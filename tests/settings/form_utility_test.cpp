#include "platform/app_error.h"
#include "platform/message_box.h"
#include "settings/form_utility.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace FormUtility;

namespace {

using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

// Runs a test from inside a folder and goes back to the previous current folder afterwards.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~ScopedCurrentFolder() { fs::current_path(previous_); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    fs::path previous_;
};

TEST(GetField, FieldsAreNumberedFromOne) {
    const std::string text = "first\tmiddle\tlast";
    EXPECT_EQ(GetField(text, 1), "first");
    EXPECT_EQ(GetField(text, 2), "middle");
    EXPECT_EQ(GetField(text, 3), "last");
    EXPECT_EQ(GetField(text, 4), "");
    EXPECT_EQ(GetField(text, 0), "first");
    EXPECT_EQ(GetField(text, -3), "first");
    EXPECT_EQ(GetField("alone", 1), "alone");
    EXPECT_EQ(GetField("alone", 0), "");
    EXPECT_EQ(GetField("alone", 2), "");
    EXPECT_EQ(GetField("a,,c", 2, ","), "");
    EXPECT_EQ(GetField("a::b::c", 3, "::"), "c");
}

TEST(GetField, WritesNoFile) {
    TempFolder folder;
    const ScopedCurrentFolder inside(folder.path());
    EXPECT_EQ(GetField("reply\twith\tthree", 3), "three");
    EXPECT_EQ(GetField("single", 1), "single");
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_FALSE(fs::exists("/C:\\stringfile.txt"));
}

TEST(PathPart, SplitsAtTheLastSlashAndDot) {
    const std::string path = "/data/run.1.txt";
    EXPECT_EQ(PathPart(path, 1), "/data/");
    EXPECT_EQ(PathPart(path, 2), "run.1");
    EXPECT_EQ(PathPart(path, 3), "txt");
    EXPECT_EQ(PathPart(path, 4), "/data/run.1");
    EXPECT_EQ(PathPart(path, 5), "run.1.txt");
    EXPECT_EQ(PathPart(path, 0), path);
    EXPECT_EQ(PathPart(path, 6), path);
}

TEST(PathPart, ADotInAFolderNameIsNoExtension) {
    EXPECT_EQ(PathPart("/my.dir/file", 1), "/my.dir/");
    EXPECT_EQ(PathPart("/my.dir/file", 2), "file");
    EXPECT_EQ(PathPart("/my.dir/file", 3), "");
    EXPECT_EQ(PathPart("/my.dir/file", 4), "/my.dir/file");
    EXPECT_EQ(PathPart("/my.dir/file", 5), "file");
    EXPECT_EQ(PathPart("/etc/.hidden", 2), "");
    EXPECT_EQ(PathPart("/etc/.hidden", 3), "hidden");
    EXPECT_EQ(PathPart("frmMain.ini", 1), "frmMain.ini");
    EXPECT_EQ(PathPart("/data/", 5), "");
    EXPECT_EQ(PathPart("/d/" + std::string(300, 'n') + ".txt", 5).size(), kPathPartLimit);
}

TEST(CleanPath, DropsOnlyControlCharactersAndDoubledSlashes) {
    EXPECT_EQ(CleanPath("/home/jörg/my  dir /x*y.ini"), "/home/jörg/my  dir /x*y.ini");
    EXPECT_EQ(CleanPath("/a\"b|c:d\\e\x01\tf\x7f"), "/a\"b|c:d\\ef");
    EXPECT_EQ(CleanPath("//a///b"), "/a/b");
    EXPECT_EQ(CleanPath("/a / b / / c"), "/a / b / / c");
    EXPECT_EQ(CleanPath("/keeps <what> may? be #[here]!"), "/keeps <what> may? be #[here]!");
}

TEST(CleanPath, TheOlderFilterIsKeptToFindFilesItNamed) {
    EXPECT_EQ(LegacyCleanPath("/home/jörg/my  dir /x*y.ini"), "/home/jörg/my  dir/xy.ini");
    EXPECT_EQ(LegacyCleanPath("/run_12:30.ini"), "/run_1230.ini");
    EXPECT_EQ(LegacyCleanPath("/a / b / / c"), "/a/b/c");
}

TEST(CleanPath, EmptyRelativeAndModeOne) {
    EXPECT_EQ(CleanPath(""), "/");
    EXPECT_EQ(CleanPath("", 1), "/");
    EXPECT_EQ(CleanPath("/data", 1), "/data/");
    EXPECT_EQ(CleanPath("/data/", 1), "/data/");
    TempFolder folder;
    const ScopedCurrentFolder inside(folder.path());
    const std::string here = fs::current_path().string();
    EXPECT_EQ(CleanPath("config/a.ini"), here + "/config/a.ini");
    EXPECT_EQ(CleanPath(" config/a.ini"), here + "/ config/a.ini");
    EXPECT_EQ(LegacyCleanPath(" config/a.ini"), here + "/config/a.ini");
}

TEST(MakePath, CreatesEveryFolderButNotTheFileAndLeavesTheCurrentFolder) {
    TempFolder folder;
    const fs::path before = fs::current_path();
    const std::string target = (folder / "data" / "2024" / "run.txt").string();
    EXPECT_TRUE(MakePath(target));
    EXPECT_TRUE(fs::is_directory(folder / "data" / "2024"));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_TRUE(MakePath(target)) << "existing folders are fine";
    EXPECT_FALSE(MakePath("run.txt")) << "no folder at all";
}

TEST(MakePath, ModesTwoAndOthersNeverCreate) {
    TempFolder folder;
    EXPECT_FALSE(MakePath((folder / "a" / "x.txt").string(), 2));
    EXPECT_TRUE(MakePath((folder / "b" / "x.txt").string(), 3));
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(MakePath, ModeOneAsksBeforeCreating) {
    TempFolder folder;
    platform::ScopedRecordingMessageBox box;
    const std::string missing = (folder / "new").string() + "/";
    box->queueAnswer(platform::mb::Cancel);
    EXPECT_FALSE(MakePath(missing + "x.txt", 1));
    EXPECT_FALSE(fs::exists(missing));
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text, "Path " + missing + " not found.  Create it?");
    EXPECT_EQ(box->shown()[0].style, platform::mb::OkCancel | platform::mb::Question);

    box->queueAnswer(platform::mb::Ok);
    EXPECT_TRUE(MakePath(missing + "x.txt", 1));
    EXPECT_TRUE(fs::is_directory(missing));
}

TEST(MakePath, AFolderThatCannotBeCreatedRaises) {
    TempFolder folder;
    putFile(folder / "file", "in the way");
    EXPECT_THROW(MakePath((folder / "file" / "x.txt").string()), platform::AppError);
}

TEST(FileProbes, ExistsWriteAndDrive) {
    TempFolder folder;
    const fs::path file = folder / "run.txt";
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(FileExists(""));
    WriteTextFile(file, "a\tb");
    EXPECT_EQ(fileText(file), "a\tb\r\n");
    EXPECT_TRUE(FileExists(file));
    EXPECT_NO_THROW(WriteTextFile(folder / "missing" / "x.txt", "lost quietly"));
    EXPECT_TRUE(DriveExists("/anything/at/all"));
}

TEST(ReadIniString, ValueOrDefault) {
    TempFolder folder;
    const fs::path file = folder / "Tarvix-4140.ini";
    putFile(file, "[Config]\nPath = /lab/a.ini \nEmpty=\n");
    EXPECT_EQ(ReadIniString("CONFIG", "path", "dflt", file), "/lab/a.ini");
    EXPECT_EQ(ReadIniString("Config", "Empty", "dflt", file), "dflt");
    EXPECT_EQ(ReadIniString("Config", "None", "dflt", file), "dflt");
    EXPECT_EQ(ReadIniString("Config", "Path", "", folder / "none.ini"), "");
}

TEST(ShowCurrentError, NumberDescriptionAndComment) {
    platform::ScopedRecordingMessageBox box;
    platform::setCurrentError(platform::AppError(53, "File not found"));
    ShowCurrentError("The error occurred in the config file load routine.");
    ShowCurrentError();
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text,
              "53: File not found. The error occurred in the config file load routine.");
    EXPECT_EQ(box->shown()[0].title, platform::kAppTitle);
    EXPECT_EQ(box->shown()[0].style, platform::mb::Exclamation);
    EXPECT_EQ(box->shown()[1].text, "53: File not found. ");
}

} // namespace
