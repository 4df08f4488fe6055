// A series in the window on the simulated instrument: the shipped VB family loaded, paused
// between its steps, each step an ordinary test with its own data file and record, every step
// listed and then drawn in the run browser, and the summary written at the end.

#include "app/chart/live_chart.h"
#include "app/datafile/data_file_names.h"
#include "app/table/readings_area.h"
#include "app/window/main_menus.h"
#include "app/window/run_browser.h"
#include "app/window/series_window.h"
#include "window_on_simulator.h"

#include <QCheckBox>
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
    // The names of the reference curves drawn.
    std::vector<std::string> curves() {
        std::vector<std::string> names;
        QCustomPlot& plot = *window.leftColumn().graph1()->plot();
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

    box->queueAnswer(0); // Continue, twice
    box->queueAnswer(0);
    ASSERT_TRUE(series.startSeries());
    EXPECT_FALSE(window.cmdStart()->isEnabled());
    EXPECT_FALSE(window.controls().get<QPushButton>("Command1")->isEnabled());
    ASSERT_EQ(listed().size(), 3u);
    EXPECT_EQ(listed()[0].state, "running");
    EXPECT_EQ(listed()[2].state, "queued");
    // Each step's test in virtual time; the next starts from the event loop.
    for (int turns = 0; series.running() && turns < 100; ++turns) {
        QApplication::processEvents();
        runToEnd();
    }
    ASSERT_FALSE(series.running());

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
    EXPECT_EQ(application.session().sample().device, ""); // as the series found it
}

} // namespace
