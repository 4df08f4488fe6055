#pragma once

#include "app/session/session.h"

#include <QObject>
#include <array>

class QLabel;
class QLineEdit;
class QWidget;

namespace app {

// Who and what is measured, typed above the data-file row: Sample, Device, Operator, Comment.
// They belong to the session (the program's settings keep their last values, configuration files
// never do) and go into each run's record; the data path may name them.
class SampleFields final : public QObject {
    Q_OBJECT

public:
    // Builds the row of fields in the parent; place row() in the layout.
    SampleFields(Session& session, QWidget* parent);

    QWidget* row() const { return row_; }
    QLineEdit* field(int i) const { return fields_.at(static_cast<std::size_t>(i)); }

    static constexpr int kSample = 0;
    static constexpr int kDevice = 1;
    static constexpr int kOperator = 2;
    static constexpr int kComment = 3;

private:
    void takeTyped();
    void show();

    Session& session_;
    QWidget* row_;
    std::array<QLineEdit*, 4> fields_{};
    Session::Subscription shown_;
};

} // namespace app
