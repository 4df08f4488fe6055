#include "app/field_descriptions.h"
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/help_commands.h"
#include "app/main_menus.h"
#include "diagnostics/shell_launcher.h"
#include "program_folder_support.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
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

TEST_F(Help, WithoutHelpDocTheShippedGuideOpens) {
    std::filesystem::create_directories(folder.install() / "share/tarvix-4140");
    testsupport::putFile(folder.install() / "share/tarvix-4140/help.html", "<html/>");
    help.itemHelp_Click();
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].file,
              (folder.install() / "share/tarvix-4140/help.html").string());
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
    EXPECT_EQ(first->windowTitle(), "About TARVIX-4140B v2.5.2");
    EXPECT_EQ(first->lblTitle()->text(), "TARVIX-4140B v2.5.2");
    first->cmdOK()->click();
    EXPECT_FALSE(first->isVisible());
    help.menuAbout_Click();
    EXPECT_EQ(help.aboutBox(), first);
    EXPECT_TRUE(first->isVisible());
}

TEST(MainWindowHelp, TheMenuShowsTheAboutBoxAndTheInformationPanelWaitsForPrinting) {
    apptest::ScopedProgramFolder folder;
    app::frmMain window(app::FieldDescriptions::load(app::kMainWindowFields));
    window.show();
    EXPECT_FALSE(window.controls().find("frameAppInfo")->isVisible());
    EXPECT_TRUE(window.controls().find("frameGraphType")->isVisible());
    window.menus().menuAbout->trigger();
    ASSERT_NE(window.helpCommands().aboutBox(), nullptr);
    EXPECT_TRUE(window.helpCommands().aboutBox()->isVisible());
    window.helpCommands().aboutBox()->close();
}

} // namespace
