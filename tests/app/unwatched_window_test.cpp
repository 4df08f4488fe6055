// The main window as a run without one has it: nobody watches, so a diode sweep on the simulated
// instrument files every reading and writes its data file, but nothing is drawn or laid out on
// the way; a chart wanted as a picture keeps its points and is drawn once, for the picture.

#include "window_on_simulator.h"

#include "app/chart/chart_export.h"
#include "app/chart/chart_values.h"
#include "app/chart/live_chart.h"
#include "app/table/readings_area.h"
#include "app/window/status_row.h"
#include "diagnostics/oof_log.h"

#include <qcustomplot.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class UnwatchedWindow : public apptest::WindowOnSimulator {
protected:
    UnwatchedWindow() {
        panelFor(simulated);
        useOwnFolder();
    }

    // As a run without a window sets it up: before the window is shown.
    void nobodyWatches(table::Onlookers onlookers) {
        window.setOnlookers(onlookers);
        window.show();
        QApplication::processEvents(); // what the window's start-up left to draw
        QObject::connect(chart().plot(), &QCustomPlot::afterReplot, [this] { ++replots; });
        chooseDiodeSweep();
        window.cmdStart()->click();
        runToEnd();
        ASSERT_EQ(application.readings().Count(), 21u);
        EXPECT_EQ(dataLines(), 22u);
    }

    chart::LiveChart& chart() { return *window.leftColumn().graph1(); }
    bool plotted(std::int32_t point) { return chart().chartPointMark(point) == chart::kMarkFilled; }
    int tableRows() { return window.leftColumn().Data()->model()->rowCount(); }

    int replots = 0;
};

TEST_F(UnwatchedWindow, NobodyWatchingFilesEveryReadingButDrawsAndLaysOutNothing) {
    nobodyWatches(table::Onlookers::Nobody);
    EXPECT_EQ(replots, 0);
    EXPECT_FALSE(plotted(1));
    EXPECT_EQ(tableRows(), 1); // the empty row alone
    const app::StatusRow& status = *window.leftColumn().statusRow();
    EXPECT_EQ(status.lblMeasurement()->text(), " - - -");
    EXPECT_EQ(status.lblUnits()->text(), "Amps"); // which every line of the data file repeats
    ASSERT_NE(window.logWindow(), nullptr);
    EXPECT_FALSE(window.logWindow()->isVisible()); // its lines are kept, not laid out
    EXPECT_TRUE(window.isVisible());               // the panel loads as a shown window's does
    EXPECT_FALSE(window.updatesEnabled());
}

TEST_F(UnwatchedWindow, AChartWantedAsAPictureKeepsItsPointsAndIsDrawnOnlyForThePicture) {
    nobodyWatches(table::Onlookers::PictureAtEnd);
    EXPECT_EQ(replots, 0);
    EXPECT_TRUE(plotted(1));
    EXPECT_TRUE(plotted(21));
    EXPECT_EQ(tableRows(), 1);
    const std::filesystem::path picture = folder / "iv.png";
    chart::saveChart(chart(), picture.string(), {800, 500});
    EXPECT_EQ(QImage(QString::fromStdString(picture.string())).size(), QSize(800, 500));
    QApplication::processEvents();
    EXPECT_EQ(replots, 0); // drawn into the picture, not on a screen
}

TEST_F(UnwatchedWindow, SomeoneAtTheWindowSeesEveryReading) {
    nobodyWatches(table::Onlookers::Window);
    QApplication::processEvents();
    EXPECT_GT(replots, 0);
    EXPECT_TRUE(plotted(21));
    EXPECT_EQ(tableRows(), 22);
    EXPECT_NE(window.leftColumn().statusRow()->lblMeasurement()->text(), " - - -");
    EXPECT_TRUE(window.logWindow()->isVisible());
}

} // namespace
