// Whole tests of the real main window against the simulated instrument, in virtual time.

#include "window_on_simulator.h"

#include "app/datafile/data_collection.h"
#include "app/panel/config_panel.h"
#include "app/panel/option_group.h"
#include "app/window/main_menus.h"
#include "quenta/quenta.h"

#include <QAction>
#include <QPushButton>

namespace {

class TestRunWindow : public apptest::WindowOnSimulator {
protected:
    TestRunWindow() {
        panelFor(simulated);
        useOwnFolder();
    }
};

TEST_F(TestRunWindow, AnITestTakesItsReadingsAndWritesTheFile) {
    setField(window.configPanel().txtSampleRate(), "4");
    setField(window.configPanel().txtTotalTestTime(), "60");
    window.cmdStart()->click();
    EXPECT_TRUE(window.testRunning());
    EXPECT_FALSE(window.cmdStart()->isEnabled());
    EXPECT_TRUE(window.cmdAbort()->isEnabled());
    EXPECT_EQ(panel->run().expectation().points, 16);
    runToEnd();
    EXPECT_FALSE(window.testRunning());
    EXPECT_TRUE(window.cmdStart()->isEnabled());
    EXPECT_EQ(application.readings().Count(), 15u);
    EXPECT_EQ(dataLines(), 16u);
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(TestRunWindow, CloseIsRefusedWithTwoBeepsDuringATestAndAcceptedAfter) {
    int beeps = 0;
    window.setBeep([&beeps] { ++beeps; });
    window.show();
    window.cmdStart()->click();
    runUntilReadings(2);
    for (auto ask : {+[](app::frmMain& w) { return w.close(); },
                     +[](app::frmMain& w) {
                         w.menus().itemExit->trigger();
                         return !w.isVisible();
                     }}) {
        beeps = 0;
        EXPECT_FALSE(ask(window));
        EXPECT_EQ(beeps, 2);
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_FALSE(std::filesystem::exists(programFolder / "Tarvix-4140.ini"));
    window.cmdAbort()->click();
    runToEnd();
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(std::filesystem::exists(programFolder / "Tarvix-4140.ini"));
    EXPECT_TRUE(std::filesystem::exists(programFolder / "frmMain.ini"));
}

TEST_F(TestRunWindow, AnIvSweepEndsWithTheOutputAndKeepsEveryReading) {
    window.configPanel().optionFunction().setSelected(1, true);
    window.configPanel().optionRamp().setSelected(0, true);
    setField(window.configPanel().txtConfig(1), "5");
    setField(window.configPanel().txtConfig(2), "0.5");
    setField(window.configPanel().txtConfig(5), "1");
    window.cmdStart()->click();
    runToEnd();
    EXPECT_FALSE(window.testRunning());
    EXPECT_EQ(application.readings().Count(), 11u);
    EXPECT_EQ(dataLines(), 12u);
}

TEST_F(TestRunWindow, AStartRefusedForAZeroStepLeavesTheLastTestAlone) {
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(9));
    window.cmdAbort()->click();
    const std::size_t kept = application.readings().Count();
    ASSERT_GT(kept, 0u);

    window.configPanel().optionFunction().setSelected(1, true);
    setField(window.configPanel().txtConfig(2), "0");
    window.cmdStart()->click();
    EXPECT_FALSE(window.testRunning());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("Step Voltage"), std::string::npos);
    EXPECT_EQ(application.readings().Count(), kept);
    EXPECT_TRUE(window.cmdStart()->isEnabled());
}

TEST_F(TestRunWindow, AbortStopsTheOutputAndWritesWhatWasTaken) {
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(13));
    window.cmdAbort()->click();
    EXPECT_FALSE(window.testRunning());
    EXPECT_FALSE(window.cmdAbort()->isEnabled());
    EXPECT_EQ(sim.call<int()>("gpibsim_output_on"), 0);
    EXPECT_EQ(dataLines(), application.readings().Count() + 1);
}

TEST_F(TestRunWindow, AGarbledReplyIsFiledWithZerosAndTheTestGoesOn) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "garble_at", "2");
    window.cmdStart()->click();
    runToEnd();
    ASSERT_EQ(application.readings().Count(), 15u);
    const HP4140DataType& garbled = **std::next(application.readings().begin());
    EXPECT_EQ(garbled.Index, 2);
    EXPECT_EQ(garbled.Current, 0.0f);
    EXPECT_EQ(dataLines(), 16u);
}

TEST_F(TestRunWindow, EachStartTakesTheDataPathFromThePathBox) {
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(5));
    window.cmdAbort()->click();
    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folder / "second.txt").string()));
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(5));
    window.cmdAbort()->click();
    EXPECT_TRUE(std::filesystem::exists(folder / "run.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder / "second.txt"));
}

} // namespace
