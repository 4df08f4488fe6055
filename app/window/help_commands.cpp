#include "help_commands.h"

#include "diagnostics/gshell.h"
#include "diagnostics/shell_launcher.h"
#include "frm_about.h"
#include "help_window.h"
#include "platform/folders.h"

#include <QWidget>

namespace app {

HelpCommands::HelpCommands(QWidget& owner, diagnostics::ShellLauncher& launcher)
    : owner_(owner), launcher_(launcher) {}

HelpCommands::~HelpCommands() = default;

void HelpCommands::itemHelp_Click() {
    const platform::ProgramFolders& folders = platform::programFolders();
    std::error_code error;
    const std::filesystem::path document = folders.program / "help.doc";
    if (std::filesystem::is_regular_file(document, error)) {
        // The Help menu ignores the outcome: a document that cannot be opened shows nothing.
        diagnostics::GShell(launcher_, document.string(), diagnostics::showstate::ShowDefault, "",
                            "", "open", static_cast<diagnostics::WindowHandle>(owner_.winId()));
        return;
    }
    const std::filesystem::path guide = folders.dataFolder() / "help.html";
    if (std::filesystem::is_regular_file(guide, error))
        showGuide(guide);
}

void HelpCommands::showGuide(const std::filesystem::path& guide) {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(guide, &owner_);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void HelpCommands::menuAbout_Click() {
    if (!about_)
        about_ = new frmAbout(&owner_);
    about_->show();
    about_->raise();
}

} // namespace app
