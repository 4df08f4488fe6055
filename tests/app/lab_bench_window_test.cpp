// The real main window on the simulated instrument, in virtual time, as a device engineer uses it
// to compare runs and to find out later what a file was measured with: data files and the
// previous run as reference curves, and the record written beside every data file.

#include "window_on_simulator.h"

#include "app/chart/live_chart.h"
#include "app/window/main_menus.h"
#include "settings/app_settings.h"
#include "settings/form_controls.h"
#include "settings/ini_document.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <cctype>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;
using testsupport::putFile;

// ISO 8601 with the offset from UTC: "2026-12-07T17:31:06+01:00".
bool isLocalTimeWithOffset(const std::string& text) {
    const std::string shape = "0000-00-00T00:00:00+00:00";
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = text[i];
        const bool fits = shape[i] == '0'   ? std::isdigit(static_cast<unsigned char>(c)) != 0
                          : shape[i] == '+' ? c == '+' || c == '-'
                                            : c == shape[i];
        if (!fits)
            return false;
    }
    return true;
}

class LabBench : public apptest::WindowOnSimulator {
protected:
    LabBench() {
        panelFor(simulated);
        useOwnFolder();
        chooseDiodeSweep();
    }

    chart::LiveChart& chart() { return *window.leftColumn().graph1(); }
    const app::MainMenus& menus() { return window.menus(); }
    void openData(const fs::path& path) {
        dialogs.queueAnswer(path.string());
        menus().itemOpenData->trigger();
        QApplication::processEvents();
    }
    double referenceEnd(std::size_t i) { return chart().referencePoints(i).keyRange()->max; }
};

TEST_F(LabBench, ARunRecordRestoresThePanelItRanWithAndNeverBecomesTheConfigurationInUse) {
    const std::string inUse = (programFolder / "mine.ini").string();
    putFile(inUse, "[FORM]\ntxtConfig(1)=9\n");
    application.session().setConfigPath(inUse);
    const auto ranWith = settings::FormValues(window.controls());
    window.cmdStart()->click();
    runToEnd();

    const fs::path record = folder / "run.run.ini";
    const std::string recorded = fileText(record);
    const settings::IniDocument document(recorded);
    const auto run = [&](const char* key) { return document.value("Run", key).value_or("?"); };
    EXPECT_EQ(run("outcome"), "complete");
    EXPECT_EQ(run("readings"), "21");
    EXPECT_EQ(run("address"), "16");
    EXPECT_TRUE(run("driver").ends_with("libtarvix-gpibsim.so")) << run("driver");
    EXPECT_TRUE(isLocalTimeWithOffset(run("start"))) << run("start");
    EXPECT_TRUE(isLocalTimeWithOffset(run("end"))) << run("end");
    for (const auto& [key, value] : ranWith)
        EXPECT_EQ(document.value("FORM", key), value) << key;

    window.configPanel().optionFunction().setSelected(2, true);
    setField(window.configPanel().txtConfig(1), "7");
    dialogs.queueAnswer(record.string());
    menus().itemLoadConfig->trigger();
    EXPECT_EQ(settings::FormValues(window.controls()), ranWith);
    EXPECT_EQ(application.session().configPath(), inUse);
    EXPECT_EQ(window.windowTitle().toStdString(), platform::titleLine() + " - from run run");

    dialogs.queueAnswer(record.string()); // Save Config As over the record is refused
    menus().itemSaveAs->trigger();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("is the record of a run"), std::string::npos);
    EXPECT_EQ(fileText(record), recorded);
    EXPECT_EQ(application.session().configPath(), inUse);

    // Save Config asks where, as Save Config As does; exit keeps the panel in the window's own
    // file, which becomes the configuration in use. The named configuration is never replaced.
    const std::size_t dialogsBefore = dialogs.shown().size();
    menus().itemSave->trigger();
    ASSERT_EQ(dialogs.shown().size(), dialogsBefore + 1);
    EXPECT_EQ(dialogs.shown().back().request.title, "Save Config File As...");
    window.show(); // a hidden window saves nothing
    window.close();
    EXPECT_EQ(fileText(inUse), "[FORM]\ntxtConfig(1)=9\n");
    EXPECT_EQ(application.session().configPath(), "");
    EXPECT_NE(fileText(programFolder / "frmMain.ini").find("txtConfig(1)=1\n"), std::string::npos);
    const settings::AppSettings next = settings::LoadAppSettings(programFolder.program());
    EXPECT_EQ(next.currentConfigPath, ""); // the next start shows this panel
}

