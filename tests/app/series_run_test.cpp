// A series as it runs, driven as its callers drive it, without a window or an instrument: what it
// asks, what it runs next and what each step is left as; and the summary it leaves.

#include "app/series/series_run.h"
#include "app/series/series_summary.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using series::SeriesRun;
using Action = SeriesRun::Action;
using Answer = SeriesRun::Answer;

series::SeriesPlan planOn(const std::vector<std::string>& devices, bool pause = false,
                          series::OnRefusal onRefusal = series::OnRefusal::Continue) {
    series::SeriesPlan plan;
    plan.sample = "W7";
    plan.pause = pause;
    plan.onRefusal = onRefusal;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::string value = std::to_string(i);
        plan.steps.push_back(
            {"", {{"txtConfig(6)", value}}, devices[i], "VB = " + value + " V", value});
    }
    return plan;
}

series::StepRun ranAs(const std::string& outcome, std::size_t step) {
    return {outcome,
            21,
            "2024-05-02T14:00:00+02:00",
            "2024-05-02T14:01:00+02:00",
            "/data/" + std::to_string(step + 1) + ".txt",
            {}};
}

// Drives the series to its end: each step started ends as `ends` says in turn ("complete",
// "lost", "refused": at Start, "instrument": refused by it, "stop": Stop series while it runs),
// each question gets the next of `answers`. What it did: "1" for a step run, "?2" for a question
// before step 2.
std::string drive(SeriesRun& run, std::vector<std::string> ends, std::vector<Answer> answers) {
    std::string did;
    for (auto next = run.next(); next.action != Action::Over; next = run.next()) {
        const std::string number = std::to_string(next.step + 1);
        if (next.action == Action::Ask) {
            did += " ?" + number;
            run.answer(answers.front());
            answers.erase(answers.begin());
            continue;
        }
        did += " " + number;
        const std::string end = ends.front();
        ends.erase(ends.begin());
        if (end == "refused" || end == "instrument") {
            run.refused(end == "refused" ? series::Refusal::SetUp : series::Refusal::Instrument);
            continue;
        }
        run.started();
        EXPECT_EQ(run.next().action, Action::Wait);
        if (end == "stop")
            run.stopSeries();
        run.ended(ranAs(end == "stop" ? "complete" : end, next.step));
    }
    return did.substr(1);
}

std::string states(const SeriesRun& run) {
    std::string words;
    for (std::size_t i = 0; i < run.size(); ++i)
        words += (i ? ", " : "") + series::stateWord(run.record(i).state);
    return words;
}

TEST(SeriesRun, GoesThroughItsStepsAsAskedAndAsTheyEnd) {
    using series::OnRefusal;
    const std::vector<std::string> twoDevices{"D1", "D1", "D2", "D2"};
    const std::vector<std::string> three{"", "", ""};
    struct Case {
        const char* what;
        series::SeriesPlan plan;
        std::vector<std::string> ends;
        std::vector<Answer> answers;
        const char* did;
        const char* states;
        const char* end;
    };
    for (const Case& c : {
             Case{"a pause asks only when the probe must move",
                  planOn(twoDevices, true),
                  {"complete", "complete", "complete", "complete"},
                  {Answer::Continue},
                  "1 2 ?3 3 4",
                  "done, done, done, done",
                  "The series ran to its end: 4 steps done."},
             Case{"without devices a pause asks before every step but the first",
                  planOn(three, true),
                  {"complete", "complete"},
                  {Answer::Skip, Answer::Continue},
                  "1 ?2 ?3 3",
                  "done, skipped, done",
                  "The series ran to its end: 2 steps done, 1 skipped."},
             Case{"a skipped device is asked for again: the probe never went there",
                  planOn({"D1", "D2", "D2"}, true),
                  {"complete", "complete"},
                  {Answer::Skip, Answer::Continue},
                  "1 ?2 ?3 3",
                  "done, skipped, done",
                  "The series ran to its end: 2 steps done, 1 skipped."},
             Case{"a refusal the plan goes on after",
                  planOn(three),
                  {"complete", "refused", "incomplete"},
                  {},
                  "1 2 3",
                  "done, refused, done",
                  "The series ran to its end: 2 steps done, 1 refused."},
             Case{"a refusal the plan stops at",
                  planOn(three, false, OnRefusal::Stop),
                  {"complete", "refused"},
                  {},
                  "1 2",
                  "done, refused, not run",
                  "The series stopped when step 2 was refused: 1 step done, 1 refused, 1 not "
                  "run."},
             Case{"the instrument refusing a start stops any series",
                  planOn(three),
                  {"instrument"},
                  {},
                  "1",
                  "refused, not run, not run",
                  "The series stopped when step 1 was refused: 0 steps done, 1 refused, 2 not "
                  "run."},
             Case{"a lost instrument stops the series",
                  planOn(three),
                  {"complete", "lost"},
                  {},
                  "1 2",
                  "done, done, not run",
                  "The series stopped when step 2 lost the instrument: 2 steps done, 1 not run."},
             Case{"Stop series lets the running step end",
                  planOn(three),
                  {"complete", "stop"},
                  {},
                  "1 2",
                  "done, done, not run",
                  "The series was stopped: 2 steps done, 1 not run."},
             Case{"Stop series at a question",
                  planOn(twoDevices, true),
                  {"complete", "complete"},
                  {Answer::StopSeries},
                  "1 2 ?3",
                  "done, done, not run, not run",
                  "The series was stopped: 2 steps done, 2 not run."},
         }) {
        SeriesRun run(c.plan);
        EXPECT_EQ(drive(run, c.ends, c.answers), c.did) << c.what;
        EXPECT_EQ(states(run), c.states) << c.what;
        EXPECT_EQ(run.endText(), c.end) << c.what;
        EXPECT_TRUE(run.over());
    }
}

