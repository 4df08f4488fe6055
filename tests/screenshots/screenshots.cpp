// Renders the program's windows into PNG files for people to look at: tarvix-screenshots FOLDER.
// The pictures are not compared by any test. Sizes are in the screen's logical pixels, so a run
// at 200 % (QT_SCALE_FACTOR=2) shows the same window on a screen twice as fine.
#include "app/analyse/analyse_panel.h"
#include "app/application.h"
#include "app/chart/chart_readings.h"
#include "app/chart/chart_routines.h"
#include "app/chart/graph_panel.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file_start.h"
#include "app/datafile/data_file_text.h"
#include "app/datafile/reference_runs.h"
#include "app/journal_offers.h"
#include "app/panel/field_descriptions.h"
#include "app/runtime/simulator_time.h"
#include "app/runtime/virtual_run.h"
#include "app/startup.h"
#include "app/window/frm_about.h"
#include "app/window/frm_main.h"
#include "app/window/help_window.h"
#include "app/window/left_column.h"
#include "app/window/series_window.h"
#include "app/window/test_run_panel.h"
#include "diagnostics/msg_box_layout.h"
#include "diagnostics/oof_msg_box.h"
#include "diagnostics/qt_message_box.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "settings/private_profile.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A 1280 x 720 screen less a title bar and a desktop panel.
constexpr QSize kLowScreenClient(1280, 650);
// The widest a picture of part of the window is in the guide.
constexpr int kGuideWidth = 760;

// The windows outlive the shot that made them, so their application lives as long as the program.
app::Application& shotApplication() {
    static app::Application application({}, 0);
    return application;
}

// The program's own start-up in a program folder of its own (the real one is never touched),
// with a shipped example as the configuration in use.
const platform::ProgramFolders& exampleFolders(const char* example) {
    static QTemporaryDir programFolder;
    static const platform::ProgramFolders folders =
        platform::resolveFolders(platform::executablePath(), programFolder.path().toStdString());
    platform::setProgramFolders(folders);
    settings::WritePrivateProfileStringA("Config", "Path",
                                         (folders.program / "config" / example).string(),
                                         folders.program / "Tarvix-4140.ini");
    shotApplication().session().setConfigPath(app::PrepareAppSettings(folders).currentConfigPath);
    return folders;
}

bool save(const QPixmap& picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + ".png");
    if (!picture.save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << '\n';
    return true;
}

bool save(QWidget& widget, const QDir& folder, const char* name) {
    QApplication::processEvents();
    return save(widget.grab(), folder, name);
}

// The guide's window as it opens, its text laid out.
std::unique_ptr<app::HelpWindow> openedGuide() {
    auto help = std::make_unique<app::HelpWindow>(
        platform::programFolders().dataFolder() / "help.html", nullptr);
    help->show();
    QApplication::processEvents();
    return help;
}

// The widest picture the guide's window shows whole at the size it opens at: the width of its
// text, less the document's margins and those the guide's style gives every paragraph.
int guidePictureWidth() {
    const std::unique_ptr<app::HelpWindow> help = openedGuide();
    const QTextDocument& guide = *help->browser()->document();
    const QTextBlockFormat paragraph = guide.begin().blockFormat();
    return help->browser()->viewport()->width() -
           static_cast<int>(2 * guide.documentMargin() + paragraph.leftMargin() +
                            paragraph.rightMargin());
}

// The picture as the user guide shows it (share/images/): half its size, smoothly scaled, since
// the guide's window draws a picture it must shrink point by point, and no wider than that window
// shows whole.
bool saveForGuide(QWidget& widget, const QDir& folder, const char* name) {
    QApplication::processEvents();
    QPixmap picture = widget.grab();
    picture.setDevicePixelRatio(1.0);
    static const int widest = guidePictureWidth();
    const int width = std::min(widget.width() / 2, widest);
    return save(picture.scaledToWidth(width, Qt::SmoothTransformation), folder,
                QString("guide-") + name);
}

// The main window on the simulated instrument in virtual time, the example's test stopped
// `seconds` into its run, at each of the sizes.
bool runningWindow(const QDir& folder, const char* example, double seconds,
                   const std::vector<std::pair<const char*, QSize>>& sizes) {
    const platform::ProgramFolders& folders = exampleFolders(example);
    app::Application objects({(folders.privateLibFolder() / "libtarvix-gpibsim.so").string()}, 0,
                             true);
    objects.session().setConfigPath(shotApplication().session().configPath());
    app::frmMain window(objects, app::FieldDescriptions::load(app::kMainWindowFields));
    platform::VirtualClock& clock = *objects.virtualClock();
    window.setTimer1(std::make_unique<platform::VirtualTimer>(clock));
    runtime::SimulatorTime simulatorTime(objects.calls(), clock);
    app::TestRunPanel panel(objects, window, {objects.gpib(), objects.device(), clock}, nullptr);
    window.leftColumn().txtPathToData()->setText(
        QString::fromStdString((folders.program / "data" / "screenshot.txt").string()));
    window.show();
    panel.cmdStart_Click();
    clock.advance(std::chrono::milliseconds(static_cast<long>(seconds * 1000)));
    bool saved = true;
    for (const auto& [name, size] : sizes) {
        window.resize(size.expandedTo(window.minimumSizeHint()));
        saved = save(window, folder, name) && saved;
        saved = saveForGuide(window, folder, name) && saved;
    }
    panel.cmdAbort_Click();
    return saved;
}

// The shipped family of diode curves in the middle of its second step: the runs beside the
// table list the three steps (one done and drawn, one running, one queued), and the Series
// window shows the steps it was given.
bool seriesRunning(const QDir& folder) {
    const platform::ProgramFolders& folders = exampleFolders("IV_diode_sweep.ini");
    app::Application objects({(folders.privateLibFolder() / "libtarvix-gpibsim.so").string()}, 0,
                             true);
    objects.session().setConfigPath(shotApplication().session().configPath());
    objects.session().setSample({"W7", "", "Ann", "second wafer, room temperature"});
    app::frmMain window(objects, app::FieldDescriptions::load(app::kMainWindowFields));
    platform::VirtualClock& clock = *objects.virtualClock();
    window.setTimer1(std::make_unique<platform::VirtualTimer>(clock));
    runtime::SimulatorTime simulatorTime(objects.calls(), clock);
    app::TestRunPanel panel(objects, window, {objects.gpib(), objects.device(), clock}, nullptr);
    window.show();
    window.resize(kLowScreenClient);
    app::SeriesWindow& series = panel.showSeriesWindow();
    if (!series.loadSeries(folders.program / "config" / "IV_diode_VB_family.series.ini"))
        return false;
    series.startSeries();
    runtime::runInVirtualTime(
        clock, [&] { return panel.run().TestRunning(); }, [] { QApplication::processEvents(); });
    QApplication::processEvents(); // the second step starts
    clock.advance(std::chrono::seconds(4));
    QApplication::processEvents();
    bool saved = save(window, folder, "main-window-series");
    // For the guide: the left column, from the chart to the data file's row, at the guide's width.
    const QWidget& column = window.leftColumn();
    QPixmap picture = window.grab(QRect(column.mapTo(&window, QPoint(0, 0)), column.size()));
    picture.setDevicePixelRatio(1.0);
    saved = save(picture.scaledToWidth(std::min(picture.width(), kGuideWidth),
                                       Qt::SmoothTransformation),
                 folder, "guide-series") &&
            saved;
    saved = save(series, folder, "series-window") && saved;
    saved = saveForGuide(series, folder, "series-window") && saved;
    series.stopSeries();
    panel.cmdAbort_Click();
    QApplication::processEvents();
    return saved;
}

// The simulator's control function of that name, in the library the driver binding loads.
template <typename Function> Function* simulatorControl(void* library, const char* name) {
    return reinterpret_cast<Function*>(dlsym(library, name));
}

