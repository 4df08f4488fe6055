#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

// The text of an INI file held line by line. Reading follows the private-profile rules: section
// and key names match without regard to case, the first matching section and the first matching
// key in it win, values are trimmed and lose one pair of enclosing quotes. Writing changes one
// line and keeps every other line, comment, blank line and line ending as it was.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The key's value, or nullopt when the section or the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // The section's keys and values in order, as value() reads each (a key given twice once, the
    // first); empty when the section is absent.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    // The names of the sections in the order they come, as spelt, a section given twice twice.
    std::vector<std::string> sections() const;

    // Sets the key: its line is changed in place, or the key is added at the end of its
    // section, or the section is added at the end. Raises an AppError (5) for a name or value
    // that one INI line cannot hold (a line break, "]" in a section name, "=" in a key).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Takes out every section of the name with its lines (and, for the last section, the blank
    // lines before it); the rest stays as it was.
    void removeSection(std::string_view section);

    // The keys of the section that are given more than once (the first value is the one read),
    // each once, as first spelt.
    std::vector<std::string> repeatedKeys(std::string_view section) const;

    std::string text() const;

private:
    struct SectionRange {
        std::size_t header;
        std::size_t end; // one past the section's last line
    };

    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const SectionRange& range, std::string_view key) const;
    void addKey(const SectionRange& range, std::string line);
    void addSection(std::string_view section, std::string line);
    std::string ended(std::string line) const;

    std::vector<std::string> lines_; // without their line feeds; a carriage return stays
    bool finalLineFeed_ = false;
    bool byteOrderMark_ = false;
    bool crlf_ = false;
};

} // namespace settings
