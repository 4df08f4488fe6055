#include "series_run.h"

#include "platform/text_fields.h"

#include <algorithm>
#include <stdexcept>

namespace series {

std::string stateWord(StepState state) {
    switch (state) {
    case StepState::Queued:
        return "queued";
    case StepState::Running:
        return "running";
    case StepState::Done:
        return "done";
    case StepState::Refused:
        return "refused";
    case StepState::Skipped:
        return "skipped";
    case StepState::NotRun:
        return "not run";
    }
    return {};
}

SeriesRun::SeriesRun(SeriesPlan plan) : plan_(std::move(plan)), records_(plan_.steps.size()) {
    devicesNamed_ = std::any_of(plan_.steps.begin(), plan_.steps.end(),
                                [](const SeriesStep& step) { return !step.device.empty(); });
    if (records_.empty())
        finish(Cause::RanToEnd);
}

bool SeriesRun::asksBefore(std::size_t step) const {
    if (!plan_.pause || !lastDevice_ || answered_)
        return false;
    return !devicesNamed_ || plan_.steps[step].device != *lastDevice_;
}

SeriesRun::Next SeriesRun::next() const {
    switch (phase_) {
    case Phase::Over:
        return {Action::Over, cursor_, {}};
    case Phase::Running:
        return {Action::Wait, cursor_, {}};
    case Phase::Ready:
        break;
    }
    if (!asksBefore(cursor_))
        return {Action::Run, cursor_, {}};
    const SeriesStep& step = plan_.steps[cursor_];
    const std::string question =
        step.device.empty()
            ? "Set up step " + std::to_string(cursor_ + 1) +
                  (step.label.empty() ? std::string() : " (" + step.label + ")") + ", then Continue"
            : "Move the probe to " + step.device + ", then Continue";
    return {Action::Ask, cursor_, question};
}

void SeriesRun::expect(bool ready, const char* call) const {
    if (!ready)
        throw std::logic_error(std::string("SeriesRun::") + call + " out of turn");
}

void SeriesRun::answer(Answer answer) {
    expect(next().action == Action::Ask, "answer");
    switch (answer) {
    case Answer::Continue:
        answered_ = true;
        break;
    case Answer::Skip:
        records_[cursor_].state = StepState::Skipped;
        advance();
        break;
    case Answer::StopSeries:
        finish(Cause::Stopped);
        break;
    }
}

void SeriesRun::started() {
    expect(next().action == Action::Run, "started");
    records_[cursor_].state = StepState::Running;
    lastDevice_ = plan_.steps[cursor_].device;
    phase_ = Phase::Running;
}

void SeriesRun::refused(Refusal why, std::string reason) {
    expect(next().action == Action::Run, "refused");
    StepRecord& record = records_[cursor_];
    record.state = StepState::Refused;
    record.refusal = std::move(reason);
    lastDevice_ = plan_.steps[cursor_].device;
    if (why == Refusal::Instrument || plan_.onRefusal == OnRefusal::Stop)
        finish(Cause::Refused);
    else
        advance();
}

void SeriesRun::ended(StepRun run) {
    expect(phase_ == Phase::Running, "ended");
    StepRecord& record = records_[cursor_];
    record.state = StepState::Done;
    const bool lost = run.outcome == "lost";
    record.run = std::move(run);
    phase_ = Phase::Ready;
    if (lost)
        finish(Cause::Lost);
    else
        advance();
}

// A running step goes on to its end; the series stops there.
void SeriesRun::stopSeries() {
    if (phase_ == Phase::Running)
        stopAsked_ = true;
    else if (phase_ == Phase::Ready)
        finish(Cause::Stopped);
}

void SeriesRun::advance() {
    answered_ = false;
    ++cursor_;
    if (stopAsked_)
        finish(Cause::Stopped);
    else if (cursor_ >= records_.size())
        finish(Cause::RanToEnd);
}

void SeriesRun::finish(Cause cause) {
    for (StepRecord& record : records_)
        if (record.state == StepState::Queued)
            record.state = StepState::NotRun;
    cause_ = cause;
    phase_ = Phase::Over;
}

std::string SeriesRun::stepLine(std::size_t step) const {
    const SeriesStep& planned = plan_.steps.at(step);
    const StepRecord& record = records_.at(step);
    std::string about = planned.device;
    if (!planned.label.empty())
        about += (about.empty() ? "" : ", ") + planned.label;
    std::string line = "Step " + std::to_string(step + 1) + " of " + std::to_string(size());
    if (!about.empty())
        line += " (" + about + ")";
    if (record.state != StepState::Done || !record.run)
        return line + ": " + stateWord(record.state);
    const StepRun& run = *record.run;
    line += ": " + run.outcome + ", " + platform::counted(run.readings, "reading", "readings");
    return line + (run.dataFile.empty() ? ", in no data file" : " in " + run.dataFile);
}

std::string SeriesRun::endText() const {
    std::size_t counts[6] = {};
    for (const StepRecord& record : records_)
        ++counts[static_cast<int>(record.state)];
    std::string tally =
        platform::counted(counts[static_cast<int>(StepState::Done)], "step", "steps") + " done";
    for (const StepState state : {StepState::Refused, StepState::Skipped, StepState::NotRun})
        if (const std::size_t count = counts[static_cast<int>(state)])
            tally += ", " + std::to_string(count) + " " + stateWord(state);
    const std::string last = std::to_string(cursor_ + 1);
    switch (cause_) {
    case Cause::RanToEnd:
        return "The series ran to its end: " + tally + ".";
    case Cause::Stopped:
        return "The series was stopped: " + tally + ".";
    case Cause::Refused:
        return "The series stopped when step " + last + " was refused: " + tally + ".";
    case Cause::Lost:
        return "The series stopped when step " + last + " lost the instrument: " + tally + ".";
    }
    return tally;
}

} // namespace series
