#include "settings/app_settings.h"

#include "quenta/numtext/numtext.h"
#include "settings/form_utility.h"
#include "settings/private_profile.h"
#include "settings/setting_keys.h"

#include <system_error>

namespace fs = std::filesystem;

namespace settings {

namespace {

fs::path settingsFile(const fs::path& programFolder) {
    return programFolder / keys::kAppSettingsFile;
}

// A new file starts with the board id, so a user who opens it finds the key to change.
fs::path startedSettingsFile(const fs::path& programFolder) {
    const fs::path file = settingsFile(programFolder);
    if (!FormUtility::FileExists(file))
        WritePrivateProfileStringA(keys::kGpibSection, keys::kGpibBoardId, "0", file);
    return file;
}

} // namespace

AppSettings LoadAppSettings(const fs::path& programFolder) {
    const fs::path file = settingsFile(programFolder);
    AppSettings loaded;
    loaded.currentConfigPath =
        FormUtility::ReadIniString(keys::kConfigSection, keys::kConfigPath, "", file);
    loaded.boardId =
        numtext::toInt16(GetPrivateProfileIntA(keys::kGpibSection, keys::kGpibBoardId, 0, file));
    loaded.keepPreviousRun =
        GetPrivateProfileIntA(keys::kChartSection, keys::kKeepPreviousRun, 0, file) != 0;
    return loaded;
}

void SaveAppSettings(const fs::path& programFolder, const std::string& currentConfigPath) {
    const fs::path file = startedSettingsFile(programFolder);
    if (!currentConfigPath.empty() && FormUtility::FileExists(currentConfigPath))
        WritePrivateProfileStringA(keys::kConfigSection, keys::kConfigPath, currentConfigPath,
                                   file);
}

void ForgetConfigPath(const fs::path& programFolder) {
    WritePrivateProfileStringA(keys::kConfigSection, keys::kConfigPath, "",
                               startedSettingsFile(programFolder));
}

StoredSample LoadSample(const fs::path& programFolder) {
    const fs::path file = settingsFile(programFolder);
    const auto read = [&](const char* key) {
        return FormUtility::ReadIniString(keys::kSampleSettingsSection, key, "", file);
    };
    return {read(keys::kSampleSettingsSample), read(keys::kSampleSettingsDevice),
            read(keys::kSampleSettingsOperator), read(keys::kSampleSettingsComment)};
}

// A value one INI line cannot hold (a line break) is cut at it.
void SaveSample(const fs::path& programFolder, const StoredSample& sample) {
    const fs::path file = startedSettingsFile(programFolder);
    const auto write = [&](const char* key, const std::string& value) {
        WritePrivateProfileStringA(keys::kSampleSettingsSection, key,
                                   value.substr(0, value.find_first_of("\r\n")), file);
    };
    write(keys::kSampleSettingsSample, sample.sample);
    write(keys::kSampleSettingsDevice, sample.device);
    write(keys::kSampleSettingsOperator, sample.operatorName);
    write(keys::kSampleSettingsComment, sample.comment);
}

void SaveKeepPreviousRun(const fs::path& programFolder, bool keep) {
    WritePrivateProfileStringA(keys::kChartSection, keys::kKeepPreviousRun, keep ? "1" : "0",
                               startedSettingsFile(programFolder));
}

void SeedProgramFolder(const fs::path& programFolder, const fs::path& shippedConfigFolder) {
    const fs::path config = programFolder / "config";
    std::error_code error;
    if (fs::exists(config, error) || !fs::is_directory(shippedConfigFolder, error))
        return;
    fs::create_directories(config, error);
    for (const fs::directory_entry& entry : fs::directory_iterator(shippedConfigFolder, error))
        if (entry.is_regular_file(error))
            fs::copy_file(entry.path(), config / entry.path().filename(), error);
}

} // namespace settings
