// Series files without a window: what reading makes of one, what it refuses and why, and that a
// plan written and read back is the plan.

#include "app/series/series_file.h"
#include "platform/app_error.h"
#include "series_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using series::SeriesPlan;
using series::SeriesStep;
using testsupport::fileText;
using testsupport::putFile;

class SeriesFile : public testing::Test {
protected:
    SeriesFile() { putFile(folder / "iv.ini", "[FORM]\ntxtConfig(1)=1\n"); }

    SeriesPlan read(const std::string& text) {
        putFile(file(), text);
        return series::readSeriesFile(file(), fields);
    }
    std::string refusal(const std::string& text) {
        try {
            read(text);
        } catch (const platform::AppError& error) {
            return error.description();
        }
        return "(accepted)";
    }
    fs::path file() const { return folder / "vb.series.ini"; }

    testsupport::TempFolder folder;
    series::PanelFields fields = seriestest::panelFields();
};

TEST_F(SeriesFile, ARuleMakesItsStepsAndTheSeriesSectionItsSettings) {
    const SeriesPlan plan = read("; VB over two devices\n"
                                 "[series]\nTemplate = {sample}_{device}_{value}.txt\n"
                                 "sample=W7\noperator=A. Lee\ncomment=\" after anneal \"\n"
                                 "pause=1\non_refusal=STOP\n"
                                 "[Stepped]\nfield=txtconfig(6)\nfrom=0\nto=1\nby=0.5\n"
                                 "devices=D1, ,D2\nsetup=iv.ini\noptionVB(0)=1\n");
    EXPECT_EQ(plan.dataTemplate, "{sample}_{device}_{value}.txt");
    EXPECT_EQ(plan.operatorName, "A. Lee");
    EXPECT_EQ(plan.comment, " after anneal ");
    EXPECT_TRUE(plan.pause);
    EXPECT_EQ(plan.onRefusal, series::OnRefusal::Stop);
    ASSERT_EQ(plan.steps.size(), 6u);
    EXPECT_EQ(
        plan.steps[4],
        (SeriesStep{
            "iv.ini", {{"optionVB(0)", "1"}, {"txtConfig(6)", "0.5"}}, "D2", "VB = 0.5 V", "0.5"}));
    EXPECT_EQ(series::sampleFor(plan, plan.steps[4]).device, "D2");
    EXPECT_EQ(series::sampleFor(plan, plan.steps[4]).sample, "W7");
    EXPECT_EQ(series::setupPath(plan.steps[4], file()), folder / "iv.ini");
}

// A step typed without a label or value gets both from the keys the steps step.
TEST_F(SeriesFile, TypedStepsKeepTheirOrderAndGetALabelWhereNoneIsGiven) {
    const SeriesPlan plan = read("[Step 2]\ndevice=D2\ntxtConfig(6)=2\noptionVB(0)=1\n"
                                 "[Step 1]\ndevice=D1\nlabel=first\nvalue=\ntxtConfig(6)=0\n"
                                 "optionVB(0)=1\n");
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[0].label, "first");
    EXPECT_EQ(plan.steps[0].value, "");
    EXPECT_EQ(plan.steps[1].label, "VB = 2 V");
    EXPECT_EQ(plan.steps[1].value, "2");
    EXPECT_TRUE(plan.steps[1].setup.empty()); // the panel as the series starts
    EXPECT_FALSE(plan.stepped);
    EXPECT_EQ(plan.onRefusal, series::OnRefusal::Continue);
}

