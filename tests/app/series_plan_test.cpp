// The steps a stepped field makes, without a window: how many values a range gives and how they
// read, the order of devices and values, what each step changes, and the labels.

#include "app/series/series_plan.h"
#include "app/series/step_edits.h"
#include "platform/app_error.h"
#include "series_test_support.h"

#include <gtest/gtest.h>

namespace {

using series::FieldChange;
using series::SeriesStep;
using series::SteppedField;
using Strings = std::vector<std::string>;

SteppedField ranged(std::string from, std::string to, std::string by) {
    SteppedField rule;
    rule.field = "txtConfig(6)";
    rule.range = SteppedField::Range{std::move(from), std::move(to), std::move(by)};
    return rule;
}

std::string refusalOf(const SteppedField& rule) {
    try {
        series::generateSteps(rule, seriestest::panelFields());
    } catch (const platform::AppError& error) {
        return error.description();
    }
    return "(accepted)";
}

// Counted as the run estimate counts a sweep's steps, and written as a person would type them:
// never 0.30000000000000004, never -0.
TEST(SteppedValues, ARangeGivesEveryValueFromItsStartToItsEndAsTyped) {
    struct Case {
        const char* from;
        const char* to;
        const char* by;
        Strings values;
    };
    for (const Case& c : {
             Case{"0", "0.3", "0.1", {"0", "0.1", "0.2", "0.3"}},
             Case{"0", "2", "1", {"0", "1", "2"}},
             Case{"2", "0", "1", {"2", "1", "0"}},
             Case{"0", "1", "-0.5", {"0", "0.5", "1"}},
             Case{"-0.1", "0.1", "0.1", {"-0.1", "0", "0.1"}},
             Case{"1E-3", "3E-3", "1E-3", {"0.001", "0.002", "0.003"}},
             Case{"0", "1", "0.3", {"0", "0.3", "0.6", "0.9"}},
             Case{" 5 ", "5", "2", {"5"}},
         })
        EXPECT_EQ(series::steppedValues(ranged(c.from, c.to, c.by)), c.values)
            << c.from << " to " << c.to << " by " << c.by;
    EXPECT_EQ(series::steppedValues(ranged("0", "9.99", "0.01")).size(), 1000u);
}

TEST(SteppedValues, ARangeOrListThatMakesNoSenseIsRefusedWithItsReason) {
    struct Case {
        SteppedField rule;
        const char* reason;
    };
    SteppedField unknown = ranged("0", "1", "1");
    unknown.field = "txtConfig(9)";
    SteppedField none;
    none.field = "txtConfig(6)";
    SteppedField letters = none;
    letters.values = {"1", "two"};
    SteppedField button = none;
    button.field = "optionRamp";
    button.values = {"5"};
    for (const Case& c : {
             Case{ranged("0", "1", "0"), "by must not be 0"},
             Case{ranged("zero", "1", "0.1"), "from must be a number, not \"zero\""},
             Case{ranged("0", "1", "0.1 V"), "by must be a number, not \"0.1 V\""},
             Case{ranged("0", "10", "0.001"),
                  "that makes 10001 steps; a series takes at most 1000"},
             Case{unknown, "the panel has no field or option group txtConfig(9) to step"},
             Case{none, "no values are given"},
             Case{letters, "txtConfig(6) takes a number, not \"two\""},
             Case{button, "optionRamp takes the index of one of its buttons, 0 to 4, not \"5\""},
         })
        EXPECT_NE(refusalOf(c.rule).find(c.reason), std::string::npos) << refusalOf(c.rule);
}

// Each device gets every value before the probe moves on; every step starts from the rule's
// set-up and changes, and the stepped value wins over a change of the same key.
TEST(GenerateSteps, EachDeviceGetsEveryValueWithTheRulesChangesAndItsLabel) {
    SteppedField rule = ranged("0", "1", "1");
    rule.devices = {"D1", "D2"};
    rule.setup = "iv.ini";
    rule.changes = {{"optionVB(0)", "1"}, {"txtConfig(6)", "9"}};
    const std::vector<SeriesStep> steps = series::generateSteps(rule, seriestest::panelFields());
    const std::vector<FieldChange> changesAt1{{"optionVB(0)", "1"}, {"txtConfig(6)", "1"}};
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[1], (SeriesStep{"iv.ini", changesAt1, "D1", "VB = 1 V", "1"}));
    const Strings devices{steps[0].device, steps[1].device, steps[2].device, steps[3].device};
    EXPECT_EQ(devices, (Strings{"D1", "D1", "D2", "D2"}));
    EXPECT_EQ(steps[2].label, "VB = 0 V");

