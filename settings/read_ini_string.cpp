#include "form_utility.h"

#include "settings/private_profile.h"

namespace FormUtility {

namespace {

std::string valueOrDefault(std::string value, std::string_view defaultValue) {
    return value.empty() ? std::string(defaultValue) : value;
}

} // namespace

std::string ReadIniString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, const std::filesystem::path& file) {
    return valueOrDefault(
        settings::GetPrivateProfileStringA(section, key, "", kIniReadBuffer, file), defaultValue);
}

std::string ReadIniString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, const settings::IniDocument& document) {
    return valueOrDefault(
        settings::GetPrivateProfileStringA(section, key, "", kIniReadBuffer, document),
        defaultValue);
}

} // namespace FormUtility
