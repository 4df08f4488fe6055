#include "qt_message_box.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <utility>

namespace diagnostics {

namespace {

namespace mb = platform::mb;

using ButtonAnswer = std::pair<QMessageBox::StandardButton, int>;
constexpr std::array<ButtonAnswer, 7> kButtonAnswers = {{
    {QMessageBox::Ok, mb::Ok},
    {QMessageBox::Cancel, mb::Cancel},
    {QMessageBox::Abort, mb::Abort},
    {QMessageBox::Retry, mb::Retry},
    {QMessageBox::Ignore, mb::Ignore},
    {QMessageBox::Yes, mb::Yes},
    {QMessageBox::No, mb::No},
}};

QMessageBox::StandardButton buttonOf(int answer) {
    for (const auto& [button, buttonAnswer] : kButtonAnswers) {
        if (buttonAnswer == answer)
            return button;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(int style) {
    switch (style & mb::IconMask) {
    case mb::Critical:
        return QMessageBox::Critical;
    case mb::Question:
        return QMessageBox::Question;
    case mb::Exclamation:
        return QMessageBox::Warning;
    case mb::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

void setUp(QMessageBox& box, const std::string& text, const std::string& title) {
    QString shownText = QString::fromStdString(text);
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setWindowTitle(QString::fromStdString(title.empty() ? platform::kAppTitle : title));
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText);
}

} // namespace

MessageBoxLook lookOf(int style) {
    MessageBoxLook look;
    for (int answer : platform::answersOf(style))
        look.buttons.push_back(buttonOf(answer));
    look.icon = iconOf(style);
    look.defaultButton = buttonOf(platform::defaultAnswer(style));
    return look;
}

int answerOf(QMessageBox::StandardButton button) {
    for (const auto& [candidate, answer] : kButtonAnswers) {
        if (candidate == button)
            return answer;
    }
    return 0;
}

int QtMessageBox::show(const std::string& text, const std::string& title, int style) {
    const MessageBoxLook look = lookOf(style);
    QMessageBox box(QApplication::activeWindow());
    setUp(box, text, title);
    box.setIcon(look.icon);
    for (QMessageBox::StandardButton button : look.buttons)
        box.addButton(button);
    box.setDefaultButton(look.defaultButton);
    box.exec();
    const int answer = answerOf(box.standardButton(box.clickedButton()));
    // A box closed without a button (only possible where it has an escape) counts as its
    // default answer.
    return answer != 0 ? answer : platform::defaultAnswer(style);
}

std::size_t QtMessageBox::ask(const std::string& text, const std::vector<std::string>& answers,
                              std::size_t defaultAnswer) {
    QMessageBox box(QApplication::activeWindow());
    setUp(box, text, "");
    box.setIcon(QMessageBox::Question);
    std::vector<QPushButton*> buttons;
    for (const std::string& answer : answers)
        buttons.push_back(box.addButton(QString::fromStdString(answer), QMessageBox::ActionRole));
    if (defaultAnswer < buttons.size())
        box.setDefaultButton(buttons[defaultAnswer]);
    if (!buttons.empty())
        box.setEscapeButton(buttons.back());
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen != buttons.end() ? static_cast<std::size_t>(chosen - buttons.begin())
                                   : defaultAnswer;
}

} // namespace diagnostics
