#include "qt_message_box.h"

#include "platform/stop_request.h"

#include <QApplication>
#include <QPushButton>

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

// Each button of a question knows the index of its answer.
constexpr const char* kAnswerIndex = "answerIndex";

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

// Once a stop signal has come, no box opens and one that is open is closed: each takes its
// escape answer, the one that changes nothing.
int QtMessageBox::show(const std::string& text, const std::string& title, int style) {
    const int escape = platform::answersOf(style).back();
    if (platform::stopRequested())
        return escape;
    const MessageBoxLook look = lookOf(style);
    QMessageBox box(QApplication::activeWindow());
    setUp(box, text, title);
    box.setIcon(look.icon);
    for (QMessageBox::StandardButton button : look.buttons)
        box.addButton(button);
    box.setDefaultButton(look.defaultButton);
    box.exec();
    if (platform::stopRequested())
        return escape;
    const int answer = answerOf(box.standardButton(box.clickedButton()));
    // A box closed without a button (only possible where it has an escape) counts as its
    // default answer.
    return answer != 0 ? answer : platform::defaultAnswer(style);
}

std::unique_ptr<QMessageBox> questionBox(const std::string& text,
                                         const std::vector<std::string>& answers,
                                         std::size_t defaultAnswer) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    setUp(*box, text, "");
    box->setIcon(QMessageBox::Question);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        QPushButton* button =
            box->addButton(QString::fromStdString(answers[i]), QMessageBox::ActionRole);
        button->setProperty(kAnswerIndex, QVariant::fromValue(i));
        if (i == defaultAnswer)
            box->setDefaultButton(button);
        box->setEscapeButton(button);
    }
    return box;
}

std::size_t QtMessageBox::ask(const std::string& text, const std::vector<std::string>& answers,
                              std::size_t defaultAnswer) {
    const std::size_t escape = answers.empty() ? defaultAnswer : answers.size() - 1;
    if (platform::stopRequested())
        return escape;
    const std::unique_ptr<QMessageBox> box = questionBox(text, answers, defaultAnswer);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    // Closed without an answer (rejected, or by a stop signal): the escape answer.
    if (!clicked || platform::stopRequested())
        return escape;
    return clicked->property(kAnswerIndex).value<std::size_t>();
}

} // namespace diagnostics
