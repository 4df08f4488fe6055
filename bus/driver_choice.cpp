#include "bus/driver_choice.h"

#include "bus/driver_binding.h"
#include "settings/form_utility.h"
#include "settings/setting_keys.h"

namespace bus {

DriverChoice driverCandidates(const std::optional<std::string>& option,
                              const platform::ProgramFolders& folders) {
    namespace keys = settings::keys;
    const std::string setting = FormUtility::ReadIniString(
        keys::kGpibSection, keys::kGpibDriver, "", folders.program / keys::kAppSettingsFile);
    return DriverBinding::candidateNames(option, setting, folders.privateLibFolder());
}

} // namespace bus
