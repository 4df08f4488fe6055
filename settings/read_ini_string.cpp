#include "form_utility.h"

#include "settings/private_profile.h"

namespace FormUtility {

std::string ReadIniString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, const std::filesystem::path& file) {
    std::string value = settings::GetPrivateProfileStringA(section, key, "", kIniReadBuffer, file);
    return value.empty() ? std::string(defaultValue) : value;
}

} // namespace FormUtility
