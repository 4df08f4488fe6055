#include "app/signal_stop.h"

#include "app/stop_signals.h"
#include "app/window/frm_main.h"
#include "app/window/test_run_panel.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <chrono>

namespace app {

namespace {

// While the test still ends (its readings being written) or a dialog is still on its way out,
// the window waits that long before it looks again.
constexpr std::chrono::milliseconds kLookAgain{50};

void endWhenIdle(QPointer<frmMain> window, TestRunPanel* panel, int signal) {
    if (!window)
        return;
    CloseDialogs();
    if (panel->run().TestRunning() || QApplication::activeModalWidget()) {
        QTimer::singleShot(kLookAgain, window, [=] { endWhenIdle(window, panel, signal); });
        return;
    }
    window->close();
    QApplication::exit(signalExitStatus(signal));
}

} // namespace

void CloseDialogs() {
    // Each dialog closed shows the one beneath it; a window that is no dialog stops the loop.
    for (int open = 0; open < 16; ++open) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->reject();
    }
}

void StopOnSignal(frmMain& window, TestRunPanel& panel, int signal, bool headless) {
    CloseDialogs();
    panel.run().stop(testrun::RunOutcome::Stopped);
    if (headless)
        return;
    QPointer<frmMain> watched(&window);
    QTimer::singleShot(0, &window, [=, &panel] { endWhenIdle(watched, &panel, signal); });
}

} // namespace app
