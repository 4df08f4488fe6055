#pragma once

#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace gpibsim::test {

// The shared temporary folder, with the names the simulator tests use.
class TempDir : public testsupport::TempFolder {
public:
    std::string file(const std::string& name) const { return (path() / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        testsupport::putFile(path() / name, text);
        return file(name);
    }
};

inline std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (auto tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace gpibsim::test
