// The real main window on the simulated instrument, in virtual time, as a device engineer analyses
// a run: an up/down C-V sweep of the simulator's MOS capacitor shaded by branch, its views and
// read-out, a fit window dragged on the chart, the results shown, copied and kept in the run
// record; and runs of another quantity kept off the chart.

#include "window_on_simulator.h"

#include "app/analyse/analyse_panel.h"
#include "app/chart/live_chart.h"
#include "app/window/main_menus.h"
#include "settings/ini_document.h"

#include <qcustomplot.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;

class AnalysedWindow : public apptest::WindowOnSimulator {
protected:
    AnalysedWindow() {
        panelFor(simulated);
        useOwnFolder();
    }

    chart::LiveChart& chart() { return *window.leftColumn().graph1(); }
    analyse::AnalysePanel& panel() { return window.analysePanel(); }
    QCustomPlot& plot() { return *chart().plot(); }
    QPoint pixelAt(double volts) {
        return QPoint(static_cast<int>(plot().xAxis->coordToPixel(volts)),
                      plot().axisRect()->center().y());
    }
    const QCPAbstractPlottable* line(const char* name) {
        for (int i = 0; i < plot().plottableCount(); ++i)
            if (plot().plottable(i)->name() == name && plot().plottable(i)->visible())
                return plot().plottable(i);
        return nullptr;
    }
    // The keys of the line of that name, in the order it is drawn.
    std::vector<double> keysOf(const char* name) {
        std::vector<double> keys;
        if (const auto* curve = qobject_cast<const QCPCurve*>(line(name)))
            for (const QCPCurveData& data : *curve->data())
                keys.push_back(data.key);
        if (const auto* graph = qobject_cast<const QCPGraph*>(line(name)))
            for (const QCPGraphData& data : *graph->data())
                keys.push_back(data.key);
        return keys;
    }
    std::string recorded(const fs::path& record, const char* key) {
        return settings::IniDocument(fileText(record)).value("Analysis", key).value_or("?");
    }
    void chooseCapacitorSweep() {
        sim.call<int(const char*)>("gpibsim_set_model", "mos");
        for (const auto& [name, value] : {std::pair{"doping_density", 1e16},
                                          {"oxide_thickness", 20e-9},
                                          {"area", 1e-3},
                                          {"flat_band_voltage", -0.8}})
            ASSERT_EQ(
                sim.call<int(const char*, double)>("gpibsim_set_model_parameter", name, value), 0)
                << name;
        app::ConfigPanel& config = window.configPanel();
        config.optionFunction().setSelected(2, true);
        config.optionRamp().setSelected(1, true); // up and back down
        setField(config.txtConfig(0), "-3");
        setField(config.txtConfig(1), "3");
        setField(config.txtConfig(2), "0.05");
        setField(config.txtConfig(5), "0.1");
        window.leftColumn().optionXAxis().button(1)->click();
    }
};

