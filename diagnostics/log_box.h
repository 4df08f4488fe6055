#pragma once

#include "log_buffer.h"

#include <QString>
#include <deque>
#include <string>

class QPlainTextEdit;

namespace diagnostics {

// Keeps a text box showing the lines of a LogBuffer, one paragraph per line. Lines are noted as
// they are sent and reach the box when it catches up: the oldest lines are cut from its start
// and the new ones added at its end, so catching up costs the lines that changed, not the
// whole text. The cut relies on the box counting one character per character of a line plus
// one per paragraph break, which holds for any text, control and separator characters included.
class LogBox {
public:
    explicit LogBox(QPlainTextEdit& box);

    void lineSent(const std::string& s);
    void clear();
    bool behind() const { return !pending_.empty(); }
    // Brings the box level with the buffer the noted lines went to.
    void catchUp(const LogBuffer& buffer);

private:
    void replaceAll(const std::deque<QString>& lines);
    void cutOldest(std::size_t lineCount);
    void appendPending();

    QPlainTextEdit& box_;
    std::deque<int> shownLengths_;
    std::deque<QString> pending_;
};

} // namespace diagnostics
