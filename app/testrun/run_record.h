#pragma once

// The record of a run, written beside its data file: the panel's settings as a configuration file
// keeps them (section "FORM", so "Load Config" on the record restores the panel), and in section
// "Run" when it ran, with what, and how it went.

#include "app/session/session.h"
#include "run_report.h"
#include "settings/ini_document.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testrun {

struct RunRecord {
    // The panel's keys and values at the start of the test, as a configuration file keeps them.
    std::vector<std::pair<std::string, std::string>> form;
    std::chrono::system_clock::time_point start;
    std::chrono::system_clock::time_point end;
    std::string driver; // the GPIB library the run was bound to
    std::int16_t board = 0;
    std::int16_t address = 0;
    // Simulated readings in virtual time: the record's times are the virtual clock's.
    bool dryRun = false;
    // Who and what was measured, as the session named it at the start.
    app::SampleIdentity sample;
    RunReport report;
    // The analysis of the run's readings, when one was asked for: section "Analysis".
    std::vector<std::pair<std::string, std::string>> analysis;
};

// The local time in ISO 8601 with its offset: 2024-05-02T14:03:12+02:00.
std::string isoLocalTime(std::chrono::system_clock::time_point time);

// The record's text: section "Run" first, for a reader, then "Sample", then section "FORM",
// then section "Analysis" when the run was analysed.
std::string runRecordText(const RunRecord& record);

// Whether the document is a run record (it says how a run went).
bool isRunRecord(const settings::IniDocument& document);

} // namespace testrun
