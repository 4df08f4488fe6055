#pragma once

#include "settings/ini_document.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace settings {

// A configuration file is small; anything larger is not one (and /dev/zero never ends).
inline constexpr std::size_t kMostConfigurationBytes = 1 << 20;

// A configuration file read whole and parsed once, for loading every control from it; nullopt
// when there is no such file. Raises an AppError that names the file and what is wrong: a
// folder, unreadable, larger than kMostConfigurationBytes.
std::optional<IniDocument> ReadConfigurationFile(const std::filesystem::path& file);

// The same for a run nobody watches, which must not fall back on whatever the panel held: the
// file must also exist and hold at least one of the panel's keys in section "FORM".
IniDocument ReadRunConfiguration(const std::filesystem::path& file,
                                 std::span<const std::string> panelKeys);

} // namespace settings