// The C-V example on the simulator's MOS capacitor (p-type, 1e16 cm^-3, 20 nm of oxide, flat band
// at -0.8 V, a slight leak), run to its end and analysed: the way back in the lighter shade, the
// doping fitted over a window dragged across depletion, the read-out at a reading. For the guide:
// the chart and the analyse panel, no wider than the guide's window shows a picture.
bool analysedRun(const QDir& folder) {
    const platform::ProgramFolders& folders = exampleFolders("CV_mos_capacitor.ini");
    const std::filesystem::path simulator = folders.privateLibFolder() / "libtarvix-gpibsim.so";
    void* library = dlopen(simulator.c_str(), RTLD_NOW);
    if (!library) {
        std::cerr << "cannot load " << simulator << ": " << dlerror() << '\n';
        return false;
    }
    simulatorControl<int(const char*)>(library, "gpibsim_set_model")("mos");
    const auto parameter =
        simulatorControl<int(const char*, double)>(library, "gpibsim_set_model_parameter");
    parameter("doping_density", 1e16);
    parameter("oxide_thickness", 20e-9);
    parameter("area", 1e-3);
    parameter("flat_band_voltage", -0.8);
    // A leak of 20 TΩ adds V/R to the displacement current, which parts the two directions.
    parameter("leakage_resistance", 2e13);
    bool saved = false;
    {
        app::Application objects({simulator.string()}, 0, true);
        objects.session().setConfigPath(shotApplication().session().configPath());
        app::frmMain window(objects, app::FieldDescriptions::load(app::kMainWindowFields));
        platform::VirtualClock& clock = *objects.virtualClock();
        window.setTimer1(std::make_unique<platform::VirtualTimer>(clock));
        runtime::SimulatorTime simulatorTime(objects.calls(), clock);
        app::TestRunPanel panel(objects, window, {objects.gpib(), objects.device(), clock},
                                nullptr);
        window.leftColumn().txtPathToData()->setText(
            QString::fromStdString((folders.program / "data" / "mos.txt").string()));
        window.show();
        window.resize(1280, 1000);
        // Without the polarity marks: every capacitance is positive.
        window.controls().get<QCheckBox>("chkDisplayPolarity")->setChecked(false);
        window.graphPanel().Graph_LoadSettings();
        panel.cmdStart_Click();
        runtime::runInVirtualTime(
            clock, [&] { return panel.run().TestRunning(); },
            [] { QApplication::processEvents(); });
        window.leftColumn().cmdAnalyse()->click();
        analyse::AnalysePanel& analysis = window.analysePanel();
        analysis.method()->setCurrentIndex(analysis.method()->findText("mos"));
        analysis.area()->setText("1e-3");
        analysis.setWindow(-0.6, -0.1);
        QApplication::processEvents();
        chart::LiveChart& chart = *window.leftColumn().graph1();
        const QCustomPlot& plot = *chart.plot();
        chart.showReadoutAt(
            QPointF(plot.xAxis->coordToPixel(2.0), plot.yAxis->coordToPixel(9e-11)));
        QApplication::processEvents();
        // From the view selector above the chart down to the chart's foot, the panel beside it.
        const QWidget& viewRow = *window.leftColumn().cmbChartView()->parentWidget();
        const QWidget& beside = *analysis.parentWidget()->parentWidget(); // its scroll area
        const QRect shown(viewRow.mapTo(&window, QPoint(0, 0)),
                          beside.mapTo(&window, QPoint(beside.width(), chart.height())));
        QPixmap picture = window.grab(shown);
        picture.setDevicePixelRatio(1.0);
        if (picture.width() > kGuideWidth)
            picture = picture.scaledToWidth(kGuideWidth, Qt::SmoothTransformation);
        saved = save(picture, folder, "guide-analysis");
    }
    simulatorControl<void()>(library, "gpibsim_reset")();
    dlclose(library);
    return saved;
}

// A chart of 81 readings on the voltage axis, shown; reading(p) gives reading p.
std::unique_ptr<chart::LiveChart>
sampleChart(bool logY, bool capacitance, const std::function<chart::ChartReading(int)>& reading) {
    auto chart = std::make_unique<chart::LiveChart>();
    chart->resize(620, 400);
    chart::initChart(*chart, 81, capacitance);
    chart::GraphSettings settings;
    settings.xAxisIsTime = false;
    settings.capacitance = capacitance;
    settings.logY = logY;
    chart::applyGraphSettings(*chart, settings);
    for (std::int32_t p = 1; p <= 81; ++p)
        chart::plotReading(*chart, reading(p), false);
    chart->setChartRedraw(chart::kRedrawNow);
    chart->show();
    QCoreApplication::processEvents();
    return chart;
}

