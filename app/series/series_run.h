#pragma once

#include "series_plan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace series {

enum class StepState { Queued, Running, Done, Refused, Skipped, NotRun };

// "queued", "running", "done", "refused", "skipped", "not run".
std::string stateWord(StepState state);

// How a step's test went, as its run record says.
struct StepRun {
    std::string outcome; // the record's outcome= keyword: complete, incomplete, lost ...
    std::int32_t readings = 0;
    std::string start; // as the record has them (ISO 8601 local time)
    std::string end;
    std::string dataFile; // empty when the readings could not be written to it
    // What its run record's [Analysis] says, when the run was analysed: key and value.
    std::vector<std::pair<std::string, std::string>> analysis;
};

// Why a step's Start was refused: its set-up or its data file (the series goes on or stops as
// its plan says), or the driver or the instrument (the series stops: the next step would fare
// no better).
enum class Refusal { SetUp, Instrument };

struct StepRecord {
    StepState state = StepState::Queued;
    std::optional<StepRun> run; // once done
    std::string refusal;        // once refused: why, as the caller put it
};

// A series as it runs, without a window or an instrument: it says what to do next, and is told
// what became of it. Its callers (the Series window, the headless run) run each step as an
// ordinary test through Start and its end:
//
//   SeriesRun run(plan);
//   for (auto next = run.next(); next.action != Action::Over; next = run.next())
//       Ask:  show next.question; run.answer(Continue | Skip | StopSeries)
//       Run:  set up step next.step, press Start; then run.started() and, at the test's end,
//             run.ended({...}); or, when Start refused it, run.refused(why)
//       Wait: a step runs; its end comes as run.ended({...})
//   "Stop series" at any time: run.stopSeries() (the running step goes on to its end).
//
// A step refused at Start is marked, and the series goes on or stops as its plan says; a step
// that lost the instrument (outcome "lost") or was refused by it stops the series. The steps a
// stopped series leaves are "not run".
class SeriesRun {
public:
    explicit SeriesRun(SeriesPlan plan);

    enum class Action { Run, Ask, Wait, Over };
    struct Next {
        Action action = Action::Over;
        std::size_t step = 0; // from 0
        // Ask: "Move the probe to D3, then Continue".
        std::string question;
    };
    // With a pause, the series asks before each step whose device is not the one the last step
    // tried was on (when no step names one, before every step but the first).
    Next next() const;

    enum class Answer { Continue, Skip, StopSeries };
    void answer(Answer answer);
    void started();
    void refused(Refusal why, std::string reason = {});
    void ended(StepRun run);
    void stopSeries();

    const SeriesPlan& plan() const { return plan_; }
    std::size_t size() const { return records_.size(); }
    const StepRecord& record(std::size_t step) const { return records_.at(step); }
    bool over() const { return phase_ == Phase::Over; }

    // One line about the step: "Step 2 of 4 (D1, VB = 1 V): complete, 21 readings in
    // /data/D1-1.txt"; "Step 3 of 4 (D2, VB = 0 V): not run".
    std::string stepLine(std::size_t step) const;
    // How the series ended: "The series ran to its end: 3 steps done, 1 refused.", "The series
    // stopped when step 2 lost the instrument: 2 steps done, 2 not run."
    std::string endText() const;

private:
    enum class Phase { Ready, Running, Over };
    enum class Cause { RanToEnd, Stopped, Refused, Lost };

    bool asksBefore(std::size_t step) const;
    void expect(bool ready, const char* call) const;
    void advance();
    void finish(Cause cause);

    SeriesPlan plan_;
    std::vector<StepRecord> records_;
    bool devicesNamed_ = false;
    Phase phase_ = Phase::Ready;
    std::size_t cursor_ = 0;
    bool answered_ = false;
    bool stopAsked_ = false;
    std::optional<std::string> lastDevice_; // of the last step tried
    Cause cause_ = Cause::RanToEnd;
};

} // namespace series
