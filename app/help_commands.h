#pragma once

#include <filesystem>
#include <memory>

class QWidget;

namespace diagnostics {
class ShellLauncher;
}

namespace app {

class frmAbout;

// The Help menu: the help document opened by the desktop, and the about box.
class HelpCommands {
public:
    // The launcher hands documents to the desktop's opener (a fake one in tests).
    HelpCommands(QWidget& owner, diagnostics::ShellLauncher& launcher);
    ~HelpCommands();

    // Opens "help.doc" from the program folder when it is there, else the user guide that
    // ships with the program; nothing is said when neither can be opened.
    void itemHelp_Click();
    // Shows the one about box, not modal.
    void menuAbout_Click();
    frmAbout* aboutBox() const { return about_; }

    // The document the Help menu opens, or an empty path when there is none.
    static std::filesystem::path helpDocument();

private:
    QWidget& owner_;
    diagnostics::ShellLauncher& launcher_;
    frmAbout* about_ = nullptr;
};

} // namespace app
