#include "app/chart/chart_routines.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file.h"
#include "app/datafile/data_file_text.h"
#include "app/datafile/reading_journal.h"
#include "app/table/measurement_display.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kBurst = 100;

// A reading of a slow I-V sweep as the parser leaves it, the reply padded to 200 characters.
HP4140DataType readingNumber(std::int32_t p) {
    HP4140DataType r;
    r.Index = p;
    r.Timerel = 0.25f * static_cast<float>(p);
    r.Voltage = static_cast<float>(50.0 * std::sin(p * 0.001));
    r.Current = static_cast<float>(1e-9 * (1.0 + 0.4 * std::sin(p * 0.013)));
    r.AtCurrentLimit = p % 97 == 0;
    r.RawData = "NAI+1.2345E-09,VA+12.50";
    r.RawData.resize(200, ' ');
    return r;
}

// Counts the repaints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// The table, labels and chart of the main window at their sizes there, with readings shown.
struct ShownDisplay {
    explicit ShownDisplay(std::int32_t shown)
        : table(&view), display({&voltage, &measurement, &units}, table, chart, readings, test) {
        view.resize(513, 169);
        chart.resize(513, 313);
        view.show();
        chart.show();
        table.setupColumns();
        chart::initChart(chart, shown, false);
        chart::applyGraphSettings(chart, chart::GraphSettings{});
        while (count < shown)
            addNext();
        QCoreApplication::processEvents();
    }
    void addNext() {
        ++count;
        display.fileReading(std::make_unique<HP4140DataType>(readingNumber(count)), count, true);
    }

    QTableView view;
    QLabel voltage, measurement, units;
    chart::LiveChart chart;
    datafile::DataCollection readings;
    hp4140::TestConfig test; // an I test: the readings are in amps
    table::MeasurementTable table;
    table::MeasurementDisplay display;
    std::int32_t count = 0;
};

// Filing a reading (Form_AddData's labels, table row, chart point and redraw request, then the
// collection), in bursts of 100 with this many readings already shown. The time is per burst;
// items_per_second gives the readings. The event-loop turn after each burst is left out here.
void FormAddData(benchmark::State& state) {
    ShownDisplay shown(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        for (int i = 0; i < kBurst; ++i)
            shown.addNext();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}
BENCHMARK(FormAddData)
    ->ArgName("shown")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(20)
    ->Unit(benchmark::kMicrosecond);

// The event-loop turn after a burst of 100 readings: the table follows the newest row and the
// chart redraws, each once; the counters give the repaints per burst.
void BurstTurn(benchmark::State& state) {
    ShownDisplay shown(static_cast<std::int32_t>(state.range(0)));
    PaintCounter tablePaints(shown.view.viewport());
    int chartReplots = 0;
    QObject::connect(shown.chart.plot(), &QCustomPlot::afterReplot, [&] { ++chartReplots; });
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kBurst; ++i)
            shown.addNext();
        state.ResumeTiming();
        QCoreApplication::processEvents();
    }
    const auto bursts = static_cast<double>(state.iterations());
    state.counters["table_paints_per_burst"] = tablePaints.count / bursts;
    state.counters["chart_replots_per_burst"] = chartReplots / bursts;
}
BENCHMARK(BurstTurn)->ArgName("shown")->Arg(1000)->Arg(100000)->Iterations(20)->Unit(
    benchmark::kMillisecond);

datafile::DataCollection collectionOf(std::int32_t count) {
    datafile::DataCollection readings;
    for (std::int32_t p = 1; p <= count; ++p)
        readings.Add(std::make_unique<HP4140DataType>(readingNumber(p)));
    return readings;
}

// Building the data file's text alone.
void DataFileText(benchmark::State& state) {
    const datafile::DataCollection readings =
        collectionOf(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(datafile::dataFileText(readings, "Amps"));
}
BENCHMARK(DataFileText)->ArgName("readings")->Arg(100000)->Unit(benchmark::kMillisecond);

// SaveData as the end of a test runs it: the text, the folders, the atomic replacement.
void SaveData(benchmark::State& state) {
    const datafile::DataCollection readings =
        collectionOf(static_cast<std::int32_t>(state.range(0)));
    QTemporaryDir folder;
    app::ScriptedFileDialogs dialogs;
    app::Session session;
    session.setDataPath(folder.filePath("data/run.txt").toStdString());
    datafile::DataFile dataFile(dialogs, folder.path().toStdString(), session);
    for (auto _ : state)
        if (!dataFile.SaveData(readings, "Amps"))
            state.SkipWithError("the data file was not written");
}
BENCHMARK(SaveData)->ArgName("readings")->Arg(100000)->Unit(benchmark::kMillisecond);

// One reading into the journal of a real-time test: its line made and handed to the operating
// system, and the data synced to the disk once a second. Each repetition writes a new journal.
void JournalReadingInRealTime(benchmark::State& state) {
    QTemporaryDir folder;
    datafile::ReadingJournal journal(folder.filePath("run.txt.partial").toStdString(), "Amps",
                                     datafile::JournalPace::EachReading);
    HP4140DataType reading = readingNumber(1);
    for (auto _ : state) {
        journal.append(reading);
        ++reading.Index;
        reading.Timerel += 0.25f;
    }
}
BENCHMARK(JournalReadingInRealTime)
    ->Iterations(100000)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace
