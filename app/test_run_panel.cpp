#include "app/test_run_panel.h"

#include "app/datafile/data_path.h"
#include "app/frm_main.h"
#include "app/left_column.h"
#include "bus/gpib_device.h"
#include "diagnostics/app_diagnostics.h"
#include "diagnostics/oof_log.h"
#include "hp4140/test_config.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

namespace app {

namespace {

constexpr int kProgressSteps = 1000;

} // namespace

TestRunPanel::TestRunPanel(frmMain& window, Instrument instrument, diagnostics::oofLog* log)
    : QObject(&window), window_(window), device_(instrument.device), log_(log),
      run_(*this, hp4140::AppTestConfig(),
           {instrument.gpib, instrument.device, diagnostics::AppErrorQueue(), instrument.clock,
            window.Timer1(), log}),
      progress_(new QProgressBar(&window)) {
    progress_->setRange(0, kProgressSteps);
    progress_->setTextVisible(true);
    progress_->hide();
    window.statusBar()->addPermanentWidget(progress_, 1);
    device_.setSpollObserver(&window);
    connect(window.cmdStart(), &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(window.cmdAbort(), &QPushButton::clicked, this, [this] { cmdAbort_Click(); });
    connect(window.cmdZero(), &QPushButton::clicked, this, [this] { cmdZero_Click(); });
    if (auto* spoll = window.controls().get<QPushButton>("cmdSpoll"))
        connect(spoll, &QPushButton::clicked, this, [this] { cmdSpoll_Click(); });
}

bool TestRunPanel::cmdStart_Click() {
    window_.Form_SaveConfig();
    datafile::AppDataPath() = window_.leftColumn().txtPathToData()->text().toStdString();
    return run_.cmdStart_Click();
}

void TestRunPanel::cmdZero_Click() {
    device_.Send("Z");
}

void TestRunPanel::cmdSpoll_Click() {
    device_.SPOLL();
}

void TestRunPanel::setStartEnabled(bool enabled) {
    window_.cmdStart()->setEnabled(enabled);
}

void TestRunPanel::setAbortEnabled(bool enabled) {
    window_.cmdAbort()->setEnabled(enabled);
}

void TestRunPanel::clearLog() {
    if (log_)
        log_->Clear();
}

void TestRunPanel::closeGraphSettings() {
    window_.closeGraphSettings();
}

void TestRunPanel::setConfigurationEnabled(bool enabled) {
    window_.EnableDisableConfiguration(enabled);
}

void TestRunPanel::prepareChart(const testrun::Expectation& expectation) {
    window_.iExpectedPoints = expectation.points;
    window_.fExpectedTime = expectation.time;
    window_.Graph_Init();
}

void TestRunPanel::resetReadings() {
    window_.resetReadings();
}

void TestRunPanel::fileReading(std::unique_ptr<HP4140DataType> reading) {
    window_.fileReading(std::move(reading), run_.iMeasIndex());
}

bool TestRunPanel::saveData() {
    return window_.SaveData();
}

void TestRunPanel::testProgressed() {
    window_.TestRunning = run_.TestRunning();
    showProgress();
    if (listener_)
        listener_();
}

// Elapsed against expected time, with the readings taken; hidden while no test runs.
void TestRunPanel::showProgress() {
    if (!run_.TestRunning()) {
        progress_->hide();
        return;
    }
    const double expected = std::max(static_cast<double>(run_.expectation().time), 1e-3);
    const double fraction = std::clamp(run_.elapsedSeconds() / expected, 0.0, 1.0);
    progress_->setValue(static_cast<int>(fraction * kProgressSteps));
    progress_->setFormat(QStringLiteral("%1 readings, %2 of %3 s")
                             .arg(run_.iMeasIndex())
                             .arg(run_.elapsedSeconds(), 0, 'f', 1)
                             .arg(expected, 0, 'f', 1));
    progress_->show();
}

} // namespace app
