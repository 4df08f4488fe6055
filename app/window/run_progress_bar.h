#pragma once

#include "app/testrun/run_progress.h"

#include <QProgressBar>

namespace app {

// The status bar's progress of a test: how far it has got and what is left, or how long it ran
// once over. Hidden until the first test starts.
class RunProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit RunProgressBar(QWidget* parent);

    void showProgress(const testrun::RunProgress& progress);
};

} // namespace app
