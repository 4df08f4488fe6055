#include "app/help_commands.h"

#include "app/frm_about.h"
#include "diagnostics/gshell.h"
#include "diagnostics/shell_launcher.h"
#include "platform/folders.h"

#include <QWidget>

namespace app {

HelpCommands::HelpCommands(QWidget& owner, diagnostics::ShellLauncher& launcher)
    : owner_(owner), launcher_(launcher) {}

HelpCommands::~HelpCommands() = default;

std::filesystem::path HelpCommands::helpDocument() {
    const platform::ProgramFolders& folders = platform::programFolders();
    std::error_code error;
    for (const std::filesystem::path& candidate :
         {folders.program / "help.doc", folders.dataFolder() / "help.html"})
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    return {};
}

void HelpCommands::itemHelp_Click() {
    const std::filesystem::path document = helpDocument();
    if (document.empty())
        return;
    // The Help menu ignores the outcome: a document that cannot be opened shows nothing.
    diagnostics::GShell(launcher_, document.string(), diagnostics::showstate::ShowDefault, "", "",
                        "open", static_cast<diagnostics::WindowHandle>(owner_.winId()));
}

void HelpCommands::menuAbout_Click() {
    if (!about_)
        about_ = new frmAbout(&owner_);
    about_->show();
    about_->raise();
}

} // namespace app
