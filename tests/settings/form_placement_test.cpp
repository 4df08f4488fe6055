#include "platform/app_error.h"
#include "platform/folders.h"
#include "settings/form_placement.h"
#include "settings/ini_file.h"
#include "settings/placement.h"
#include "support/scoped_program_folders.h"
#include "support/temp_folder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

// Every test gets its own program folder, and the previous one back afterwards.
class FormPlacement : public testing::Test {
protected:
    void SetUp() override { window_.setObjectName("frmTest"); }

    double dpi() const { return window_.screen()->logicalDotsPerInch(); }
    int twips(int pixels) const { return settings::pixelsToTwips(pixels, dpi()); }
    std::optional<std::string> stored(const char* key, const std::string& file = "frmTest.ini") {
        return settings::IniFile(folder_ / file).value("form_placement", key);
    }

    TempFolder folder_;
    testsupport::ScopedProgramFolders folders_{folder_.path(), folder_.path()};
    QWidget window_;
};

TEST_F(FormPlacement, RoundTripInTwipsOfTheOuterFrame) {
    window_.setGeometry(100, 120, 400, 300);
    window_.show();
    const QRect saved = window_.frameGeometry();
    ASSERT_TRUE(settings::SaveFormPlacement(window_));
    EXPECT_EQ(stored("Left"), std::to_string(twips(saved.x())));
    EXPECT_EQ(stored("Top"), std::to_string(twips(saved.y())));
    EXPECT_EQ(stored("Width"), std::to_string(twips(saved.width())));
    EXPECT_EQ(stored("Height"), std::to_string(twips(saved.height())));

    window_.setGeometry(10, 20, 200, 100);
    settings::LoadFormPlacement(window_);
    EXPECT_EQ(window_.frameGeometry(), saved);
}

TEST_F(FormPlacement, AWindowNotYetShownTakesItsPlacement) {
    putFile(folder_ / "frmTest.ini",
            "[FORM_PLACEMENT]\nLeft=1500\nTop=3000\nWidth=4500\nHeight=6000\n");
    settings::LoadFormPlacement(window_);
    const QRect frame(settings::twipsToPixels(1500, dpi()), settings::twipsToPixels(3000, dpi()),
                      settings::twipsToPixels(4500, dpi()), settings::twipsToPixels(6000, dpi()));
    EXPECT_EQ(window_.frameGeometry(), frame);
    // Once framed, the window is not larger than the stored frame (it would grow every start).
    window_.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window_.frameGeometry(), frame);
}

TEST_F(FormPlacement, AFixedSizeWindowKeepsItsSizeAndMissingKeysKeepTheCurrentValue) {
    window_.setFixedSize(320, 200);
    window_.move(50, 60);
    window_.show();
    putFile(folder_ / "frmTest.ini", "[FORM_PLACEMENT]\nLeft=1500\nWidth=99000\nHeight=99000\n");
    settings::LoadFormPlacement(window_);
    EXPECT_EQ(window_.size(), QSize(320, 200));
    EXPECT_EQ(window_.frameGeometry().topLeft(), QPoint(settings::twipsToPixels(1500, dpi()), 60));
}

TEST_F(FormPlacement, APlacementOffEveryScreenComesBackOnOne) {
    window_.resize(300, 200);
    window_.show();
    putFile(folder_ / "frmTest.ini",
            "[FORM_PLACEMENT]\nLeft=9000000\nTop=-9000000\nWidth=4500000\nHeight=3000\n");
    settings::LoadFormPlacement(window_);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(window_.frameGeometry()))
        << window_.frameGeometry().x() << "," << window_.frameGeometry().y();
}

TEST_F(FormPlacement, NameOrPathArgumentsChooseTheFile) {
    window_.setGeometry(100, 120, 400, 300);
    window_.show();
    ASSERT_TRUE(settings::SaveFormPlacement(window_, "oofLog"));
    EXPECT_TRUE(stored("Width", "oofLog.ini"));
    fs::create_directory(folder_ / "sub");
    ASSERT_TRUE(settings::SaveFormPlacement(window_, (folder_ / "sub").string() + "/"));
    EXPECT_TRUE(stored("Width", "sub/frmTest.ini"));
    EXPECT_FALSE(fs::exists(folder_ / "frmTest.ini"));
}

TEST_F(FormPlacement, AMinimizedWindowIsNotSaved) {
    window_.showMinimized();
    ASSERT_TRUE(window_.isMinimized());
    EXPECT_TRUE(settings::SaveFormPlacement(window_));
    EXPECT_FALSE(fs::exists(folder_ / "frmTest.ini"));
}

TEST_F(FormPlacement, AFailedSaveIsReported) {
    window_.show();
    platform::setProgramFolders({folder_ / "gone", folder_ / "gone"});
    EXPECT_FALSE(settings::SaveFormPlacement(window_));
    EXPECT_EQ(platform::currentError().number, platform::errnum::PathNotFound);
    settings::LoadFormPlacement(window_); // a missing file changes nothing and raises nothing
}

} // namespace
