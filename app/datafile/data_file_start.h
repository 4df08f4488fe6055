#pragma once

// What Start does about the data file, after the set-up is checked and before anything is sent
// to the instrument: the checks, then the questions.

#include "journal_recovery.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace datafile {

// The data file's folder is made, and a probe file holding the header line is written, synced
// and removed there, so that a data file that cannot be written (a folder that cannot be made, no
// permission, a full disk) is refused at the start rather than after the test. The refusal names
// the error and the path; nullopt when the file can be written.
std::optional<std::string> probeRefusal(const std::string& dataPath);

// Why a run whose journal path already holds a journal cannot start: one a test that did not end
// left, or one a test still running holds.
std::string journalInTheWayText(const std::filesystem::path& journal);
std::string journalInUseText(const std::filesystem::path& journal);

class DataFileStart {
public:
    // showRecovery shows the readings of a journal recovered at the start.
    explicit DataFileStart(std::function<void(const Recovery&)> showRecovery)
        : showRecovery_(std::move(showRecovery)) {}

    // Why the data file stops the start: it cannot be written, or, for a run nobody watches, a
    // journal of an earlier test is in its journal's place. nullopt when the start may go on;
    // with no data file chosen there is nothing to check.
    std::optional<std::string> refusal(const std::string& dataPath, bool unattended) const;

    // The questions of a run someone watches. A journal in the way is offered first: the start
    // goes on after "Discard", ends after "Recover" (its readings shown) and after "Later" (told
    // the journal is in the way). Then a data file that exists asks "Keep both" (the default: the
    // next free name), "Replace" or "Cancel", unless the save dialog has just asked
    // (replaceAnswered). The data path to use, or nullopt when the start is called off.
    std::optional<std::string> confirm(const std::string& dataPath, bool replaceAnswered);

private:
    bool journalOutOfTheWay(const std::filesystem::path& journal);
    std::filesystem::path keepBothName(const std::string& dataPath) const;

    std::function<void(const Recovery&)> showRecovery_;
    // The file that the last "Keep both" kept and the name it gave the new one: the next test on
    // that new name counts on from the kept file (iv-3.txt after iv-2.txt, not iv-2-2.txt).
    std::string keptBoth_;
    std::string keptBothAs_;
};

} // namespace datafile
