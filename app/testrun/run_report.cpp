#include "run_report.h"

#include "platform/text_fields.h"

#include <algorithm>
#include <array>
#include <vector>

namespace testrun {

namespace {

// Each outcome's words: in a sentence, in the run record, and where a run cut short ends.
struct OutcomeWords {
    RunOutcome outcome;
    const char* text;
    const char* keyword;
    const char* cutShort;
};

constexpr std::array<OutcomeWords, 5> kOutcomeWords{{
    {RunOutcome::RanToEnd, "ran to its end", "complete", ""},
    {RunOutcome::Aborted, "was aborted", "aborted", "aborted"},
    {RunOutcome::Lost, "lost the instrument", "lost", "instrument lost"},
    {RunOutcome::Overrun, "overran its time limit", "overrun", "overran"},
    {RunOutcome::Stopped, "was stopped by a signal", "stopped", "stopped"},
}};

const OutcomeWords& wordsOf(RunOutcome outcome) {
    const auto found = std::find_if(kOutcomeWords.begin(), kOutcomeWords.end(),
                                    [&](const OutcomeWords& w) { return w.outcome == outcome; });
    return found != kOutcomeWords.end() ? *found : kOutcomeWords.front();
}

} // namespace

std::string outcomeText(RunOutcome outcome) {
    return wordsOf(outcome).text;
}

std::string outcomeKeyword(const RunReport& report) {
    if (report.outcome == RunOutcome::RanToEnd && report.incomplete())
        return "incomplete";
    return wordsOf(report.outcome).keyword;
}

std::string cutShortText(RunOutcome outcome) {
    return wordsOf(outcome).cutShort;
}

std::int32_t RunReport::missing() const {
    return expected ? std::max(*expected - filed, 0) : 0;
}

std::string RunReport::summary() const {
    std::vector<std::string> parts;
    if (missing() > 0)
        parts.push_back(std::to_string(missing()) + " of " + std::to_string(*expected) +
                        " readings missing");
    if (unreadable > 0)
        parts.push_back((parts.empty() ? platform::counted(unreadable, "reading", "readings") + " "
                                       : std::to_string(unreadable) + " ") +
                        "unreadable");
    if (failedPolls > 0)
        parts.push_back(platform::counted(failedPolls, "poll", "polls") + " failed");
    std::string text = outputOffAfter
                           ? "ended when the instrument switched its output off after " +
                                 platform::counted(*outputOffAfter, "reading", "readings")
                           : outcomeText(outcome);
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "; " : ", ") + parts[i];
    return text;
}

} // namespace testrun
