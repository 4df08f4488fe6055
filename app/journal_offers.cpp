#include "app/journal_offers.h"

#include "app/datafile/journal_recovery.h"
#include "app/table/readings_area.h"
#include "app/window/frm_main.h"
#include "platform/folders.h"
#include "settings/written_file.h"

#include <filesystem>

namespace app {

namespace {

std::vector<std::filesystem::path> journalsBeside(const std::vector<std::string>& dataPaths) {
    std::vector<std::filesystem::path> folders;
    for (const std::string& path : dataPaths)
        if (!path.empty())
            folders.push_back(std::filesystem::path(path).parent_path());
    folders.push_back(platform::programFolders().program / "data");
    // A journal a running test holds is that test's business, not one left behind.
    std::vector<std::filesystem::path> left = datafile::findJournals(folders);
    std::erase_if(left, [](const auto& journal) { return settings::lockedByAnother(journal); });
    return left;
}

} // namespace

void OfferJournals(frmMain& window) {
    for (const std::filesystem::path& journal :
         journalsBeside({window.readingsArea().dataFile().path()}))
        datafile::offerJournal(journal, [&window](const datafile::Recovery& recovery) {
            window.showReadings(recovery.contents);
        });
}

std::vector<std::string> JournalsFoundTexts(const std::vector<std::string>& dataPaths) {
    std::vector<std::string> texts;
    for (const std::filesystem::path& journal : journalsBeside(dataPaths))
        texts.push_back(datafile::journalFoundText(journal));
    return texts;
}

} // namespace app
