#include "log_box.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace diagnostics {

namespace {

// A line as the box shows it: a CR LF or a lone CR inside the line starts a new paragraph, as
// the text document would make of it anyway.
QString displayLine(const std::string& line) {
    QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString joined(const std::deque<QString>& lines) {
    QString text;
    bool first = true;
    for (const QString& line : lines) {
        if (!first)
            text += QLatin1Char('\n');
        text += line;
        first = false;
    }
    return text;
}

} // namespace

LogBox::LogBox(QPlainTextEdit& box) : box_(box) {
    // The box is a view of the buffer: an undo history would only grow.
    box_.setUndoRedoEnabled(false);
}

void LogBox::lineSent(const std::string& s) {
    pending_.push_back(displayLine(s));
    // More lines than the buffer keeps replace the box entirely; the older ones never show.
    if (pending_.size() > static_cast<std::size_t>(LogBuffer::kLineLimit))
        pending_.pop_front();
}

void LogBox::clear() {
    pending_.clear();
    shownLengths_.clear();
    box_.clear();
}

void LogBox::catchUp(const LogBuffer& buffer) {
    if (pending_.empty())
        return;
    const auto keptShown = static_cast<std::ptrdiff_t>(buffer.lineCount()) -
                           static_cast<std::ptrdiff_t>(pending_.size());
    if (keptShown <= 0) {
        replaceAll(pending_);
    } else {
        const auto kept = static_cast<std::size_t>(keptShown);
        cutOldest(shownLengths_.size() > kept ? shownLengths_.size() - kept : 0);
        appendPending();
    }
    pending_.clear();
}

void LogBox::replaceAll(const std::deque<QString>& lines) {
    box_.setPlainText(joined(lines));
    shownLengths_.clear();
    for (const QString& line : lines)
        shownLengths_.push_back(static_cast<int>(line.size()));
}

void LogBox::cutOldest(std::size_t lineCount) {
    if (lineCount == 0)
        return;
    int characters = 0;
    for (std::size_t i = 0; i < lineCount; ++i) {
        characters += shownLengths_.front() + 1; // the line and its paragraph break
        shownLengths_.pop_front();
    }
    QTextCursor cursor(box_.document());
    cursor.setPosition(0);
    cursor.setPosition(characters, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void LogBox::appendPending() {
    QTextCursor cursor(box_.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QLatin1Char('\n') + joined(pending_));
    for (const QString& line : pending_)
        shownLengths_.push_back(static_cast<int>(line.size()));
}

} // namespace diagnostics