TEST_F(AnalysedWindow, ACvHysteresisIsShadedAWindowIsDraggedAndTheResultsAreKeptWithTheRun) {
    window.show(); // the mouse reaches a chart on the screen only
    chooseCapacitorSweep();
    window.cmdStart()->click();
    runToEnd();
    ASSERT_EQ(application.readings().Count(), 241u);

    // Out from -3 V to 3 V, back from the turning point at 3 V to -3 V in the lighter shade.
    const std::vector<double> out = keysOf("readings");
    const std::vector<double> back = keysOf("readings back");
    ASSERT_EQ(out.size(), 121u);
    ASSERT_EQ(back.size(), 121u);
    EXPECT_DOUBLE_EQ(out.back(), 3.0);
    EXPECT_DOUBLE_EQ(back.front(), 3.0);
    EXPECT_NEAR(back.back(), -3.0, 1e-6);
    EXPECT_EQ(keysOf("readings turn"), std::vector<double>{3.0});
    EXPECT_TRUE(chart().legendTexts().contains("Way back"));
    EXPECT_TRUE(chart().legendTexts().contains("Turning point"));

    // The read-out gives the reading nearest the mouse: at 1 V (the 81st).
    const QPoint reading(pixelAt(1.0).x(), static_cast<int>(plot().yAxis->coordToPixel(
                                               application.readings().Item(81).Current)));
    QMouseEvent hover(QEvent::MouseMove, reading, chart().plot()->mapToGlobal(reading),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart().plot(), &hover);
    EXPECT_TRUE(chart().readoutText().startsWith("V = 1 V   C = "))
        << chart().readoutText().toStdString();
    EXPECT_TRUE(chart().readoutText().endsWith(" F"));

    window.leftColumn().cmdAnalyse()->click();
    EXPECT_TRUE(panel().isVisible());
    QTest::keyClick(panel().method(), Qt::Key_Down);
    ASSERT_EQ(panel().method()->currentText(), "mos");
    QTest::keyClicks(panel().area(), "1e-3");
    QTest::keyClick(panel().area(), Qt::Key_Return);
    EXPECT_FALSE(chart().windowBand().has_value()); // no window yet: every reading

    // Shift+drag over the depletion region, between flat band and inversion.
    QTest::mousePress(chart().plot(), Qt::LeftButton, Qt::ShiftModifier, pixelAt(-0.6));
    QTest::mouseMove(chart().plot(), pixelAt(-0.3));
    QTest::mouseMove(chart().plot(), pixelAt(-0.1));
    QTest::mouseRelease(chart().plot(), Qt::LeftButton, Qt::ShiftModifier, pixelAt(-0.1));
    QApplication::processEvents();
    EXPECT_FALSE(chart().hasUserView()); // a window, not a pan
    const double from = panel().from()->text().toDouble();
    const double to = panel().to()->text().toDouble();
    const double voltsPerPixel = plot().xAxis->range().size() / plot().axisRect()->width();
    EXPECT_NEAR(from, -0.6, voltsPerPixel);
    EXPECT_NEAR(to, -0.1, voltsPerPixel);
    ASSERT_TRUE(chart().windowBand().has_value());
    EXPECT_DOUBLE_EQ(chart().windowBand()->first, from);
    EXPECT_DOUBLE_EQ(chart().windowBand()->second, to);

    // Written into the record of the run, which was saved before the run was analysed: the
    // simulated capacitor's doping and flat band, shown with their units.
    const fs::path record = folder / "run.run.ini";
    EXPECT_EQ(recorded(record, "method"), "mos");
    EXPECT_EQ(recorded(record, "from_V"), panel().from()->text().toStdString());
    EXPECT_EQ(recorded(record, "area_cm2"), "0.001");
    EXPECT_NEAR(std::stod(recorded(record, "N_cm3")) / 1e16, 1.0, 0.05);
    EXPECT_NEAR(std::stod(recorded(record, "Vfb_V")), -0.8, 0.03);
    const QString results = panel().resultText();
    for (const std::string& shown :
         {"N = " + recorded(record, "N_cm3") + " cm⁻³", "Vfb = " + recorded(record, "Vfb_V") + " V",
          "r² = " + recorded(record, "r2")})
        EXPECT_TRUE(results.contains(QString::fromStdString(shown))) << results.toStdString();
    // The fit over the window.
    ASSERT_FALSE(chart().fitPoints().points().empty());
    EXPECT_GE(chart().fitPoints().points().front().key, from);
    EXPECT_LE(chart().fitPoints().points().back().key, to);
    EXPECT_TRUE(chart().legendTexts().contains("mos fit"));
    EXPECT_EQ(settings::IniDocument(fileText(record)).value("Run", "outcome"), "complete");
    EXPECT_EQ(panel().recordNote(), "Kept in the run record run.run.ini");
    panel().copyButton()->click();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("method = mos\nfunction = C-V\n"));

    // 1/C² against V: the window and the fit follow, and the view's points save as TSV.
    QComboBox* views = window.leftColumn().cmbChartView();
    QTest::keyClick(views, Qt::Key_Down);
    ASSERT_EQ(views->currentText(), "1/C²");
    QApplication::processEvents();
    EXPECT_EQ(plot().yAxis->label(), "1/C² (in 1/F²)");
    const chart::DrawnPoint& first = chart().drawnPoints().points().front();
    const double farads = application.readings().Item(1).Current;
    EXPECT_NEAR(first.value * farads * farads, 1.0, 1e-5);
    EXPECT_TRUE(chart().windowBand().has_value());
    EXPECT_FALSE(chart().fitPoints().points().empty());
    dialogs.queueAnswer((folder / "cv.tsv").string());
    chart().saveAction()->trigger();
    const std::string tsv = fileText(folder / "cv.tsv");
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')), "Voltage (in Volts)\t1/C² (in 1/F²)\tReading\r");
    EXPECT_EQ(static_cast<std::size_t>(std::count(tsv.begin(), tsv.end(), '\n')), 242u);

    // The next run is analysed as it ends, into its own record; loading the first run's record
    // shows what was kept there.
    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folder / "second.txt").string()));
    panel().from()->setText("-0.5");
    window.cmdStart()->click();
    EXPECT_TRUE(panel().resultText().isEmpty());
    runToEnd();
    EXPECT_EQ(recorded(folder / "second.run.ini", "from_V"), "-0.5");
    EXPECT_EQ(recorded(folder / "second.run.ini", "method"), "mos");
    dialogs.queueAnswer(record.string());
    window.menus().itemLoadConfig->trigger();
    EXPECT_EQ(panel().from()->text().toDouble(), from);
    EXPECT_EQ(panel().recordNote(), "From the run record run.run.ini");
    EXPECT_EQ(panel().resultText(), results);
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(AnalysedWindow, ARunOfAnotherQuantityIsNotDrawnAndTheUserIsToldWhy) {
    chooseDiodeSweep();
    window.leftColumn().chkKeepPreviousRun()->setChecked(true);
    window.cmdStart()->click();
    runToEnd();

    window.configPanel().optionFunction().setSelected(2, true); // C-V
    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folder / "second.txt").string()));
    window.cmdStart()->click();
    runToEnd();
    EXPECT_EQ(chart().referenceCount(), 0u);
    EXPECT_EQ(chart().legendTexts().back(), "Not drawn: Previous run (run.txt) holds currents "
                                            "(Amps) and the chart shows capacitances (Farads)");

    dialogs.queueAnswer((folder / "run.txt").string());
    window.menus().itemOpenData->trigger();
    EXPECT_EQ(chart().referenceCount(), 0u);
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text, "run.txt holds currents (Amps) and the chart shows "
                                    "capacitances (Farads), so it is not drawn on this chart.");
}

} // namespace
