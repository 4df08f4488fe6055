#include "data_file_names.h"

#include "settings/setting_keys.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace datafile {

namespace {

bool taken(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error)) ||
           fs::exists(fs::symlink_status(journalPathOf(path), error));
}

fs::path numbered(const fs::path& path, int number) {
    fs::path name = path.stem();
    name += "-" + std::to_string(number);
    name += path.extension();
    return path.parent_path() / name;
}

} // namespace

fs::path unsavedReadingsPath(const fs::path& programFolder,
                             std::chrono::system_clock::time_point now,
                             std::string_view extension) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return programFolder / "data" / ("unsaved-" + std::string(stamp) + std::string(extension));
}

fs::path dataFolder(const fs::path& dataPath, const fs::path& programFolder) {
    return dataPath.empty() ? programFolder / "data" / "" : dataPath.parent_path();
}

fs::path journalPathOf(const fs::path& dataPath) {
    fs::path journal = dataPath;
    journal += kJournalExtension;
    return journal;
}

fs::path runRecordPathOf(const fs::path& dataPath) {
    fs::path record = dataPath;
    const std::string extension = dataPath.extension().string();
    if (extension.size() == 4 &&
        std::equal(extension.begin(), extension.end(), ".txt",
                   [](unsigned char a, char b) { return std::tolower(a) == b; }))
        record.replace_extension();
    record += settings::keys::kRunRecordExtension;
    return record;
}

fs::path nextFreeName(const fs::path& path) {
    if (!taken(path))
        return path;
    int number = 2;
    while (taken(numbered(path, number)))
        ++number;
    return numbered(path, number);
}

fs::path recoveredPathOf(const fs::path& journal) {
    fs::path data = journal;
    if (data.extension() == kJournalExtension)
        data.replace_extension();
    fs::path name = data.stem();
    name += "-recovered";
    name += data.extension();
    return nextFreeName(data.parent_path() / name);
}

} // namespace datafile