// A diode swept from -1 V to 1 V: a small negative leakage current in reverse, then the forward
// current up to the 10 mA limit. Warmer, it leaks more and its knee comes sooner.
chart::ChartReading diodeReadingAt(int p, double saturation, double leakage) {
    const double volts = -1.0 + 0.025 * (p - 1);
    const double current = saturation * (std::exp(volts / 0.0388) - 1.0) + volts * leakage;
    const bool atLimit = current > 1e-2;
    return {p, 0.5f * static_cast<float>(p), static_cast<float>(volts),
            static_cast<float>(atLimit ? 1e-2 : current), atLimit};
}

chart::ChartReading diodeReading(int p) {
    return diodeReadingAt(p, 1e-13, 2e-12);
}

// Two earlier runs of the diode, opened from the data files they left as references: one
// measured at 55 °C, one at 85 °C.
void showDiodeReferences(chart::LiveChart& chart) {
    static QTemporaryDir files;
    datafile::ReferenceRuns runs;
    for (const auto& [name, saturation, leakage] :
         {std::tuple{"diode-55C.txt", 4e-12, 2e-11}, std::tuple{"diode-85C.txt", 6e-11, 1e-10}}) {
        datafile::DataCollection readings;
        for (int p = 1; p <= 81; ++p) {
            const chart::ChartReading point = diodeReadingAt(p, saturation, leakage);
            auto reading = std::make_unique<HP4140DataType>();
            reading->Index = p;
            reading->Timerel = point.time;
            reading->Voltage = point.voltage;
            reading->Current = point.measurement;
            reading->AtCurrentLimit = point.atLimit;
            readings.Add(std::move(reading));
        }
        const std::filesystem::path path = files.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << datafile::dataFileText(readings, "Amps");
        runs.open(path, "Amps");
    }
    chart::showReferences(chart, runs, false, "Amps");
    QCoreApplication::processEvents();
}

// A MOS capacitor from accumulation (100 pF) to depletion (20 pF) over -5 V to 5 V.
chart::ChartReading capacitorReading(int p) {
    const double volts = -5.0 + 0.125 * (p - 1);
    const double farads = 20e-12 + 80e-12 / (1.0 + std::exp((volts + 0.5) / 0.6));
    return {p, 0.5f * static_cast<float>(p), static_cast<float>(volts), static_cast<float>(farads),
            false};
}

using Shot = std::pair<const char*, std::function<std::unique_ptr<QWidget>()>>;

// The journal a diode sweep to 1 V leaves when the program is killed after 15 readings.
void writeJournal(const std::filesystem::path& journal) {
    std::string text(datafile::kDataFileHeader);
    text += "\r\n";
    for (std::int32_t i = 1; i <= 15; ++i) {
        HP4140DataType reading;
        reading.Index = i;
        reading.Timerel = 1.0f + 0.5f * static_cast<float>(i - 1);
        reading.Voltage = 0.05f * static_cast<float>(i - 1);
        reading.Current = 1e-13f * (std::exp(reading.Voltage / 0.0388f) - 1.0f) + 1e-15f;
        reading.RawData = "NAI+0.000E-00,V+0.00";
        datafile::appendDataFileLine(text, reading, "Amps");
        text += "\r\n";
    }
    std::ofstream(journal, std::ios::binary) << text;
}

// The question as the program asks it, answered by a recording box while the action runs.
std::unique_ptr<QWidget> askedDuring(const std::function<void()>& action) {
    std::vector<std::string> answers;
    std::string text;
    {
        platform::ScopedRecordingMessageBox box;
        action();
        text = box->shown().front().text;
        answers = box->shown().front().answers;
    }
    return diagnostics::questionBox(text, answers, 0);
}

// The main window at start-up offering a journal (the question), and once it is recovered.
std::vector<Shot> recoveryShots() {
    static QTemporaryDir programFolder;
    const std::filesystem::path data = programFolder.filePath("data").toStdString();
    static std::unique_ptr<app::frmMain> window;
    return {
        {"question-journal",
         [data] {
             platform::setProgramFolders(platform::resolveFolders(
                 platform::executablePath(), programFolder.path().toStdString()));
             std::filesystem::create_directories(data);
             writeJournal(data / "iv.txt.partial");
             window = std::make_unique<app::frmMain>(
                 shotApplication(), app::FieldDescriptions::load(app::kMainWindowFields));
             return askedDuring([] { app::OfferJournals(*window); });
         }},
        {"main-window-recovered",
         [] {
             auto shown = std::move(window);
             shown->show();
             return std::unique_ptr<QWidget>(std::move(shown));
         }},
        {"question-keep-both",
         [data] {
             datafile::DataFileStart start([](const datafile::Recovery&) {});
             return askedDuring(
                 [&] { start.confirm((data / "iv-recovered.txt").string(), false); });
         }},
    };
}

