#include "help_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

HelpWindow::HelpWindow(const std::filesystem::path& guide, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    // Links out of the guide go to the desktop; those within it stay here.
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(guide.string())));
    setWindowTitle(browser_->documentTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(createFindRow());
    const int line = fontMetrics().height();
    resize(line * 50, line * 40);
}

QWidget* HelpWindow::createFindRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    findField_ = new QLineEdit(row);
    findField_->setPlaceholderText("Search the guide");
    findField_->setClearButtonEnabled(true);
    auto* previous = new QPushButton("Previous", row);
    auto* next = new QPushButton("Next", row);
    auto* label = new QLabel("&Find:", row);
    label->setBuddy(findField_);
    layout->addWidget(label);
    layout->addWidget(findField_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);

    const auto forward = [this] { find(findField_->text()); };
    const auto back = [this] { find(findField_->text(), true); };
    connect(findField_, &QLineEdit::returnPressed, this, forward);
    connect(findField_, &QLineEdit::textChanged, this, [this] { markFound(true); });
    connect(next, &QPushButton::clicked, this, forward);
    connect(previous, &QPushButton::clicked, this, back);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        findField_->setFocus(Qt::ShortcutFocusReason);
        findField_->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, forward);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this, back);
    return row;
}

bool HelpWindow::find(const QString& text, bool backward) {
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        const QTextCursor kept = browser_->textCursor();
        browser_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
        found = browser_->find(text, flags);
        if (!found)
            browser_->setTextCursor(kept);
    }
    markFound(found);
    return found;
}

void HelpWindow::markFound(bool found) {
    findField_->setStyleSheet(found ? QString()
                                    : QStringLiteral("background-color: rgb(255, 210, 210);"));
}

} // namespace app
