#pragma once

#include <filesystem>
#include <memory>

class QWidget;

namespace diagnostics {
class ShellLauncher;
}

namespace app {

class frmAbout;
class HelpWindow;

// The Help menu: the help document opened by the desktop or the user guide in a window of its
// own, and the about box.
class HelpCommands {
public:
    // The launcher hands documents to the desktop's opener (a fake one in tests).
    HelpCommands(QWidget& owner, diagnostics::ShellLauncher& launcher);
    ~HelpCommands();

    // Opens "help.doc" from the program folder through the desktop when it is there, else
    // shows the user guide that ships with the program in the one help window, not modal;
    // nothing is said when neither can be opened.
    void itemHelp_Click();
    // Shows the one about box, not modal.
    void menuAbout_Click();
    frmAbout* aboutBox() const { return about_; }
    HelpWindow* helpWindow() const { return helpWindow_; }

private:
    void showGuide(const std::filesystem::path& guide);

    QWidget& owner_;
    diagnostics::ShellLauncher& launcher_;
    frmAbout* about_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
};

} // namespace app