    SteppedField ramps;
    ramps.field = "OPTIONRAMP";
    ramps.values = {"0", "2"};
    const std::vector<SeriesStep> rampSteps =
        series::generateSteps(ramps, seriestest::panelFields());
    ASSERT_EQ(rampSteps.size(), 2u);
    EXPECT_EQ(rampSteps[1].changes, (std::vector<FieldChange>{{"optionRamp(2)", "1"}}));
    EXPECT_EQ(rampSteps[1].label, "Voltage Ramp = Stair up");
    EXPECT_EQ(rampSteps[1].value, "2");
}

// The keys a series steps are those the steps do not all give the same value; a typed step's
// label names them as the legend does.
TEST(SteppedKeys, AreTheKeysTheStepsDoNotAllGiveTheSameValue) {
    const std::vector<SeriesStep> steps{
        {"", {{"optionVB(0)", "1"}, {"txtConfig(6)", "0"}, {"chkYLog", "1"}}, "D1", "", ""},
        {"", {{"optionVB(0)", "1"}, {"TXTCONFIG(6)", "2"}, {"optionRamp(3)", "1"}}, "D1", "", ""},
    };
    const Strings stepped = series::steppedKeys(steps);
    EXPECT_EQ(stepped, (Strings{"txtConfig(6)", "chkYLog", "optionRamp(3)"}));
    const series::PanelFields fields = seriestest::panelFields();
    EXPECT_EQ(series::labelOf(steps[0], stepped, fields), "VB = 0 V, chkYLog = 1");
    EXPECT_EQ(series::labelOf(steps[1], stepped, fields), "VB = 2 V, Voltage Ramp = Stair up/dn");
    EXPECT_EQ(series::valueOf(steps[1], stepped), "2");
    EXPECT_EQ(series::steppedKeys({steps[0]}), (Strings{"optionVB(0)", "txtConfig(6)", "chkYLog"}));
}

} // namespace

// What the Series window types: a step's changes and a field's values on one line each, and the
// edits of the steps, each of which lets the rule that made them go.
TEST(StepEdits, OneLineTextsReadBackAndEditsForgetTheRule) {
    const auto& fields = seriestest::panelFields();
    const std::vector<FieldChange> changes =
        series::parseChanges(" TXTCONFIG(6) = 2 ;optionVB(0)=1; ", fields);
    EXPECT_EQ(changes, (std::vector<FieldChange>{{"txtConfig(6)", "2"}, {"optionVB(0)", "1"}}));
    EXPECT_EQ(series::changesText(changes), "txtConfig(6)=2; optionVB(0)=1");
    for (const char* wrong : {"txtConfig(6)", "noSuchField=1"})
        EXPECT_THROW(series::parseChanges(wrong, fields), platform::AppError) << wrong;

    SteppedField rule;
    series::setValuesFromText(rule, "0 to 2 by 0.5");
    EXPECT_EQ(series::valuesText(rule), "0 to 2 by 0.5");
    EXPECT_EQ(series::steppedValues(rule), (Strings{"0", "0.5", "1", "1.5", "2"}));
    series::setValuesFromText(rule, "1, ,2.5,");
    EXPECT_FALSE(rule.range);
    EXPECT_EQ(rule.values, (Strings{"1", "2.5"}));

    series::SeriesPlan plan;
    EXPECT_EQ(series::addStep(plan), 0u); // an empty step in an empty plan
    plan.steps[0].device = "D1";
    plan.stepped = rule;
    EXPECT_EQ(series::duplicateStep(plan, 0), 1u);
    EXPECT_FALSE(plan.stepped);
    plan.steps[1].device = "D2";
    EXPECT_EQ(series::moveStep(plan, 1, true), 0u);
    EXPECT_EQ(series::moveStep(plan, 0, true), 0u); // the first stays first
    EXPECT_EQ(plan.steps[0].device, "D2");
    series::removeStep(plan, 5); // no such step: nothing happens
    series::removeStep(plan, 0);
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].device, "D1");
}
