#pragma once

#include "platform/message_box.h"

#include <QMessageBox>
#include <memory>
#include <vector>

namespace diagnostics {

// How a message-box style value looks: its buttons left to right, its icon and the button that
// Enter picks.
struct MessageBoxLook {
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
};

MessageBoxLook lookOf(int style);
// The standard message box's answer for a button of the Qt box.
int answerOf(QMessageBox::StandardButton button);

// The box of a question with the caller's answers as buttons, left to right, the default one
// focused and the last one taking Escape.
std::unique_ptr<QMessageBox> questionBox(const std::string& text,
                                         const std::vector<std::string>& answers,
                                         std::size_t defaultAnswer);

// The standard message box on the desktop: application-modal, over the active window, with the
// application's title when none is given. Texts are shown as plain text.
class QtMessageBox final : public platform::MessageBox {
public:
    int show(const std::string& text, const std::string& title, int style) override;
    std::size_t ask(const std::string& text, const std::vector<std::string>& answers,
                    std::size_t defaultAnswer) override;
};

} // namespace diagnostics