TEST_F(SeriesFile, AFileThatCannotBeUsedIsRefusedWithTheReason) {
    fs::create_directory(folder / "folder.ini");
    struct Case {
        std::string text;
        std::string reason;
    };
    for (const Case& c : {
             Case{"[Series]\nsample=W7\n", "it has no steps"},
             Case{"[Step 1]\ntxtConfig(6)=1\n[Step 3]\ntxtConfig(6)=2\n",
                  "[Step 2] is missing: the steps are numbered from 1 without a gap"},
             Case{"[Step 1]\ntxtConfig(6)=1\n[step 1]\ntxtConfig(6)=2\n",
                  "[step 1] is given twice"},
             Case{"[Step 1]\nlabel=a\n[Setp 2]\n", "[Setp 2] is none of its sections"},
             Case{"[Step 1]\ntxtConfig(6)=1\n[Stepped]\nfield=txtConfig(6)\nvalues=1\n",
                  "it gives both [Stepped] and [Step 1]"},
             Case{"[Step 1]\ntxtConfig(99)=1\n",
                  "[Step 1] changes txtConfig(99), which the panel does not have"},
             Case{"[Step 1]\ntxtConfig(6)=\n", "[Step 1] gives txtConfig(6) no value"},
             Case{"[Step 1]\ntxtConfig(6)=1\ntxtConfig(6)=2\n",
                  "[Step 1] gives txtConfig(6) more than once"},
             Case{"[Step 1]\nsetup=gone.ini\n",
                  "the set-up of [Step 1], " + (folder / "gone.ini").string() + ", is missing"},
             Case{"[Step 1]\nsetup=folder.ini\n", "folder.ini, is no file"},
             Case{"[Series]\npause=yes\n[Step 1]\nlabel=a\n", "pause in [Series] is 0 or 1"},
             Case{"[Series]\non_refusal=ignore\n[Step 1]\nlabel=a\n",
                  "on_refusal in [Series] is continue or stop, not \"ignore\""},
             Case{"[Series]\ndata=x.txt\n[Step 1]\nlabel=a\n", "[Series] has no key data"},
             Case{"[Stepped]\nvalues=1\n", "[Stepped] names no field to step"},
             Case{"[Stepped]\nfield=chkYLog\nvalues=1\n",
                  "[Stepped] steps chkYLog, which is no field or option group"},
             Case{"[Stepped]\nfield=txtConfig(6)\nfrom=0\nto=1\n",
                  "[Stepped] needs from=, to= and by= together"},
             Case{"[Stepped]\nfield=txtConfig(6)\nvalues=1\nfrom=0\nto=1\nby=1\n",
                  "one of the two"},
             Case{"[Stepped]\nfield=txtConfig(6)\nfrom=0\nto=1\nby=0\n",
                  "in [Stepped], by must not be 0"},
         }) {
        const std::string said = refusal(c.text);
        EXPECT_EQ(said.rfind("The series " + file().string() + " cannot be used: ", 0), 0u) << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << said;
    }
    try {
        series::readSeriesFile(folder / "missing.series.ini", fields);
        ADD_FAILURE();
    } catch (const platform::AppError& error) {
        EXPECT_NE(error.description().find("missing.series.ini cannot be read"), std::string::npos);
    }
}

// What is written reads back as it was: the rule while it still makes the steps, the steps once
// they were changed by hand, values with blanks or quotes at their ends, an empty label.
TEST_F(SeriesFile, APlanWrittenAndReadBackIsThePlan) {
    SeriesPlan ruled = read("[Series]\ntemplate=/data/{device}.txt\nsample=W7\n"
                            "[Stepped]\nfield=optionRamp\nvalues=0, 2\ndevices=D1,D2\n"
                            "setup=iv.ini\ntxtConfig(6)=2\n");
    SeriesPlan typed = ruled;
    typed.steps[1].device = "D9";
    typed.steps[2] = {"", {{"chkYLog", "1"}}, "", "", ""};
    typed.comment = "\"quoted\"";
    typed.operatorName = "  A. Lee";
    typed.pause = true;
    for (const SeriesPlan* plan : {&ruled, &typed}) {
        series::writeSeriesFile(file(), *plan, fields);
        SeriesPlan back = series::readSeriesFile(file(), fields);
        if (plan == &typed)
            back.stepped = typed.stepped; // a file of steps keeps no rule
        EXPECT_EQ(back, *plan) << fileText(file());
    }
    EXPECT_NE(series::seriesFileText(ruled, fields).find("[Stepped]\n"), std::string::npos);
    EXPECT_EQ(series::seriesFileText(typed, fields).find("[Stepped]"), std::string::npos);
    EXPECT_NE(series::seriesFileText(typed, fields).find("[Step 4]\n"), std::string::npos);
    typed.comment = "two\nlines";
    EXPECT_THROW(series::seriesFileText(typed, fields), platform::AppError);
}

TEST(SeriesPaths, TheTemplateAndTheSummaryAreNamedFromTheProgramFolderAndTheSeries) {
    SeriesPlan plan;
    const fs::path file = "/lab/series/vb.SERIES.ini";
    EXPECT_EQ(series::seriesName(file), "vb");
    EXPECT_EQ(series::seriesName("/lab/other.ini"), "other");
    EXPECT_EQ(series::dataTemplatePath(plan, file, "/home/me/tarvix"),
              "/home/me/tarvix/data/vb-{step}.txt");
    plan.dataTemplate = "{sample}/{device}.txt";
    EXPECT_EQ(series::dataTemplatePath(plan, file, "/p"), "/p/data/{sample}/{device}.txt");
    plan.dataTemplate = "/elsewhere/{device}.txt";
    EXPECT_EQ(series::dataTemplatePath(plan, file, "/p"), "/elsewhere/{device}.txt");
    EXPECT_EQ(series::setupPath({"../config/iv.ini", {}, {}, {}, {}}, file),
              "/lab/series/../config/iv.ini");
}

} // namespace
