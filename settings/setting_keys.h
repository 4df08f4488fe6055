#pragma once

// Every section and key name the program's INI files use, in one place. Names are matched
// without regard to case, so the spelling here is only what new files get.
namespace settings::keys {

// The application settings file in the program folder.
inline constexpr const char* kAppSettingsFile = "Tarvix-4140.ini";
inline constexpr const char* kConfigSection = "Config";
inline constexpr const char* kConfigPath = "Path";
inline constexpr const char* kGpibSection = "GPIB";
inline constexpr const char* kGpibBoardId = "BoardID";
inline constexpr const char* kGpibDriver = "Driver";

// A window's default file (<program folder>/<window name>.ini) and configuration files.
inline constexpr const char* kWindowFileExtension = ".ini";
inline constexpr const char* kFormSection = "FORM";
inline constexpr const char* kPlacementSection = "FORM_PLACEMENT";
inline constexpr const char* kPlacementLeft = "Left";
inline constexpr const char* kPlacementTop = "Top";
inline constexpr const char* kPlacementWidth = "Width";
inline constexpr const char* kPlacementHeight = "Height";

} // namespace settings::keys
