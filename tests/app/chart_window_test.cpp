// The chart and the table of the real main window during and after a diode sweep on the simulated
// instrument, in virtual time: the user's view, the marks of readings at the current limit, the
// chart saved and copied, and the table's rows copied for a spreadsheet.

#include "window_on_simulator.h"

#include "app/chart/live_chart.h"
#include "app/datafile/data_collection.h"
#include "app/panel/config_panel.h"
#include "app/panel/option_group.h"
#include "app/table/readings_area.h"

#include <qcustomplot.h>

#include <QAction>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

class ChartWindow : public apptest::WindowOnSimulator {
protected:
    ChartWindow() {
        panelFor(simulated);
        useOwnFolder();
        chooseDiodeSweep();
    }

    chart::LiveChart& chart() { return *window.leftColumn().graph1(); }
    void zoom() {
        chart().zoomAt(chart().plot()->axisRect()->center(), 2);
        QApplication::processEvents();
    }
    std::pair<QCPRange, QCPRange> view() {
        return {chart().plot()->xAxis->range(), chart().plot()->yAxis->range()};
    }
    std::size_t readingsAtLimit() {
        const auto& readings = application.readings();
        return static_cast<std::size_t>(std::count_if(
            readings.begin(), readings.end(), [](const auto& r) { return r->AtCurrentLimit; }));
    }
    std::size_t starredPoints() {
        std::size_t stars = 0;
        for (int i = 0; i < chart().plot()->plottableCount(); ++i)
            if (auto* curve = qobject_cast<QCPCurve*>(chart().plot()->plottable(i));
                curve && curve->name() == "at limit")
                stars += static_cast<std::size_t>(curve->dataCount());
        return stars;
    }
};

TEST_F(ChartWindow, AUsersViewLastsThroughATestAndEndsAtAStartAnAxisSwitchOrTheSettings) {
    window.cmdStart()->click();
    runUntilReadings(5);
    zoom();
    const auto zoomed = view();
    runToEnd();
    ASSERT_EQ(application.readings().Count(), 21u);
    EXPECT_TRUE(chart().hasUserView());
    EXPECT_EQ(view(), zoomed);
    EXPECT_GT(readingsAtLimit(), 0u);
    EXPECT_EQ(starredPoints(), readingsAtLimit());
    EXPECT_TRUE(chart().legendTexts().contains("At current limit"));

    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folder / "second.txt").string())); // no question to answer
    window.cmdStart()->click();
    EXPECT_FALSE(chart().hasUserView());
    runToEnd();

    zoom();
    window.leftColumn().optionXAxis().button(1)->click(); // from time to voltage
    EXPECT_FALSE(chart().hasUserView());

    zoom();
    window.leftColumn().cmdEditGraph()->click();
    EXPECT_TRUE(chart().hasUserView()); // the settings take effect when the chart comes back
    window.leftColumn().cmdEditGraph()->click();
    EXPECT_FALSE(chart().hasUserView());
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(ChartWindow, TheChartIsSavedAsPngOrPdfAndCopiedAtReportSize) {
    window.cmdStart()->click();
    runToEnd();
    dialogs.queueAnswer((folder / "iv.png").string());
    chart().saveAction()->trigger();
    EXPECT_EQ(QImage(QString::fromStdString((folder / "iv.png").string())).size(),
              QSize(1600, 1000));
    const app::FileDialogRequest& asked = dialogs.shown().back().request;
    EXPECT_EQ(asked.title, "Save Chart As...");
    EXPECT_EQ(asked.folder, folder.path());
    EXPECT_EQ(asked.fileName, "run.png");
    EXPECT_EQ(asked.filters,
              (std::vector<std::string>{"PNG image (*.png)", "PDF document (*.pdf)",
                                        "Points of the view, tab-separated (*.tsv)"}));

    dialogs.queueAnswer((folder / "iv.pdf").string());
    chart().saveAction()->trigger();
    const std::string pdf = testsupport::fileText(folder / "iv.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos); // drawn in vectors

    dialogs.queueAnswer((folder / "iv.gif").string());
    chart().saveAction()->trigger();
    EXPECT_FALSE(std::filesystem::exists(folder / "iv.gif"));
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("The chart could not be saved."), std::string::npos);

    chart().saveAction()->trigger(); // cancelled: nothing happens
    EXPECT_EQ(box->shown().size(), 1u);

    chart().copyAction()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(1600, 1000));
}

TEST_F(ChartWindow, CtrlCCopiesTheSelectedRowsOrAllOfThemForASpreadsheet) {
    window.cmdStart()->click();
    runToEnd();
    QTableView* table = window.leftColumn().Data();
    const QAbstractItemModel& model = *table->model();
    const auto rowText = [&](int row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.append(model.index(row, column).data().toString());
        return cells.join('\t') + '\n';
    };
    const QString header = "Index\tTime\tVoltage\tMeasurement\tUnits\tAt Limit\n";
    for (const int row : {4, 2})
        table->selectionModel()->select(model.index(row, 1),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), header + rowText(2) + rowText(4));
    EXPECT_TRUE(rowText(2).startsWith("2\t"));

    table->clearSelection();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 23); // the header, 21 readings, and the empty rest after the last
    EXPECT_EQ(lines[21] + '\n', rowText(21));
    EXPECT_TRUE(lines[21].endsWith("Amps\t*"));
}

} // namespace
