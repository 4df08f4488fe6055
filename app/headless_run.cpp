#include "app/headless_run.h"

#include "app/chart/live_chart.h"
#include "app/frm_main.h"
#include "app/left_column.h"
#include "app/runtime/virtual_run.h"
#include "app/test_run_panel.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

namespace app {

namespace {

void printProgress(const testrun::TestRun& run) {
    std::fprintf(stderr, "\r%d readings, %.1f of %.1f s ", run.iMeasIndex(), run.elapsedSeconds(),
                 static_cast<double>(run.expectation().time));
    std::fflush(stderr);
}

bool savePlot(frmMain& window, const std::string& path) {
    if (window.leftColumn().graph1()->grab().save(QString::fromStdString(path), "PNG"))
        return true;
    std::fprintf(stderr, "The chart could not be saved as %s\n", path.c_str());
    return false;
}

void runInRealTime(TestRunPanel& panel) {
    QEventLoop loop;
    panel.setProgressListener([&] {
        printProgress(panel.run());
        if (!panel.run().TestRunning())
            loop.quit();
    });
    if (panel.run().TestRunning())
        loop.exec();
}

} // namespace

int RunHeadless(frmMain& window, TestRunPanel& panel, const HeadlessRequest& request,
                const std::function<bool(const std::string&)>& loadConfig,
                platform::VirtualClock* dryRunClock) {
    if (!loadConfig(request.config))
        return 1;
    window.leftColumn().txtPathToData()->setText(QString::fromStdString(request.data));
    if (!panel.cmdStart_Click())
        return 1;
    if (dryRunClock) {
        panel.setProgressListener({});
        runtime::runInVirtualTime(
            *dryRunClock, [&] { return panel.run().TestRunning(); },
            [&] {
                QApplication::processEvents();
                printProgress(panel.run());
            });
    } else {
        runInRealTime(panel);
    }
    printProgress(panel.run());
    std::fputc('\n', stderr);
    const bool plotted = !request.plot || savePlot(window, *request.plot);
    return panel.run().lastTestRanToEnd() && panel.run().lastDataSaved() && plotted ? 0 : 1;
}

} // namespace app
