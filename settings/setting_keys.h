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
inline constexpr const char* kChartSection = "Chart";
// Who and what was measured last (the application settings file).
inline constexpr const char* kSampleSettingsSection = "Sample";
inline constexpr const char* kSampleSettingsSample = "Sample";
inline constexpr const char* kSampleSettingsDevice = "Device";
inline constexpr const char* kSampleSettingsOperator = "Operator";
inline constexpr const char* kSampleSettingsComment = "Comment";
inline constexpr const char* kKeepPreviousRun = "KeepPreviousRun";

// A window's default file (<program folder>/<window name>.ini) and configuration files.
inline constexpr const char* kWindowFileExtension = ".ini";
inline constexpr const char* kFormSection = "FORM";
inline constexpr const char* kPlacementSection = "FORM_PLACEMENT";
inline constexpr const char* kPlacementLeft = "Left";
inline constexpr const char* kPlacementTop = "Top";
inline constexpr const char* kPlacementWidth = "Width";
inline constexpr const char* kPlacementHeight = "Height";

// A run record (<data file>.run.ini): section "FORM" as in a configuration file, how the run
// went in section "Run", and an analysis of its readings in section "Analysis" (its keys are the
// analysis's own: analysis/record.h).
inline constexpr const char* kRunRecordExtension = ".run.ini";
inline constexpr const char* kRunSection = "Run";
inline constexpr const char* kAnalysisSection = "Analysis";
inline constexpr const char* kRunStart = "start";
inline constexpr const char* kRunEnd = "end";
inline constexpr const char* kRunVersion = "version";
inline constexpr const char* kRunDriver = "driver";
inline constexpr const char* kRunBoard = "board";
inline constexpr const char* kRunAddress = "address";
inline constexpr const char* kRunDryRun = "dry_run";
// Who and what a run measured (the run record).
inline constexpr const char* kRunSampleSection = "Sample";
inline constexpr const char* kRunSample = "sample";
inline constexpr const char* kRunDevice = "device";
inline constexpr const char* kRunOperator = "operator";
inline constexpr const char* kRunComment = "comment";
inline constexpr const char* kRunReadings = "readings";
inline constexpr const char* kRunExpected = "expected";
inline constexpr const char* kRunMissing = "missing";
inline constexpr const char* kRunUnreadable = "unreadable";
inline constexpr const char* kRunFailedPolls = "failed_polls";
inline constexpr const char* kRunOutcome = "outcome";
inline constexpr const char* kRunSummary = "summary";

} // namespace settings::keys
