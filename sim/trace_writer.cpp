#include "sim/trace_writer.h"

#include <charconv>

namespace gpibsim {

namespace {

std::string timeText(double seconds) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3);
    return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

std::string hexText(int value) {
    char buffer[16];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned>(value), 16);
    std::string text(buffer, end);
    for (char& c : text)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string optionalNumber(std::optional<int> value) {
    return value ? std::to_string(*value) : std::string("-");
}

} // namespace

bool TraceWriter::open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "ae");
    if (!file)
        return false;
    file_.reset(file);
    return true;
}

std::string TraceWriter::escape(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\t')
            text += "\\t";
        else if (c == '\\')
            text += "\\\\";
        else if (byte < 0x20 || byte == 0x7F)
            text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
        else
            text += c;
    }
    return text;
}

std::string TraceWriter::line(const TraceEntry& e) {
    std::string text = timeText(e.time) + '\t' + std::string(e.function) + '\t' +
                       optionalNumber(e.board) + '\t' + optionalNumber(e.address) + '\t' +
                       escape(e.data) + "\tibsta=0x" + hexText(e.ibsta) +
                       "\tiberr=" + std::to_string(e.iberr);
    for (const std::string& note : e.notes)
        text += "\tnote=" + escape(note);
    if (e.lost)
        text += "\tlost=" + std::to_string(*e.lost);
    return text;
}

void TraceWriter::write(const TraceEntry& entry) {
    if (file_)
        put(line(entry));
}

void TraceWriter::note(double time, std::string_view text) {
    if (file_)
        put(timeText(time) + "\tnote\t" + escape(text));
}

void TraceWriter::put(const std::string& text) {
    std::fputs((text + '\n').c_str(), file_.get());
    std::fflush(file_.get());
}

} // namespace gpibsim
