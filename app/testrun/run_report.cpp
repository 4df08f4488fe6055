#include "run_report.h"

#include <algorithm>
#include <vector>

namespace testrun {

std::string outcomeText(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::RanToEnd:
        return "ran to its end";
    case RunOutcome::Aborted:
        return "was aborted";
    case RunOutcome::Lost:
        return "lost the instrument";
    case RunOutcome::Overrun:
        return "overran its time limit";
    case RunOutcome::Stopped:
        return "was stopped by a signal";
    }
    return {};
}

std::int32_t RunReport::missing() const {
    return expected ? std::max(*expected - filed, 0) : 0;
}

namespace {

std::string counted(std::int32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string RunReport::summary() const {
    std::vector<std::string> parts;
    if (missing() > 0)
        parts.push_back(std::to_string(missing()) + " of " + std::to_string(*expected) +
                        " readings missing");
    if (unreadable > 0)
        parts.push_back((parts.empty() ? counted(unreadable, "reading", "readings") + " "
                                       : std::to_string(unreadable) + " ") +
                        "unreadable");
    if (failedPolls > 0)
        parts.push_back(counted(failedPolls, "poll", "polls") + " failed");
    std::string text = outputOffAfter ? "ended when the instrument switched its output off after " +
                                            counted(*outputOffAfter, "reading", "readings")
                                      : outcomeText(outcome);
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "; " : ", ") + parts[i];
    return text;
}

} // namespace testrun
