// A series in the window on the simulated instrument: the shipped VB family loaded, paused
// between its steps, each step an ordinary test with its own data file and record, every step
// listed and then drawn in the run browser, and the summary written at the end.

#include "app/analyse/analyse_panel.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file_names.h"
#include "app/table/readings_area.h"
#include "app/window/main_menus.h"
#include "app/window/run_browser.h"
#include "app/window/series_window.h"
#include "window_on_simulator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <qcustomplot.h>

namespace {

namespace fs = std::filesystem;

class SeriesWindow : public apptest::WindowOnSimulator {
protected:
    SeriesWindow() { panelFor(simulated); }

    app::RunBrowser& browser() { return *window.findChild<app::RunBrowser*>("lstRuns"); }
    const std::vector<datafile::ReferenceRun>& listed() {
        return window.readingsArea().references().runs();
    }
    // Each step's test in virtual time; the next starts from the event loop. False when the
    // series does not end.
    bool runToItsEnd(const app::SeriesWindow& series) {
        for (int turns = 0; series.running() && turns < 100; ++turns) {
            QApplication::processEvents();
            runToEnd();
        }
        return !series.running();
    }
    // The names of the reference curves drawn.
    std::vector<std::string> curves() {
        std::vector<std::string> names;
        QCustomPlot& plot = *window.leftColumn().graph1()->plot();
        plot.replot(); // now, not at the next frame
        for (int i = 0; i < plot.plottableCount(); ++i)
            if (QCPAbstractPlottable* line = plot.plottable(i);
                line->visible() && line->name().startsWith("reference ") &&
                line->interface1D()->dataCount() > 0)
                names.push_back(line->name().mid(10).toStdString());
        return names;
    }
};

TEST_F(SeriesWindow, AFamilyOfCurvesPausedBetweenStepsEachStepARunOfItsOwn) {
    application.session().setSample({"W7", "", "Ann", "second wafer"});
    window.menus().itemSeries->trigger();
    app::SeriesWindow& series = panel->showSeriesWindow();
    ASSERT_TRUE(series.loadSeries(testsupport::buildDir() / "share" / "tarvix-4140" / "config" /
                                  "IV_diode_VB_family.series.ini"));
    ASSERT_EQ(series.tblSteps()->rowCount(), 3);
    EXPECT_EQ(series.tblSteps()->item(2, 1)->text(), "VB = 2 V");
    series.txtTemplate()->setText(
        QString::fromStdString((folder / "{sample}-{step}-VB{value}.txt").string()));
    series.chkPause()->setChecked(true);
    // Each step is analysed as it ends; the summary gathers the results.
    window.configPanel().optionFunction().setSelected(1, true); // I-V's methods, as at a Start
    window.Form_SaveConfig();
    window.analysePanel().readingsReset();
    QComboBox& method = *window.analysePanel().method();
    ASSERT_GE(method.findText("diode"), 0);
    method.setCurrentIndex(method.findText("diode"));

    window.configPanel().txtConfig(6)->setText("4");
    const std::string configBefore = application.session().configPath();

    box->queueAnswer(0); // Continue, twice
    box->queueAnswer(0);
    ASSERT_TRUE(series.startSeries());
    EXPECT_FALSE(window.cmdStart()->isEnabled());
    EXPECT_FALSE(window.controls().get<QPushButton>("Command1")->isEnabled());
    ASSERT_EQ(listed().size(), 3u);
    EXPECT_EQ(listed()[0].state, "running");
    EXPECT_EQ(listed()[2].state, "queued");
    ASSERT_TRUE(runToItsEnd(series));

    // Two questions, before the second and the third step.
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[1].text, "Set up step 3 (VB = 2 V), then Continue");
    EXPECT_EQ(box->shown()[0].answers,
              (std::vector<std::string>{"Continue", "Skip", "Stop series"}));
    for (int step = 1; step <= 3; ++step) {
        const std::string value = std::to_string(step - 1);
        const fs::path data = folder / ("W7-" + std::to_string(step) + "-VB" + value + ".txt");
        ASSERT_TRUE(fs::exists(data)) << data;
        const std::string record = testsupport::fileText(datafile::runRecordPathOf(data));
        EXPECT_NE(record.find("txtConfig(6)=" + value + "\n"), std::string::npos) << record;
        EXPECT_NE(record.find("[Sample]\nsample=W7\n"), std::string::npos) << record;
        EXPECT_NE(record.find("operator=Ann\n"), std::string::npos);
    }
    const std::string summary = testsupport::fileText(folder / "IV_diode_VB_family.summary.tsv");
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 4) << summary;
    const std::string header = summary.substr(0, summary.find('\n'));
    EXPECT_NE(header.find("\ttxtConfig(6)\tmethod\t"), std::string::npos) << header;
    EXPECT_NE(summary.find("\tVB = 2 V\t2\tdiode\t"), std::string::npos) << summary;
    EXPECT_NE(series.txtLog()->toPlainText().indexOf("The summary is in"), -1);

    ASSERT_EQ(listed().size(), 3u);
    for (const datafile::ReferenceRun& run : listed()) {
        EXPECT_EQ(run.state, "done");
        EXPECT_EQ(run.readings.size(), 21u);
        EXPECT_EQ(run.sample, "W7");
    }
    EXPECT_EQ(curves(), (std::vector<std::string>{"VB = 0 V", "VB = 1 V", "VB = 2 V"}));
    browser().setShown(1, false);
    browser().removeRun(2);
    QApplication::processEvents();
    EXPECT_EQ(curves(), (std::vector<std::string>{"VB = 0 V"}));
    EXPECT_EQ(browser().topLevelItemCount(), 2);
    EXPECT_EQ(browser().topLevelItem(1)->checkState(app::RunBrowser::Shown), Qt::Unchecked);
    EXPECT_TRUE(window.cmdStart()->isEnabled());
    EXPECT_TRUE(window.controls().get<QPushButton>("Command1")->isEnabled());
    // The window as the series found it: nothing of the last step is saved into a file at exit.
    EXPECT_EQ(application.session().sample().device, "");
    EXPECT_EQ(application.session().configPath(), configBefore);
    EXPECT_EQ(window.configPanel().txtConfig(6)->Text(), "4");
}

