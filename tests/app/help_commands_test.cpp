#include "app/application.h"
#include "app/panel/field_descriptions.h"
#include "app/window/frm_about.h"
#include "app/window/frm_main.h"
#include "app/window/help_commands.h"
#include "app/window/help_window.h"
#include "app/window/main_menus.h"
#include "diagnostics/shell_launcher.h"
#include "platform/message_box.h"
#include "program_folder_support.h"
#include "support/sim_library.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

class RecordingLauncher : public diagnostics::ShellLauncher {
public:
    int execute(const diagnostics::ShellRequest& request) override {
        requests.push_back(request);
        return 42;
    }
    std::vector<diagnostics::ShellRequest> requests;
};

class Help : public testing::Test {
protected:
    apptest::ScopedProgramFolder folder;
    QWidget owner;
    RecordingLauncher launcher;
    app::HelpCommands help{owner, launcher};
};

TEST_F(Help, TheProgramFoldersHelpDocumentComesFirst) {
    testsupport::putFile(folder / "help.doc", "doc");
    std::filesystem::create_directories(folder.install() / "share/tarvix-4140");
    testsupport::putFile(folder.install() / "share/tarvix-4140/help.html", "<html/>");
    help.itemHelp_Click();
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].file, (folder / "help.doc").string());
    EXPECT_EQ(launcher.requests[0].operation, "open");
    // No parameters and no folder: the document opens in a normal window.
    EXPECT_EQ(launcher.requests[0].showState, diagnostics::showstate::Normal);
}

// The guide as it ships, pictures and all, opens in the program's own window: no browser is
// asked, its pictures load, and Ctrl+F finds text in it.
TEST_F(Help, WithoutHelpDocTheShippedGuideOpensInAWindowOfItsOwn) {
    const std::filesystem::path shipped = folder.install() / "share/tarvix-4140";
    std::filesystem::create_directories(shipped.parent_path());
    std::filesystem::copy(testsupport::buildDir() / "share/tarvix-4140", shipped,
                          std::filesystem::copy_options::recursive);
    owner.show();
    help.itemHelp_Click();
    EXPECT_TRUE(launcher.requests.empty());
    app::HelpWindow* guide = help.helpWindow();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->windowTitle(), "TARVIX-4140B user guide");

    QTextDocument* text = guide->browser()->document();
    int pictures = 0;
    for (QTextBlock block = text->begin(); block != text->end(); block = block.next())
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            if (const QTextImageFormat image = piece.fragment().charFormat().toImageFormat();
                image.isValid()) {
                ++pictures;
                const QVariant loaded =
                    text->resource(QTextDocument::ImageResource, QUrl(image.name()));
                EXPECT_FALSE(loaded.value<QImage>().isNull()) << image.name().toStdString();
            }
    EXPECT_GE(pictures, 2);

    guide->activateWindow();
    QApplication::setActiveWindow(guide);
    ASSERT_TRUE(QTest::qWaitForWindowActive(guide));
    QTest::keyClick(guide, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(guide->findField()->hasFocus());
    QTest::keyClicks(guide->findField(), "start test");
    QTest::keyClick(guide->findField(), Qt::Key_Return);
    EXPECT_EQ(guide->browser()->textCursor().selectedText().toLower(), "start test");
    EXPECT_FALSE(guide->find("no such words in the guide"));
    EXPECT_EQ(guide->browser()->textCursor().selectedText().toLower(), "start test");

    help.itemHelp_Click();
    EXPECT_EQ(help.helpWindow(), guide);
}

TEST_F(Help, WithNeitherNothingHappens) {
    help.itemHelp_Click();
    EXPECT_TRUE(launcher.requests.empty());
}

TEST_F(Help, TheAboutBoxIsOneModelessWindowCaptionedWithTheTitleLine) {
    help.menuAbout_Click();
    app::frmAbout* first = help.aboutBox();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->windowTitle().toStdString(), "About " + platform::titleLine());
    EXPECT_EQ(first->lblTitle()->text().toStdString(), platform::titleLine());
    first->cmdOK()->click();
    EXPECT_FALSE(first->isVisible());
    help.menuAbout_Click();
    EXPECT_EQ(help.aboutBox(), first);
    EXPECT_TRUE(first->isVisible());
}

TEST(MainWindowHelp, TheMenuShowsTheAboutBoxAndTheInformationPanelWaitsForPrinting) {
    apptest::ScopedProgramFolder folder;
    app::Application application({}, 0);
    app::frmMain window(application, app::FieldDescriptions::load(app::kMainWindowFields));
    window.show();
    EXPECT_FALSE(window.controls().find("frameAppInfo")->isVisible());
    EXPECT_TRUE(window.controls().find("frameGraphType")->isVisible());
    window.menus().menuAbout->trigger();
    ASSERT_NE(window.helpCommands().aboutBox(), nullptr);
    EXPECT_TRUE(window.helpCommands().aboutBox()->isVisible());
    window.helpCommands().aboutBox()->close();
}

} // namespace
