#include "form_utility.h"

#include <algorithm>
#include <system_error>

namespace FormUtility {

namespace {

bool isControl(unsigned char c) {
    return c < 32 || c == 127;
}

// What the older filter also dropped, for names the program once wrote that way.
bool droppedOnce(unsigned char c) {
    return isControl(c) || c == '"' || c == '*' || c == ':' || c == '|' || c == '\\';
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

template <typename Dropped> std::string without(std::string_view path, Dropped dropped) {
    std::string text;
    for (char c : path)
        if (!dropped(static_cast<unsigned char>(c)))
            text.push_back(c);
    collapseSlashes(text);
    return text;
}

// A relative path is taken from the current folder.
std::string fromCurrentFolder(std::string_view relative) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    std::string joined = error ? std::string(1, '/') : folder.string();
    if (joined.back() != '/')
        joined.push_back('/');
    joined.append(relative);
    return joined;
}

std::string absolute(std::string text, std::int16_t mode) {
    if (text.empty() || text.front() != '/')
        text = fromCurrentFolder(text);
    collapseSlashes(text);
    if (mode == 1 && text.back() != '/')
        text.push_back('/');
    return text;
}

} // namespace

// On Linux only NUL and "/" cannot be in a name, so everything but control characters is kept:
// the file the user chose is the file that is used.
std::string CleanPath(std::string_view path, std::int16_t mode) {
    if (path.empty())
        return "/";
    return absolute(without(path, isControl), mode);
}

std::string LegacyCleanPath(std::string_view path) {
    if (path.empty())
        return "/";
    std::string text = withoutBlanksAtSlashes(without(path, droppedOnce));
    collapseSlashes(text);
    if (!text.starts_with('/'))
        text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return absolute(text, 0);
}

} // namespace FormUtility
