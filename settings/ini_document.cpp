#include "ini_document.h"

#include "platform/app_error.h"

#include <algorithm>

namespace settings {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// "[name]" gives the name; any other line nullopt. A missing "]" still makes a header.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.find(']');
    return trim(text.substr(1, close == std::string_view::npos ? close : close - 1));
}

bool isComment(std::string_view line) {
    const std::string_view text = trim(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// The position of the "=" of a "key=value" line whose trimmed key is the given one.
std::optional<std::size_t> keyEquals(std::string_view line, std::string_view key) {
    if (isComment(line))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !equalsNoCase(trim(line.substr(0, equals)), key))
        return std::nullopt;
    return equals;
}

std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void refuse(std::string_view what, std::string_view text) {
    throw platform::AppError(platform::errnum::InvalidArgument,
                             "Invalid procedure call or argument (an INI " + std::string(what) +
                                 " cannot hold \"" + std::string(text) + "\")",
                             "IniDocument");
}

void checkStorable(std::string_view section, std::string_view key, std::string_view value) {
    const auto hasLineBreak = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (trim(section).empty() || hasLineBreak(section) || section.find(']') != section.npos)
        refuse("section name", section);
    const std::string_view name = trim(key);
    if (name.empty() || hasLineBreak(key) || key.find('=') != key.npos || name.front() == '[' ||
        name.front() == ';' || name.front() == '#')
        refuse("key", key);
    if (hasLineBreak(value))
        refuse("value", value);
}

} // namespace

// Editors on other systems start UTF-8 files with a byte order mark; it is no part of the first
// line (which would then name no section), and it is written back as it was.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

IniDocument::IniDocument(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        if (feed == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    finalLineFeed_ = !text.empty() && text.back() == '\n';
    crlf_ = !lines_.empty() && text.find('\n') != std::string_view::npos &&
            !lines_.front().empty() && lines_.front().back() == '\r';
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view section) const {
    const std::string_view wanted = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !equalsNoCase(*name, wanted))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const SectionRange& range,
                                                std::string_view key) const {
    const std::string_view wanted = trim(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (keyEquals(lines_[i], wanted))
            return i;
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index)
        return std::nullopt;
    const std::string_view line = lines_[*index];
    return unquoted(trim(line.substr(*keyEquals(line, trim(key)) + 1)));
}

std::vector<std::pair<std::string, std::string>>
IniDocument::entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto range = findSection(section);
    for (std::size_t i = range ? range->header + 1 : 0; range && i < range->end; ++i) {
        const std::string_view line = lines_[i];
        const std::size_t equals = line.find('=');
        const std::string_view key = trim(line.substr(0, equals));
        if (isComment(line) || equals == std::string_view::npos || key.empty() ||
            std::ranges::any_of(entries, [&](const auto& e) { return equalsNoCase(e.first, key); }))
            continue;
        entries.emplace_back(key, unquoted(trim(line.substr(equals + 1))));
    }
    return entries;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (const auto name = sectionName(line))
            names.emplace_back(*name);
    return names;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    checkStorable(section, key, value);
    const std::string newLine = std::string(trim(key)) + "=" + std::string(value);
    const auto range = findSection(section);
    if (!range) {
        addSection(trim(section), newLine);
        return;
    }
    const auto index = findKey(*range, key);
    if (!index) {
        addKey(*range, newLine);
        return;
    }
    // Keep the key's own spelling and the blanks around "=", so a diff shows only the value. The
    // value's own leading blanks go: reading drops them anyway, and kept beside the line's blanks
    // they would pile up by one more at every write of the same value.
    std::string& line = lines_[*index];
    std::size_t valueStart = *keyEquals(line, trim(key)) + 1;
    while (valueStart < line.size() && (line[valueStart] == ' ' || line[valueStart] == '\t'))
        ++valueStart;
    const bool hadReturn = !line.empty() && line.back() == '\r';
    value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
    line = line.substr(0, valueStart) + std::string(value) + (hadReturn ? "\r" : "");
}

// A new key goes after the section's last non-blank line, so blank lines that separate it
// from the next section stay where they are.
void IniDocument::addKey(const SectionRange& range, std::string line) {
    std::size_t at = range.end;
    while (at > range.header + 1 && trim(lines_[at - 1]).empty())
        --at;
    if (at == lines_.size())
        finalLineFeed_ = true;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), ended(std::move(line)));
}

void IniDocument::addSection(std::string_view section, std::string line) {
    if (!lines_.empty() && !trim(lines_.back()).empty())
        lines_.push_back(ended(""));
    std::string header(1, '[');
    header.append(section).push_back(']');
    lines_.push_back(ended(std::move(header)));
    lines_.push_back(ended(std::move(line)));
    finalLineFeed_ = true;
}

void IniDocument::removeSection(std::string_view section) {
    while (const auto range = findSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
        // The blank lines that set the last section apart go with it.
        if (range->header == lines_.size())
            while (!lines_.empty() && trim(lines_.back()).empty())
                lines_.pop_back();
    }
}

std::string IniDocument::ended(std::string line) const {
    return crlf_ ? line + "\r" : line;
}

std::vector<std::string> IniDocument::repeatedKeys(std::string_view section) const {
    std::vector<std::string> repeated;
    const auto range = findSection(section);
    if (!range)
        return repeated;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const std::string_view line = lines_[i];
        const std::size_t equals = line.find('=');
        if (isComment(line) || equals == std::string_view::npos)
            continue;
        const std::string key(trim(line.substr(0, equals)));
        const bool seen = std::any_of(repeated.begin(), repeated.end(),
                                      [&](const std::string& r) { return equalsNoCase(r, key); });
        if (!seen && findKey(*range, key) != i)
            repeated.push_back(key);
    }
    return repeated;
}

std::string IniDocument::text() const {
    std::string result(byteOrderMark_ ? kByteOrderMark : std::string_view());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        result += lines_[i];
        if (i + 1 < lines_.size() || finalLineFeed_)
            result += '\n';
    }
    return result;
}

} // namespace settings
