#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace app {

// The about box: the title line, a picture and two lines about the program; OK closes it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent);

    QLabel* lblTitle() const { return lblTitle_; }
    QPushButton* cmdOK() const { return cmdOK_; }

private:
    QLabel* lblTitle_;
    QPushButton* cmdOK_;
};

} // namespace app
