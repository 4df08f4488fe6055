// The INI document on any text and any write (the input's first three lines are the section,
// the key and the value, the rest the document). An unchanged document writes its text back as
// read; a write the document refuses changes nothing; a value set reads back as it reads from a
// document of its own, also after the text is read again; no other key changes; writing the
// same value again changes nothing.

#include "fuzz_check.h"

#include "platform/app_error.h"
#include "settings/ini_document.h"

#include <set>

namespace {

using settings::IniDocument;

// Candidate section and key names: what the document's lines hold before "]" and "=", a few of
// each, so that every pair can be compared.
struct Names {
    std::set<std::string> sections;
    std::set<std::string> keys;
};

Names namesIn(std::string_view text) {
    constexpr std::size_t kEnough = 24;
    Names names;
    while (!text.empty()) {
        const std::string_view line = fuzz::firstLine(text);
        const std::size_t open = line.find('[');
        if (open != std::string_view::npos && names.sections.size() < kEnough)
            names.sections.emplace(line.substr(open + 1, line.find(']', open) - open - 1));
        if (const std::size_t equals = line.find('=');
            equals != std::string_view::npos && names.keys.size() < kEnough)
            names.keys.emplace(line.substr(0, equals));
    }
    return names;
}

// Whether (section, key) names the key that was set, by the document's own matching rules.
bool namesTheKeySet(const IniDocument& keyAlone, const std::string& section,
                    const std::string& key) {
    return keyAlone.value(section, key).has_value();
}

void checkOtherKeysKept(std::string_view original, const IniDocument& before,
                        const IniDocument& after, const IniDocument& keyAlone) {
    const Names names = namesIn(original);
    for (const std::string& section : names.sections)
        for (const std::string& key : names.keys)
            if (!namesTheKeySet(keyAlone, section, key))
                fuzz::require(before.value(section, key) == after.value(section, key),
                              "no other key changes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view original = fuzz::textOf(data, size);
    const std::string_view section = fuzz::firstLine(original);
    const std::string_view key = fuzz::firstLine(original);
    const std::string_view value = fuzz::firstLine(original);
    const IniDocument before(original);
    fuzz::require(before.text() == original, "an unchanged document writes its text back");

    IniDocument after(original);
    IniDocument keyAlone;
    try {
        keyAlone.setValue(section, key, value);
        after.setValue(section, key, value);
    } catch (const platform::AppError&) {
        fuzz::require(after.text() == original, "a refused write changes nothing");
        return 0;
    }
    const std::optional<std::string> expected = keyAlone.value(section, key);
    fuzz::require(expected && after.value(section, key) == expected, "a value set reads back");
    fuzz::require(IniDocument(after.text()).value(section, key) == expected,
                  "a value set reads back from the text written");
    checkOtherKeysKept(original, before, after, keyAlone);
    const std::string written = after.text();
    after.setValue(section, key, value);
    fuzz::require(after.text() == written, "writing the same value again changes nothing");
    return 0;
}
