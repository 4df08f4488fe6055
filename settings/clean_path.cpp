#include "form_utility.h"

#include <system_error>

namespace FormUtility {

namespace {

// What a path may not hold here or where the program's files came from.
bool allowedInPath(unsigned char c) {
    if (c < 32 || c == 127)
        return false;
    return c != '"' && c != '*' && c != ':' && c != '|' && c != '\\';
}

void collapseSlashes(std::string& text) {
    for (std::size_t at = text.find("//"); at != std::string::npos; at = text.find("//", at))
        text.erase(at, 1);
}

// Blanks directly before or after a "/" go; blanks inside a name stay.
std::string withoutBlanksAtSlashes(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != ' ') {
            result += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] == ' ')
            ++end;
        const bool atSlash =
            (i > 0 && text[i - 1] == '/') || (end < text.size() && text[end] == '/');
        if (!atSlash)
            result.append(text, i, end - i);
        i = end;
    }
    return result;
}

// A relative path is taken from the current folder.
std::string fromCurrentFolder(std::string_view relative) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    std::string joined = error ? std::string(1, '/') : folder.string();
    if (joined.back() != '/')
        joined.push_back('/');
    if (const std::size_t nameStart = relative.find_first_not_of(' '); nameStart != relative.npos)
        joined.append(relative.substr(nameStart));
    return joined;
}

std::string tidied(std::string_view path) {
    std::string text;
    for (char c : path)
        if (allowedInPath(static_cast<unsigned char>(c)))
            text.push_back(c);
    collapseSlashes(text);
    text = withoutBlanksAtSlashes(text);
    collapseSlashes(text);
    return text;
}

} // namespace

std::string CleanPath(std::string_view path, std::int16_t mode) {
    std::string text = path.empty() ? std::string(1, '/') : tidied(path);
    if (text.empty() || text.front() != '/')
        text = fromCurrentFolder(text);
    if (mode == 1 && text.back() != '/')
        text.push_back('/');
    return text;
}

} // namespace FormUtility
