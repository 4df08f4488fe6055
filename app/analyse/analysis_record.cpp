#include "analysis_record.h"

#include "app/testrun/run_record.h"
#include "platform/app_error.h"
#include "settings/configuration_file.h"
#include "settings/setting_keys.h"
#include "settings/whole_file.h"

namespace analyse {

namespace {

constexpr const char* kSource = "AnalysisRecord";

} // namespace

void writeAnalysisSection(const std::filesystem::path& record,
                          std::span<const analysis::RecordLine> lines) {
    std::optional<settings::IniDocument> document = settings::ReadConfigurationFile(record);
    if (!document)
        throw platform::AppError(platform::errnum::FileNotFound,
                                 "File not found (" + record.string() + ")", kSource);
    // A file the user put in the record's place is theirs, not the run's.
    if (!testrun::isRunRecord(*document))
        throw platform::AppError(platform::errnum::PathFileAccess,
                                 "Path/File access error (" + record.string() +
                                     " is no longer the record of this run)",
                                 kSource);
    document->removeSection(settings::keys::kAnalysisSection);
    for (const auto& [key, value] : lines)
        document->setValue(settings::keys::kAnalysisSection, key, value);
    settings::writeFileAtomically(record, document->text());
}

} // namespace analyse
