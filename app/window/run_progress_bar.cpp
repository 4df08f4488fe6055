#include "run_progress_bar.h"

#include <cmath>

namespace app {

namespace {

constexpr int kSteps = 1000;

} // namespace

RunProgressBar::RunProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, kSteps);
    setTextVisible(true);
    setMinimumWidth(fontMetrics().horizontalAdvance("8888 of about 8888 readings, 888 min left") +
                    fontMetrics().height() * 2);
    hide();
}

// A run that ends only when stopped has no end to measure against: its bar stays empty and
// its text counts on.
void RunProgressBar::showProgress(const testrun::RunProgress& progress) {
    setValue(static_cast<int>(std::lround(progress.fraction.value_or(0.0) * kSteps)));
    setFormat(QString::fromStdString(progress.text));
    show();
}

} // namespace app