// Steps made from a field over two devices; the pause before the second device skipped and
// then the series stopped; an aborted step that the series goes on after. The browser lists a
// C-V file opened beside the series but cannot draw it, and puts a step's set-up on the panel.
TEST_F(SeriesWindow, UsersWordsSkipStopAndAbortAndTheBrowserUsesARunsSettings) {
    chooseDiodeSweep();
    window.leftColumn().chkKeepPreviousRun()->setChecked(true); // the steps are listed instead
    app::SeriesWindow& series = panel->showSeriesWindow();
    series.cmbField()->setCurrentIndex(series.cmbField()->findData("txtConfig(6)"));
    series.txtValues()->setText("0, 1.5");
    series.txtDevices()->setText("D1, D2");
    ASSERT_TRUE(series.makeSteps());
    ASSERT_EQ(series.tblSteps()->rowCount(), 4);
    EXPECT_EQ(series.tblSteps()->item(3, 0)->text(), "D2");
    series.txtTemplate()->setText(
        QString::fromStdString((folder / "{device}-{value}.txt").string()));
    series.chkPause()->setChecked(true);
    box->queueAnswer(1); // Skip D2's first step
    box->queueAnswer(2); // and Stop series at the next

    ASSERT_TRUE(series.startSeries());
    runUntilReadings(5);
    window.cmdAbort()->click(); // the first step ends; the series goes on
    ASSERT_TRUE(runToItsEnd(series));
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text, "Move the probe to D2, then Continue");
    std::vector<std::string> states;
    for (const datafile::ReferenceRun& run : listed())
        states.push_back(run.state + " " + run.outcome);
    EXPECT_EQ(states,
              (std::vector<std::string>{"done aborted", "done complete", "skipped ", "not run "}));
    EXPECT_TRUE(fs::exists(folder / "D1-0.txt"));
    EXPECT_TRUE(fs::exists(folder / "D1-1.5.txt"));
    EXPECT_FALSE(fs::exists(folder / "D2-0.txt"));
    const std::string summary = testsupport::fileText(folder / "series.summary.tsv");
    EXPECT_NE(summary.find("\tskipped\t"), std::string::npos) << summary;
    EXPECT_NE(summary.find("\tnot run\t"), std::string::npos) << summary;

    // Two files at once: an I-V run beside a C-V one, which is listed but not drawn.
    fs::copy_file(folder / "D1-1.5.txt", folder / "iv.txt");
    std::string cv = testsupport::fileText(folder / "D1-0.txt");
    for (std::size_t at = cv.find("Amps"); at != std::string::npos; at = cv.find("Amps", at))
        cv.replace(at, 4, "Farads");
    testsupport::putFile(folder / "cv.txt", cv);
    dialogs.queueAnswers({(folder / "iv.txt").string(), (folder / "cv.txt").string()});
    window.menus().itemOpenData->trigger();
    ASSERT_EQ(listed().size(), 6u);
    EXPECT_EQ(listed()[5].units, "Farads");
    EXPECT_EQ(browser().topLevelItem(5)->flags() & Qt::ItemIsUserCheckable, Qt::NoItemFlags);
    EXPECT_NE(browser().whyNotShown(5).find("capacitances"), std::string::npos);
    window.configPanel().txtConfig(6)->setText("4");
    browser().useSettings(1);
    EXPECT_EQ(window.configPanel().txtConfig(6)->Text(), "1.5");
}

} // namespace
