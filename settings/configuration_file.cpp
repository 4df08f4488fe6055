#include "settings/configuration_file.h"

#include "platform/app_error.h"
#include "settings/setting_keys.h"
#include "settings/whole_file.h"

#include <algorithm>
#include <cerrno>

namespace settings {

namespace {

constexpr const char* kSource = "LoadConfigFile";

platform::AppError unusable(const std::filesystem::path& file, const std::string& why) {
    return platform::AppError(platform::errnum::PathFileAccess,
                              "Path/File access error (" + file.string() + ": " + why + ")",
                              kSource);
}

} // namespace

std::optional<IniDocument> ReadConfigurationFile(const std::filesystem::path& file) {
    const std::optional<std::string> text = readWholeFile(file, kMostConfigurationBytes);
    if (!text)
        return std::nullopt;
    return IniDocument(*text);
}

IniDocument ReadRunConfiguration(const std::filesystem::path& file,
                                 std::span<const std::string> panelKeys) {
    std::optional<IniDocument> document = ReadConfigurationFile(file);
    if (!document)
        throw platform::fileError(ENOENT, file.string(), kSource);
    const bool holdsAKey = std::any_of(panelKeys.begin(), panelKeys.end(), [&](const auto& key) {
        return document->value(keys::kFormSection, key).has_value();
    });
    if (!holdsAKey)
        throw unusable(file, "not a configuration file: it holds none of the panel's settings");
    return std::move(*document);
}

} // namespace settings
