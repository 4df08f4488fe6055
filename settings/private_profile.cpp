#include "private_profile.h"

#include "platform/app_error.h"
#include "settings/ini_file.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace settings {

namespace {

std::optional<std::string> readValue(std::string_view section, std::string_view key,
                                     const std::filesystem::path& file) {
    try {
        return IniFile(file).value(section, key);
    } catch (const platform::AppError&) {
        return std::nullopt;
    }
}

// Reads an optional sign and the digits that follow, as C's strtol does in base 10.
int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    const long long value =
        negative ? -magnitude : std::min(magnitude, static_cast<long long>(INT_MAX));
    return static_cast<int>(value);
}

std::string stringOrDefault(const std::optional<std::string>& value, std::string_view defaultValue,
                            std::size_t bufferSize) {
    const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
    if (value)
        return value->substr(0, room);
    while (!defaultValue.empty() && defaultValue.back() == ' ')
        defaultValue.remove_suffix(1);
    return std::string(defaultValue.substr(0, room));
}

int integerOrDefault(const std::optional<std::string>& value, int defaultValue) {
    if (!value || value->empty())
        return defaultValue;
    return leadingInteger(*value);
}

} // namespace

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize,
                                     const std::filesystem::path& file) {
    return stringOrDefault(readValue(section, key, file), defaultValue, bufferSize);
}

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize,
                                     const IniDocument& document) {
    return stringOrDefault(document.value(section, key), defaultValue, bufferSize);
}

int GetPrivateProfileIntA(std::string_view section, std::string_view key, int defaultValue,
                          const std::filesystem::path& file) {
    return integerOrDefault(readValue(section, key, file), defaultValue);
}

int GetPrivateProfileIntA(std::string_view section, std::string_view key, int defaultValue,
                          const IniDocument& document) {
    return integerOrDefault(document.value(section, key), defaultValue);
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const std::filesystem::path& file) {
    try {
        IniFile ini(file);
        ini.setValue(section, key, value);
        ini.commit();
        return true;
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
        return false;
    }
}

} // namespace settings
