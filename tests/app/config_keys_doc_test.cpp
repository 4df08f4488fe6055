// The table of configuration keys in the user guide and in the manual page is the panel's own:
// every key the panel saves is there once and no other, each numeric field with the range it
// holds its value in, and each setting with the value a new program folder gives it.

#include "main_window_support.h"

#include "quenta/numtext/numtext.h"
#include "settings/form_controls.h"
#include "support/temp_folder.h"

#include <QVariant>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

namespace {

using Cells = std::vector<std::string>;

// One row of the table: its keys ("a(0) ... a(2)" stands for a(0), a(1) and a(2)), the accepted
// values and what a missing key gives.
struct Row {
    std::vector<std::string> keys;
    std::string accepted;
    std::string missing;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// "name(3)" as its name and index; nullopt for anything else.
std::optional<std::pair<std::string, int>> indexedKey(const std::string& key) {
    const std::size_t open = key.find('(');
    if (open == std::string::npos || open == 0 || !key.ends_with(")"))
        return std::nullopt;
    const std::string digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::pair{key.substr(0, open), std::stoi(digits)};
}

std::vector<std::string> keysOf(const std::string& cell) {
    const std::size_t dots = cell.find(" ... ");
    if (dots == std::string::npos)
        return {cell};
    const auto first = indexedKey(cell.substr(0, dots));
    const auto last = indexedKey(cell.substr(dots + 5));
    if (!first || !last || first->first != last->first)
        return {cell};
    std::vector<std::string> keys;
    for (int i = first->second; i <= last->second; ++i)
        keys.push_back(first->first + "(" + std::to_string(i) + ")");
    return keys;
}

// The text between the first `open` and the next `close` at or after `from`, and where it ends.
std::optional<std::pair<std::string, std::size_t>> between(const std::string& text,
                                                           const std::string& open,
                                                           const std::string& close,
                                                           std::size_t from) {
    const std::size_t start = text.find(open, from);
    if (start == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find(close, start + open.size());
    if (end == std::string::npos)
        return std::nullopt;
    return std::pair{text.substr(start + open.size(), end - start - open.size()),
                     end + close.size()};
}

std::string withoutTags(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<' || c == '>')
            inTag = c == '<';
        else if (!inTag)
            text.push_back(c);
    }
    return text;
}

std::vector<Row> rowsOf(const std::vector<Cells>& table, std::size_t acceptedColumn) {
    std::vector<Row> rows;
    for (const Cells& cells : table) {
        EXPECT_EQ(cells.size(), acceptedColumn + 2) << cells.front();
        if (cells.front() != "Key" && cells.size() == acceptedColumn + 2)
            rows.push_back({keysOf(cells.front()), cells[acceptedColumn], cells.back()});
    }
    return rows;
}

// The table's rows, each cell's text without its tags: a cell is a <td> or <th> element.
std::vector<Cells> htmlTable(const std::string& html) {
    const std::size_t start = html.find("<table id=\"config-key-table\">");
    const std::string table = html.substr(start, html.find("</table>", start) - start);
    std::vector<Cells> rows;
    for (auto row = between(table, "<tr>", "</tr>", 0); row;
         row = between(table, "<tr>", "</tr>", row->second)) {
        Cells cells;
        const std::string& line = row->first;
        for (std::size_t at = line.find("<t"); at != std::string::npos; at = line.find("<t", at)) {
            const std::size_t opened = line.find('>', at) + 1;
            const std::size_t closed = line.find("</t", opened);
            cells.push_back(
                replaced(withoutTags(line.substr(opened, closed - opened)), "&hellip;", " ... "));
            at = closed + 3;
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string roffText(std::string text) {
    for (const char* escape : {"\\fB", "\\fR", "\\fI", "\\%", "\\&"})
        text = replaced(text, escape, "");
    return replaced(text, "\\-", "-");
}

// The cells of the page's table: plain ones separated by tabs, text blocks between T{ and T}.
std::vector<Cells> manTable(const std::string& page) {
    const std::size_t section = page.find("\n.SH CONFIGURATION FILES");
    std::istringstream lines(page.substr(page.find("\n.TS\n", section)));
    std::vector<Cells> rows;
    Cells row;
    std::string line, block;
    bool inBlock = false, inFormat = true;
    while (std::getline(lines, line) && line != ".TE") {
        if (inFormat) {
            inFormat = line.empty() || line.back() != '.';
        } else if (inBlock && line.starts_with("T}")) {
            row.push_back(roffText(block));
            block.clear();
            inBlock = line == "T}\tT{";
            if (line == "T}")
                rows.push_back(std::exchange(row, {}));
        } else if (inBlock) {
            if (!line.starts_with("."))
                block += (block.empty() ? "" : " ") + line;
        } else if (line == "T{") {
            inBlock = true;
        } else {
            std::istringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '\t');)
                row.push_back(roffText(cell));
            rows.push_back(std::exchange(row, {}));
        }
    }
    return rows;
}

std::string sourceFile(const char* relative) {
    const char* source = std::getenv("TARVIX_SOURCE_DIR");
    if (!source)
        throw std::runtime_error("TARVIX_SOURCE_DIR is not set; run the tests through ctest");
    return testsupport::fileText(std::filesystem::path(source) / relative);
}

class ConfigurationKeyTable : public apptest::MainWindow {
protected:
    // The panel as a run with --run in a new program folder has it, given a file of one key.
    ConfigurationKeyTable() {
        window.show();
        const std::filesystem::path file = programFolder / "one_key.ini";
        std::ofstream(file) << "[FORM]\ntxtGPIBAddress=16\n";
        window.LoadRunConfiguration(file.string());
        for (const auto& [key, value] : settings::FormValues(window.controls()))
            fresh[key] = value;
    }

    void checkAgainstThePanel(const std::vector<Row>& rows) {
        std::vector<std::string> documented;
        for (const Row& row : rows) {
            documented.insert(documented.end(), row.keys.begin(), row.keys.end());
            checkRow(row);
        }
        std::vector<std::string> saved = settings::FormKeys(window.controls());
        std::sort(documented.begin(), documented.end());
        std::sort(saved.begin(), saved.end());
        EXPECT_EQ(documented, saved);
    }

    void checkRow(const Row& row) {
        const settings::RegisteredControl* control = find(row.keys.front());
        ASSERT_NE(control, nullptr) << row.keys.front() << " is no key of the panel";
        if (control->kind == settings::ControlKind::OptionButton) {
            const auto selected = std::find_if(row.keys.begin(), row.keys.end(),
                                               [&](const auto& key) { return fresh[key] == "1"; });
            ASSERT_NE(selected, row.keys.end()) << row.keys.front();
            const std::string index = "(" + std::to_string(selected - row.keys.begin()) + ")";
            EXPECT_TRUE(row.missing.starts_with(index)) << row.keys.front() << ": " << row.missing;
            return;
        }
        const std::string value = fresh[row.keys.front()];
        EXPECT_TRUE(value.empty() ? row.missing == "empty"
                                  : row.missing == value || row.missing.starts_with(value + " "))
            << row.keys.front() << ": '" << row.missing << "', the panel gives '" << value << "'";
        if (control->kind == settings::ControlKind::NumericField) {
            const std::string range =
                numtext::formatGeneral(control->widget->property("Min").toDouble()) + " to " +
                numtext::formatGeneral(control->widget->property("Max").toDouble());
            EXPECT_TRUE(row.accepted.starts_with(range))
                << row.keys.front() << ": " << row.accepted;
        }
    }

    const settings::RegisteredControl* find(const std::string& key) const {
        for (const settings::RegisteredControl& control : window.controls().controls())
            if (control.key().toStdString() == key)
                return &control;
        return nullptr;
    }

    std::map<std::string, std::string> fresh;
};

TEST_F(ConfigurationKeyTable, TheUserGuideListsEveryKeyOfThePanel) {
    checkAgainstThePanel(rowsOf(htmlTable(sourceFile("share/help.html")), 3));
}

TEST_F(ConfigurationKeyTable, TheManualPageListsEveryKeyOfThePanel) {
    checkAgainstThePanel(rowsOf(manTable(sourceFile("share/man/tarvix4140.1.in")), 2));
}

} // namespace
