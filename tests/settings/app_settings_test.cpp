#include "settings/app_settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

TEST(AppSettings, AFirstRunReadsNothingAndWritesOnlyTheBoard) {
    TempFolder folder;
    const settings::AppSettings loaded = settings::LoadAppSettings(folder.path());
    EXPECT_EQ(loaded.currentConfigPath, "");
    EXPECT_EQ(loaded.boardId, 0);
    settings::SaveAppSettings(folder.path(), "");
    EXPECT_EQ(fileText(folder / "Tarvix-4140.ini"), "[GPIB]\nBoardID=0\n");
}

TEST(AppSettings, ThePathIsWrittenOnlyForAnExistingFileAndTheBoardNeverAgain) {
    TempFolder folder;
    putFile(folder / "Tarvix-4140.ini", "[GPIB]\r\nBoardID=1\r\n");
    putFile(folder / "run.ini", "[FORM]\r\n");
    settings::SaveAppSettings(folder.path(), (folder / "run.ini").string());
    const settings::AppSettings loaded = settings::LoadAppSettings(folder.path());
    EXPECT_EQ(loaded.boardId, 1);
    EXPECT_EQ(loaded.currentConfigPath, (folder / "run.ini").string());

    std::filesystem::remove(folder / "run.ini");
    settings::SaveAppSettings(folder.path(), (folder / "gone.ini").string());
    EXPECT_EQ(settings::LoadAppSettings(folder.path()).currentConfigPath,
              (folder / "run.ini").string());
}

TEST(AppSettings, AnUnwritableFolderIsIgnored) {
    EXPECT_NO_THROW(settings::SaveAppSettings("/proc/no-such-folder", ""));
}

TEST(SeedProgramFolder, CopiesTheExamplesOnceIntoANewConfigFolder) {
    TempFolder shipped;
    TempFolder program;
    putFile(shipped / "IV.ini", "[FORM]\n");
    settings::SeedProgramFolder(program.path(), shipped.path());
    EXPECT_EQ(fileText(program / "config/IV.ini"), "[FORM]\n");

    putFile(program / "config/IV.ini", "[FORM]\nmine=1\n");
    putFile(shipped / "CV.ini", "[FORM]\n");
    settings::SeedProgramFolder(program.path(), shipped.path());
    EXPECT_EQ(fileText(program / "config/IV.ini"), "[FORM]\nmine=1\n");
    EXPECT_FALSE(std::filesystem::exists(program / "config/CV.ini"));
}

} // namespace
