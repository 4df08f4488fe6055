#include "diagnostics/oof_log.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

const std::string kLine = "GPIB0_16_Receive:N+1.2345E-09,A+0.0000E+00,V+010.00[No Error]";

QApplication& application() {
    static int argc = 1;
    static char name[] = "diagnostics_ui_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// Lines sent to a shown window with a full buffer, with one event-loop turn (and so at most one
// repaint) after every `range(0)` lines: 1 is the worst case, 100 a burst.
void SendStringShownWindow(benchmark::State& state) {
    application();
    auto window = std::make_unique<diagnostics::oofLog>();
    window->resize(600, 400);
    window->show();
    for (int i = 0; i < diagnostics::LogBuffer::kLineLimit; ++i)
        window->SendString(kLine);
    QApplication::processEvents();
    const std::int64_t linesPerTurn = state.range(0);
    std::int64_t sent = 0;
    for (auto _ : state) {
        window->SendString(kLine);
        if (++sent % linesPerTurn == 0)
            QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SendStringShownWindow)->Arg(1)->Arg(10)->Arg(100);

} // namespace