std::vector<Shot> shots() {
    return {
        {"main-window-after-startup",
         [] {
             exampleFolders("IV_diode_sweep.ini");
             auto window = std::make_unique<app::frmMain>(
                 shotApplication(), app::FieldDescriptions::load(app::kMainWindowFields));
             window->show();
             return window;
         }},
        {"help-window",
         [] {
             auto help = std::make_unique<app::HelpWindow>(
                 platform::programFolders().dataFolder() / "help.html", nullptr);
             help->resize(900, 600);
             help->show();
             return help;
         }},
        {"help-window-opened",
         [] {
             // At the size it opens at, on the guide's first picture.
             std::unique_ptr<app::HelpWindow> help = openedGuide();
             help->browser()->scrollToAnchor("window");
             return help;
         }},
        {"chart-zoomed",
         [] {
             // Zoomed in on the forward current with the wheel: the view is the user's.
             auto chart = sampleChart(true, false, diodeReading);
             chart->setChartPointLabelsOn(1);
             const QCustomPlot& plot = *chart->plot();
             chart->zoomAt(QPointF(plot.xAxis->coordToPixel(0.95), plot.yAxis->coordToPixel(1e-2)),
                           2.0);
             return chart;
         }},
        {"chart-references",
         [] {
             auto chart = sampleChart(true, false, diodeReading);
             chart->setChartPointLabelsOn(1);
             showDiodeReferences(*chart);
             return chart;
         }},
        {"chart-context-menu",
         [] {
             // A C-V curve on a linear axis with its common factor, and the menu a right click
             // opens.
             auto chart = sampleChart(false, true, capacitorReading);
             QPixmap picture = chart->grab();
             QMenu* menu = chart->contextMenu();
             menu->adjustSize();
             QPainter painter(&picture);
             painter.drawPixmap(QPoint(picture.width() / 2, picture.height() / 3), menu->grab());
             painter.end();
             auto label = std::make_unique<QLabel>();
             label->setPixmap(picture);
             label->resize(picture.size());
             return std::unique_ptr<QWidget>(std::move(label));
         }},
        {"about-box",
         [] {
             auto about = std::make_unique<app::frmAbout>(nullptr);
             about->show();
             return about;
         }},
        {"msgbox-three-buttons",
         [] {
             return std::make_unique<diagnostics::oofMSGBox>(
                 "The test has ended. Save the readings to a data file before the next test "
                 "clears them?",
                 0, QStringList{"Save", "Discard", "   ", "Cancel"});
         }},
        {"msgbox-large-type",
         [] {
             return std::make_unique<diagnostics::oofMSGBox>("Start the sweep with the output on?",
                                                             diagnostics::msgboxflag::LargeType,
                                                             QStringList{"Start", "  ", "Cancel"});
         }},
    };
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::cerr << "cannot create " << argv[1] << '\n';
        return 1;
    }
    platform::installMessageBox(std::make_unique<platform::StderrMessageBox>());
    int failures = 0;
    std::vector<Shot> all = shots();
    for (Shot& shot : recoveryShots())
        all.push_back(std::move(shot));
    for (const auto& [name, make] : all) {
        const std::unique_ptr<QWidget> widget = make();
        if (!save(*widget, folder, name))
            ++failures;
    }
    if (!analysedRun(folder))
        ++failures;
    if (!seriesRunning(folder))
        ++failures;
    // The C-V example half-way through its sweep: on a low screen, and as small as it goes.
    // Last, since a test leaves its settings to the program for the windows after it.
    if (!runningWindow(
            folder, "CV_mos_capacitor.ini", 100.0,
            {{"main-window-running", kLowScreenClient}, {"main-window-smallest", QSize(0, 0)}}))
        ++failures;
    return failures == 0 ? 0 : 1;
}