TEST_F(LabBench, DataFilesAndThePreviousRunAreReferencesThatFollowTheAxisAndTheFit) {
    window.cmdStart()->click();
    runToEnd();
    openData(folder / "run.txt");
    EXPECT_TRUE(box->shown().empty());
    EXPECT_EQ(dialogs.shown().back().request.title, "Open Data File");
    EXPECT_EQ(dialogs.shown().back().request.folder, folder.path());
    ASSERT_EQ(chart().referenceCount(), 1u);
    EXPECT_EQ(chart().referencePoints(0).points().size(), 21u);
    EXPECT_GT(referenceEnd(0), 5.0); // seconds
    window.leftColumn().optionXAxis().button(1)->click();
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(referenceEnd(0), 1.0f); // volts

    const std::string header =
        "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data";
    putFile(folder / "odd.txt", header + "\r\n1\t1\t2E-12\t0.5\tAmps\t\tR\r\n1\t1\t\r\n");
    openData(folder / "odd.txt");
    putFile(folder / "notes.txt", "Dear diary\r\n");
    openData(folder / "notes.txt");
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text,
              "odd.txt: 1 line that is not a reading was left out; 1 reading is shown.");
    EXPECT_EQ(box->shown()[1].text.rfind("321: Invalid file format (", 0), 0u);
    EXPECT_NE(box->shown()[1].text.find("The data file was not opened."), std::string::npos);
    EXPECT_EQ(chart().legendTexts(),
              (QStringList{"Readings", "At current limit", "run.txt", "odd.txt"}));

    window.leftColumn().chkKeepPreviousRun()->click();
    EXPECT_TRUE(settings::LoadAppSettings(programFolder.program()).keepPreviousRun);
    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folder / "second.txt").string()));
    window.cmdStart()->click();
    runUntilReadings(3);
    EXPECT_FALSE(menus().menuFile->isEnabled());
    ASSERT_EQ(chart().referenceCount(), 3u);
    EXPECT_EQ(chart().legendTexts().back(), "Previous run (run.txt)");
    EXPECT_GE(chart().plot()->xAxis->range().upper, 1.0); // every curve in view from the start
    runToEnd();

    menus().itemClearReferences->trigger();
    QApplication::processEvents();
    EXPECT_EQ(chart().referenceCount(), 0u);
    EXPECT_FALSE(chart().legendTexts().contains("run.txt"));
}

} // namespace

namespace {

using apptest::Instrument;

// What a loaded configuration says about the chart holds at once and through the test; an
// aborted run says how far it got; Serial Poll without a driver says why it does nothing.
TEST_F(LabBench, LoadedChartSettingsHoldAndAnAbortedRunSaysHowFarItGot) {
    std::string config = fileText(testsupport::buildDir() / "share" / "tarvix-4140" / "config" /
                                  "CV_mos_capacitor.ini");
    for (const char* key : {"chkDisplayPolarity=1", "chkDisplaySymbols=1"})
        config.replace(config.find(key), std::string(key).size(),
                       std::string(key, std::string(key).size() - 1) + "0");
    putFile(folder / "cv.ini", config);
    ASSERT_NE(config.find("chkYLog=0"), std::string::npos);
    dialogs.queueAnswer((folder / "cv.ini").string());
    menus().itemLoadConfig->trigger();
    EXPECT_EQ(chart().chartType(), chart::ChartType::Linear); // before View Graph
    EXPECT_EQ(chart().chartYTitle(), "Capacitance (in Farads)");

    useOwnFolder();
    window.cmdStart()->click();
    runUntilReadings(16);
    EXPECT_EQ(chart().chartType(), chart::ChartType::Linear);
    EXPECT_EQ(chart().chartStyle(), chart::ChartStyle::Lines);
    EXPECT_EQ(chart().chartPointLabelsOn(), 0);
    window.cmdAbort()->click();
    const auto* bar = window.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->text().endsWith(" readings, aborted")) << bar->text().toStdString();
    EXPECT_TRUE(bar->text().startsWith("16 of about ")) << bar->text().toStdString();
    EXPECT_LT(bar->value(), bar->maximum());
    EXPECT_NE(fileText(folder / "run.run.ini").find("\ndry_run=1\n"), std::string::npos);

    Instrument missing{application, "/nonexistent/libgpib.so.0"};
    panelFor(missing);
    box->clear();
    window.controls().get<QPushButton>("cmdSpoll")->click();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("48: "), std::string::npos) << box->shown()[0].text;
}

} // namespace
