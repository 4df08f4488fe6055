#include "app/app_main.h"

#include "app/application.h"
#include "app/call_watchdog.h"
#include "app/datafile/file_dialogs.h"
#include "app/headless_console.h"
#include "app/headless_run.h"
#include "app/headless_series.h"
#include "app/journal_offers.h"
#include "app/panel/field_descriptions.h"
#include "app/runtime/simulator_time.h"
#include "app/signal_stop.h"
#include "app/startup.h"
#include "app/stop_signals.h"
#include "app/table/readings_area.h"
#include "app/window/frm_main.h"
#include "app/window/test_run_panel.h"
#include "bus/driver_choice.h"
#include "diagnostics/qt_message_box.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/stop_request.h"
#include "platform/timer.h"
#include "settings/guarded.h"

#include <QApplication>
#include <QIcon>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

// The icon is compiled into this static library, whose resource initialiser no one references:
// register it by hand before the icon is set.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace app {

namespace {

void resolveFolders(const platform::ProgramOptions& options) {
    std::optional<std::filesystem::path> chosen;
    if (options.appDir)
        chosen = *options.appDir;
    platform::setProgramFolders(platform::resolveFolders(platform::executablePath(), chosen));
}

void showStartupError(const platform::AppError& error) {
    platform::messageBox().show(std::to_string(error.number()) + ": " + error.description(), "",
                                platform::mb::OkOnly | platform::mb::Critical);
}

// A headless run has nobody to answer a dialog: message boxes print and take their default,
// file dialogs cancel.
std::unique_ptr<frmMain> makeWindow(Application& application, bool headless) {
    const FieldDescriptions fields = FieldDescriptions::load(kMainWindowFields);
    if (headless)
        return std::make_unique<frmMain>(application, fields,
                                         std::make_unique<ScriptedFileDialogs>());
    return std::make_unique<frmMain>(application, fields);
}

// A headless run says everything on its console, message boxes included; a window shows them.
HeadlessConsole* installMessageBox(bool headless) {
    if (!headless) {
        platform::installMessageBox(std::make_unique<diagnostics::QtMessageBox>());
        return nullptr;
    }
    auto console = std::make_unique<HeadlessConsole>(stderr);
    HeadlessConsole* installed = console.get();
    platform::installMessageBox(std::move(console));
    return installed;
}

// A window run from a terminal and stopped by a signal says there where the readings went, as
// the window closes.
class TerminalNotes final : public RunReporter {
public:
    void readingsAreIn(const std::string& where) override {
        std::fprintf(stderr, "%s\n", where.c_str());
    }
};

// The offscreen platform of a headless run warns about window features it has no use for
// (raising a window, size hints), and Qt about a missing runtime folder it never uses; those
// lines would only bury the run's own output.
QtMessageHandler defaultMessageHandler = nullptr;

void quietOffscreenWarnings() {
    defaultMessageHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtWarningMsg && (message.startsWith("This plugin does not support") ||
                                         message.startsWith("QStandardPaths: ")))
                return;
            defaultMessageHandler(type, context, message);
        });
}

// A dry run paces the window's timer by the virtual clock and puts the simulator on it.
std::unique_ptr<runtime::SimulatorTime> enterVirtualTime(Application& objects, frmMain& window) {
    platform::VirtualClock* clock = objects.virtualClock();
    if (!clock)
        return nullptr;
    window.setTimer1(std::make_unique<platform::VirtualTimer>(*clock));
    return std::make_unique<runtime::SimulatorTime>(objects.calls(), *clock);
}

// The last resort behind the guarded handlers: an exception that still reaches the event dispatch
// is shown and the program goes on instead of ending.
class GuardedApplication final : public QApplication {
    Q_OBJECT

public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        settings::runGuarded([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

// Nobody waits for ever on a driver call: a headless run ends that much after its bus timeout,
// a window after a minute.
std::chrono::seconds longestCall(const platform::ProgramOptions& options, bool headless) {
    if (!headless)
        return std::chrono::seconds(60);
    const double busTimeout = options.busTimeout.value_or(testrun::Unattended{}.busTimeoutSeconds);
    return std::chrono::seconds(static_cast<long>(std::ceil(busTimeout)) + 10);
}

testrun::Unattended unattendedLimits(const platform::ProgramOptions& options) {
    testrun::Unattended limits;
    if (options.busTimeout)
        limits.busTimeoutSeconds = *options.busTimeout;
    limits.maxSeconds = options.maxTime;
    return limits;
}

} // namespace

int AppMain(int& argc, char** argv, const platform::ProgramOptions& options) {
    // A closed standard error (a pipe whose reader is gone) must not end a test: writes to it
    // fail instead.
    std::signal(SIGPIPE, SIG_IGN);
    const bool headless = options.run.has_value() || options.series.has_value();
    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        quietOffscreenWarnings();
    }
    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(platform::kAppTitle);
    // The desktop entry's name ties the windows to the menu entry and its icon (Wayland's app id).
    QApplication::setDesktopFileName(QStringLiteral("tarvix-4140"));
    initAppResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvix/tarvix-4140.png")));
    HeadlessConsole* console = installMessageBox(headless);
    std::unique_ptr<Application> appObjects;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<runtime::SimulatorTime> simulatorTime;
    try {
        resolveFolders(options);
        const platform::ProgramFolders& folders = platform::programFolders();
        const settings::AppSettings stored = PrepareAppSettings(folders);
        appObjects = std::make_unique<Application>(bus::driverCandidates(options.driver, folders),
                                                   stored.boardId, options.dryRun);
        appObjects->session().setConfigPath(stored.currentConfigPath);
        const settings::StoredSample sample = settings::LoadSample(folders.program);
        appObjects->session().setSample(
            {sample.sample, sample.device, sample.operatorName, sample.comment});
        window = makeWindow(*appObjects, headless);
        if (headless)
            window->setOnlookers(options.plot ? table::Onlookers::PictureAtEnd
                                              : table::Onlookers::Nobody);
        simulatorTime = enterVirtualTime(*appObjects, *window);
    } catch (const platform::AppError& error) {
        showStartupError(error);
        return 1;
    }
    auto* panel = new TestRunPanel(*appObjects, *window,
                                   {appObjects->gpib(), appObjects->device(), appObjects->clock()},
                                   window->logWindow());
    StopSignals stopSignals([&](int signal) { StopOnSignal(*window, *panel, signal, headless); });
    CallWatchdog watchdog(appObjects->calls(), window->readingsArea().dataFile().journal(),
                          longestCall(options, headless));
    window->show();
    TerminalNotes terminal;
    if (!headless) {
        panel->setReporter(&terminal);
        settings::runGuarded([&] { OfferJournals(*window); });
        // A signal during the offers has closed them; the event loop that would end the program
        // for it only starts now.
        if (const int signal = platform::stopSignal()) {
            if (window->isVisible())
                window->close();
            return signalExitStatus(signal);
        }
        return QApplication::exec();
    }
    // The window is never closed, so none of the user's settings files is written.
    const HeadlessServices services{*console, appObjects->virtualClock(), stopSignals, watchdog};
    if (options.series)
        return RunHeadlessSeries(*window, *panel, appObjects->session(),
                                 {*options.series, unattendedLimits(options)}, services);
    return RunHeadless(*window, *panel,
                       {*options.run, *options.data, options.plot,
                        options.plotSize.value_or(platform::kReportPictureSize),
                        unattendedLimits(options)},
                       services);
}

} // namespace app

#include "app_main.moc"
