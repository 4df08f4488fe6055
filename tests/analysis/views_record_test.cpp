// The views of a run's readings, where a sweep turns back, and a result's way into the run
// record's [Analysis] lines and back.

#include "synthetic_curves.h"

#include "analysis/method.h"
#include "analysis/record.h"
#include "analysis/views.h"

#include <gtest/gtest.h>

namespace analysis::test {
namespace {

std::vector<double> ys(const std::vector<ViewPoint>& points) {
    std::vector<double> y;
    for (const ViewPoint& p : points)
        y.push_back(p.y);
    return y;
}

std::vector<std::size_t> sources(const std::vector<ViewPoint>& points) {
    std::vector<std::size_t> s;
    for (const ViewPoint& p : points)
        s.push_back(p.source);
    return s;
}

TEST(Views, EachCurveOffersItsViewsAndEachViewItsPoints) {
    std::vector<std::string_view> labels;
    for (const Curve curve : {Curve::CurrentVoltage, Curve::CapacitanceVoltage, Curve::CurrentTime})
        for (const ViewInfo& view : viewsOf(curve))
            labels.push_back(view.label);
    EXPECT_EQ(labels, (std::vector<std::string_view>{"|I|", "I", "dI/dV", "C", "1/C²", "C/Cmax",
                                                     "|I| against t", "log–log"}));
    EXPECT_TRUE(infoOf(View::LogLog).logX && infoOf(View::LogLog).logY);

    // An up/down sweep over a 500 Ω resistor, the turning point read once.
    const std::vector<Point> iv{{-1, -2e-3}, {0, 0}, {1, 2e-3}, {1, 2e-3}, {0, 0}};
    EXPECT_EQ(ys(viewPoints(View::AbsoluteCurrent, iv)),
              (std::vector<double>{2e-3, 0, 2e-3, 2e-3, 0}));
    const auto conductance = viewPoints(View::Conductance, iv);
    EXPECT_EQ(ys(conductance), (std::vector<double>{2e-3, 2e-3, 2e-3}));
    EXPECT_EQ(sources(conductance), (std::vector<std::size_t>{0, 1, 3})); // not across 1 V twice
    EXPECT_EQ(conductance[0].x, -0.5);

    const std::vector<Point> cv{{0, 2e-10}, {1, -1e-12}, {2, 1e-10}};
    const auto inverse = viewPoints(View::InverseSquare, cv);
    EXPECT_EQ(sources(inverse), (std::vector<std::size_t>{0, 2}));
    EXPECT_DOUBLE_EQ(inverse[1].y, 1e20);
    EXPECT_EQ(ys(viewPoints(View::Normalised, cv)), (std::vector<double>{1, -0.005, 0.5}));
    EXPECT_EQ(ys(viewPoints(View::Normalised, cv, 4e-10)),
              (std::vector<double>{0.5, -0.0025, 0.25}));
}

TEST(Views, TheSecondBranchStartsAfterTheTurningPoint) {
    const auto at = [](std::vector<double> volts) {
        std::vector<Reading> readings;
        for (const double v : volts)
            readings.push_back({0, v, 1e-12, false});
        return secondBranchStart(readings);
    };
    EXPECT_EQ(at({-1, 0, 1, 2, 1, 0, -1}), 4u);
    EXPECT_EQ(at({5, 5, 4, 3, 3, 4}), 5u); // falling first; the stair's top read twice
    EXPECT_EQ(at({0, 1, 2, 3}), 4u);       // one way only
    EXPECT_EQ(at({5, 5, 5}), 3u);          // a held bias
    EXPECT_EQ(at({}), 0u);
}

TEST(AnalysisRecord, KeepsTheInputsTheMethodUsedAndEveryValue) {
    Inputs inputs;
    inputs.method = Method::Mos;
    inputs.area = 2.5e-3;
    inputs.from = -1.5;
    inputs.type = DopingType::N;
    inputs.at = 7.0; // not the mos method's: left out
    Result result;
    result.inputs = inputs;
    result.curve = Curve::CapacitanceVoltage;
    result.values = {{"N_cm3", 1.23457e16, "1.23457E+16"},
                     {"Vfb_V", std::nullopt, "not determined: no crossing"}};
    const std::vector<RecordLine> lines = analysisLines(result);
    EXPECT_EQ(lines, (std::vector<RecordLine>{{"method", "mos"},
                                              {"function", "C-V"},
                                              {"from_V", "-1.5"},
                                              {"area_cm2", "0.0025"},
                                              {"temperature_K", "300"},
                                              {"eps_ox", "3.9"},
                                              {"eps_s", "11.7"},
                                              {"type", "n"},
                                              {"N_cm3", "1.23457E+16"},
                                              {"Vfb_V", "not determined: no crossing"}}));

    std::vector<RecordLine> edited = lines;
    edited[0].first = "METHOD"; // keys match as in any INI file
    const std::optional<Result> back = resultFromLines(edited);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->inputs.method, Method::Mos);
    EXPECT_EQ(back->curve, Curve::CapacitanceVoltage);
    EXPECT_EQ(back->inputs.from, -1.5);
    EXPECT_FALSE(back->inputs.to);
    EXPECT_EQ(back->inputs.area, 2.5e-3);
    EXPECT_EQ(back->inputs.type, DopingType::N);
    EXPECT_EQ(analysisLines(*back), lines);
    EXPECT_EQ(back->number("N_cm3"), 1.23457e16);

    result.refusal = "the window holds 2 readings";
    result.values.clear();
    EXPECT_EQ(resultFromLines(analysisLines(result))->refusal, result.refusal);
    EXPECT_FALSE(
        resultFromLines(std::vector<RecordLine>{{"method", "astrology"}, {"function", "C-V"}}));
    EXPECT_FALSE(resultFromLines(std::vector<RecordLine>{{"method", "mos"}}));
}

} // namespace
} // namespace analysis::test
