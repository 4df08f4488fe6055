#include "app/analyse/analysis_form.h"
#include "app/analyse/analysis_record.h"
#include "platform/app_error.h"
#include "settings/ini_document.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace analyse {
namespace {

using analysis::Method;

TEST(AnalysisForm, FieldsGiveTheInputsAndAnEmptyOneIsNoneOrTheDefault) {
    FormTexts texts;
    texts.from = "-0.6";
    texts.area = " 1e-3";
    texts.type = analysis::DopingType::N;
    const auto read = inputsFrom(Method::Mos, texts);
    ASSERT_TRUE(std::holds_alternative<analysis::Inputs>(read));
    const analysis::Inputs& inputs = std::get<analysis::Inputs>(read);
    EXPECT_EQ(inputs.method, Method::Mos);
    EXPECT_DOUBLE_EQ(*inputs.from, -0.6);
    EXPECT_FALSE(inputs.to.has_value()); // an open end
    EXPECT_DOUBLE_EQ(*inputs.area, 1e-3);
    EXPECT_DOUBLE_EQ(inputs.temperature, 300.0);
    EXPECT_DOUBLE_EQ(inputs.epsOx, 3.9);
    EXPECT_DOUBLE_EQ(inputs.epsS, 11.7);
    EXPECT_EQ(inputs.type, analysis::DopingType::N);

    // The fields show the inputs as they read back.
    const FormTexts shown = textsOf(inputs);
    EXPECT_EQ(shown.from, "-0.6");
    EXPECT_EQ(shown.to, "");
    EXPECT_EQ(shown.area, "0.001");
    EXPECT_EQ(shown.temperature, "300");

    texts.temperature = "warm";
    texts.epsS = "x";
    const auto wrong = inputsFrom(Method::Diode, texts);
    ASSERT_TRUE(std::holds_alternative<std::string>(wrong));
    EXPECT_EQ(std::get<std::string>(wrong), "Temperature: 'warm' is not a number");
}

TEST(AnalysisForm, LinesShowTheUnitTheirKeysNameAndDraggedEndsAreRounded) {
    const std::pair<analysis::RecordLine, const char*> lines[] = {
        {{"Is_A", "9.99711E-14"}, "Is = 9.99711E-14 A"},
        {{"Rs_ohm", "50.0032"}, "Rs = 50.0032 Ω"},
        {{"N_cm3", "1.00213E+16"}, "N = 1.00213E+16 cm⁻³"},
        {{"area_cm2", "0.001"}, "area = 0.001 cm²"},
        {{"Is_semilog_A", "1E-13"}, "Is_semilog = 1E-13 A"},
        {{"r2", "0.999974"}, "r² = 0.999974"},
        {{"eps_ox", "3.9"}, "eps_ox = 3.9"},
        {{"at_limit", "yes"}, "at_limit = yes"},
        {{"Rsh_ohm", "not determined: no share"}, "Rsh = not determined: no share"},
        {{"method", "diode"}, "method = diode"},
    };
    for (const auto& [line, shown] : lines)
        EXPECT_EQ(shownLine(line), shown) << line.first;

    analysis::Result result;
    result.inputs.method = Method::Leakage;
    result.inputs.at = 2.0;
    result.values = {{"I_A", 1e-12, "1E-12"}};
    EXPECT_EQ(resultText(result), "I = 1E-12 A");
    EXPECT_EQ(copyText(result), "method = leakage\nfunction = I-V\nat = 2 V\nI = 1E-12 A\n");
    result.refusal = "the window holds no reading";
    EXPECT_EQ(resultText(result), "No result: the window holds no reading.");

    EXPECT_EQ(draggedEndText(-0.5987654, 6.6), "-0.599");
    EXPECT_EQ(draggedEndText(1234.567, 15000.0), "1230");
    EXPECT_EQ(draggedEndText(0.0000004, 2.0), "0");
}

TEST(AnalysisRecord, TheSectionIsReplacedAndEveryOtherLineStays) {
    testsupport::TempFolder folder;
    const auto record = folder / "iv.run.ini";
    const std::string run = "[Run]\r\noutcome=complete\r\n\r\n[FORM]\r\ntxtConfig(0)=1\r\n";
    testsupport::putFile(record, run + "\r\n[Analysis]\r\nmethod=diode\r\nn=2\r\n");
    writeAnalysisSection(record, std::vector<analysis::RecordLine>{{"method", "leakage"}});
    EXPECT_EQ(testsupport::fileText(record), run + "\r\n[Analysis]\r\nmethod=leakage\r\n");
    writeAnalysisSection(record, {});
    EXPECT_EQ(testsupport::fileText(record), run);

    testsupport::putFile(folder / "mine.ini", "[FORM]\nx=1\n"); // no record: left alone
    for (const auto& [name, number] :
         {std::pair{"mine.ini", platform::errnum::PathFileAccess},
          std::pair{"missing.run.ini", platform::errnum::FileNotFound}}) {
        try {
            writeAnalysisSection(folder / name, {});
            ADD_FAILURE() << name;
        } catch (const platform::AppError& error) {
            EXPECT_EQ(error.number(), number) << error.description();
        }
    }
    EXPECT_EQ(testsupport::fileText(folder / "mine.ini"), "[FORM]\nx=1\n");
}

} // namespace
} // namespace analyse
