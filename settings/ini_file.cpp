#include "ini_file.h"

#include "settings/whole_file.h"

namespace settings {

IniFile::IniFile(std::filesystem::path path)
    : path_(std::move(path)), document_(readWholeFile(path_).value_or(std::string{})) {}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    document_.setValue(section, key, value);
    changed_ = true;
}

void IniFile::commit() {
    if (!changed_)
        return;
    writeFileAtomically(path_, document_.text());
    changed_ = false;
}

} // namespace settings
