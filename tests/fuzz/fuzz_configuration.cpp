// Loading a configuration for a run nobody watches, before any window sees it: the file is read
// (at most 1 MiB), parsed once and must hold one of the panel's settings. Any text either loads,
// holding a panel key and reading every key as the INI document reads that text, or is refused
// with a message that names the file; a text larger than the limit (an input ending in a "pad"
// line grows past it) is always refused.

#include "fuzz_check.h"

#include "platform/app_error.h"
#include "settings/configuration_file.h"
#include "settings/setting_keys.h"

#include <array>
#include <filesystem>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const std::array<std::string, 10> kPanelKeys{
    "txtConfig(0)",  "txtConfig(1)",  "txtConfig(2)",     "txtConfig(5)",   "optionFunction(1)",
    "optionRamp(0)", "txtSampleRate", "txtTotalTestTime", "txtGPIBAddress", "chkYLog"};

const std::string kPad = "\n;pad";

// The file the loader reads: in memory, rewritten for every input, so the run stays fast.
class ScratchFile {
public:
    ScratchFile() : fd_(::memfd_create("tarvix-fuzz-configuration", 0)) {}
    std::filesystem::path write(std::string_view text) const {
        fuzz::require(fd_ >= 0 && ::ftruncate(fd_, 0) == 0 &&
                          ::pwrite(fd_, text.data(), text.size(), 0) ==
                              static_cast<ssize_t>(text.size()),
                      "the scratch file takes the input");
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_;
};

std::string fileText(std::string_view input) {
    std::string text(input);
    if (text.ends_with(kPad))
        text.append(settings::kMostConfigurationBytes, ';');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fileText(fuzz::textOf(data, size));
    static const ScratchFile scratch;
    const std::filesystem::path file = scratch.write(text);
    std::optional<settings::IniDocument> loaded;
    try {
        loaded = settings::ReadRunConfiguration(file, kPanelKeys);
    } catch (const platform::AppError& error) {
        fuzz::require(error.description().find(file.string()) != std::string::npos,
                      "a refusal names the file");
        return 0;
    }
    fuzz::require(text.size() <= settings::kMostConfigurationBytes, "too large is refused");
    const settings::IniDocument direct(text);
    bool holdsAKey = false;
    for (const std::string& key : kPanelKeys) {
        const auto value = loaded->value(settings::keys::kFormSection, key);
        fuzz::require(value == direct.value(settings::keys::kFormSection, key),
                      "read as the document reads the text");
        holdsAKey = holdsAKey || value.has_value();
    }
    fuzz::require(holdsAKey, "a loaded configuration holds a panel key");
    return 0;
}