TEST(SeriesRun, SaysWhatItAsksAndHowEachStepWent) {
    SeriesRun run(planOn({"D1", "D3", "D3"}, true));
    run.started();
    EXPECT_EQ(run.record(0).state, series::StepState::Running);
    run.ended({"complete", 1, "", "", "/data/a.txt", {}});
    const SeriesRun::Next asked = run.next();
    EXPECT_EQ(asked.action, Action::Ask);
    EXPECT_EQ(asked.step, 1u);
    EXPECT_EQ(asked.question, "Move the probe to D3, then Continue");
    EXPECT_THROW(run.started(), std::logic_error); // nobody has answered yet
    EXPECT_THROW(run.ended({}), std::logic_error);
    run.answer(Answer::Continue);
    EXPECT_THROW(run.answer(Answer::Continue), std::logic_error);
    run.started();
    run.ended({"lost", 7, "", "", "", {}});
    EXPECT_EQ(run.stepLine(0), "Step 1 of 3 (D1, VB = 0 V): complete, 1 reading in /data/a.txt");
    EXPECT_EQ(run.stepLine(1), "Step 2 of 3 (D3, VB = 1 V): lost, 7 readings, in no data file");
    EXPECT_EQ(run.stepLine(2), "Step 3 of 3 (D3, VB = 2 V): not run");

    SeriesRun unnamed(planOn({"", ""}, true));
    unnamed.refused(series::Refusal::SetUp, "its set-up cannot be run");
    EXPECT_EQ(unnamed.record(0).refusal, "its set-up cannot be run");
    EXPECT_EQ(unnamed.next().question, "Set up step 2 (VB = 1 V), then Continue");
}

// Every row as long as the header, however odd the texts: pandas reads a quoted cell as CSV
// quotes it, so a cell that starts with a quote must not swallow the tabs after it.
std::vector<std::vector<std::string>> rowsOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            cell += text[++i];
        else if (c == '"' && (quoted || cell.empty()))
            quoted = !quoted;
        else if (!quoted && (c == '\t' || c == '\n')) {
            rows.back().push_back(std::exchange(cell, {}));
            if (c == '\n')
                rows.emplace_back();
        } else
            cell += c;
    }
    rows.pop_back(); // after the last line feed
    return rows;
}

TEST(SeriesSummary, HasOneRowPerStepEachAsLongAsTheHeaderWhateverItHolds) {
    series::SeriesPlan plan = planOn({"D\t1", "\"D2", "D3"});
    plan.sample = "W7\r\nrow 3";
    plan.steps[1].changes.push_back({"optionVB(0)", "1"});
    SeriesRun run(plan);
    run.started();
    run.ended(ranAs("complete", 0));
    run.refused(series::Refusal::SetUp);
    run.stopSeries();
    const auto rows = rowsOf(series::summaryText(run));
    ASSERT_EQ(rows.size(), 4u) << series::summaryText(run);
    const std::vector<std::string> header{"step",    "device",       "sample",     "data file",
                                          "outcome", "readings",     "start",      "end",
                                          "label",   "txtConfig(6)", "optionVB(0)"};
    EXPECT_EQ(rows[0], header);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), header.size());
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{"1", "D 1", "W7  row 3", "/data/1.txt", "complete", "21",
                                        "2024-05-02T14:00:00+02:00", "2024-05-02T14:01:00+02:00",
                                        "VB = 0 V", "0", ""}));
    EXPECT_EQ(rows[2][1], "\"D2");
    EXPECT_EQ(rows[2][4], "refused");
    EXPECT_EQ(rows[2][5], "");
    EXPECT_EQ(rows[2][10], "1");
    EXPECT_EQ(rows[3][4], "not run");
}

TEST(SeriesSummary, GoesBesideTheDataFilesUnderANameOfItsOwn) {
    testsupport::TempFolder folder;
    SeriesRun none(planOn({"D1"}));
    none.refused(series::Refusal::SetUp);
    const std::string dataTemplate = (folder / "lab").string() + "/{sample}/{device}.txt";
    EXPECT_EQ(series::summaryFolder(none, dataTemplate), folder / "lab");
    SeriesRun ran(planOn({"D1", "D2"}));
    ran.refused(series::Refusal::SetUp);
    ran.started();
    ran.ended({"complete", 3, "", "", (folder / "lab" / "W7" / "D2.txt").string(), {}});
    EXPECT_EQ(series::summaryFolder(ran, dataTemplate), folder / "lab" / "W7");

    const fs::path first = series::writeSummary(ran, folder / "new", "vb");
    EXPECT_EQ(first, folder / "new" / "vb.summary.tsv");
    EXPECT_EQ(series::writeSummary(ran, folder / "new", "vb"), folder / "new" / "vb-2.summary.tsv");
    EXPECT_EQ(testsupport::fileText(first), series::summaryText(ran));
}

} // namespace
