#include "run_record.h"

#include "platform/app_error.h"
#include "platform/version.h"
#include "run_texts.h"
#include "settings/setting_keys.h"

#include <cstdio>
#include <ctime>

namespace testrun {

namespace keys = settings::keys;

std::string isoLocalTime(std::chrono::system_clock::time_point time) {
    const std::tm local = localTimeOf(time);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char offset[24];
    std::snprintf(offset, sizeof offset, "%c%02ld:%02ld", offsetMinutes < 0 ? '-' : '+',
                  magnitude / 60, magnitude % 60);
    return std::string(stamp) + offset;
}

std::string runRecordText(const RunRecord& record) {
    settings::IniDocument document;
    // A value one INI line cannot hold is left out, as a configuration file leaves it out.
    const auto set = [&](const char* section, const std::string& key, const std::string& value) {
        try {
            document.setValue(section, key, value);
        } catch (const platform::AppError&) {
        }
    };
    const auto run = [&](const char* key, const std::string& value) {
        set(keys::kRunSection, key, value);
    };
    const RunReport& report = record.report;
    run(keys::kRunStart, isoLocalTime(record.start));
    run(keys::kRunEnd, isoLocalTime(record.end));
    run(keys::kRunVersion, platform::kAppVersion);
    run(keys::kRunDriver, record.driver);
    run(keys::kRunBoard, std::to_string(record.board));
    run(keys::kRunAddress, std::to_string(record.address));
    if (record.dryRun)
        run(keys::kRunDryRun, "1");
    run(keys::kRunReadings, std::to_string(report.filed));
    if (report.expected)
        run(keys::kRunExpected, std::to_string(*report.expected));
    run(keys::kRunMissing, std::to_string(report.missing()));
    run(keys::kRunUnreadable, std::to_string(report.unreadable));
    run(keys::kRunFailedPolls, std::to_string(report.failedPolls));
    run(keys::kRunOutcome, outcomeKeyword(report));
    run(keys::kRunSummary, report.summary());
    const auto sample = [&](const char* key, const std::string& value) {
        set(keys::kRunSampleSection, key, value);
    };
    sample(keys::kRunSample, record.sample.sample);
    sample(keys::kRunDevice, record.sample.device);
    sample(keys::kRunOperator, record.sample.operatorName);
    sample(keys::kRunComment, record.sample.comment);
    for (const auto& [key, value] : record.form)
        set(keys::kFormSection, key, value);
    for (const auto& [key, value] : record.analysis)
        set(keys::kAnalysisSection, key, value);
    return document.text();
}

bool isRunRecord(const settings::IniDocument& document) {
    return document.value(keys::kRunSection, keys::kRunOutcome).has_value();
}

} // namespace testrun
