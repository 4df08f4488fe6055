#include "frm_about.h"

#include "picture_frame.h"
#include "platform/message_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent), lblTitle_(new QLabel(this)), cmdOK_(new QPushButton("OK", this)) {
    setObjectName("frmAbout");
    const QString title = QString::fromStdString(platform::titleLine());
    setWindowTitle("About " + title);
    setModal(false);
    lblTitle_->setObjectName("lblTitle");
    lblTitle_->setText(title);
    QFont titleFont = lblTitle_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle_->setFont(titleFont);
    auto* picture = new PictureFrame(this);
    picture->setObjectName("Image1");
    auto* label1 = new QLabel(
        "Measures current against time, current against voltage and capacitance against voltage "
        "with a pA meter and DC voltage source on the GPIB bus, and keeps every reading in a "
        "tab-separated data file.",
        this);
    label1->setObjectName("Label1");
    label1->setWordWrap(true);
    auto* disclaimer = new QLabel(
        "Free software under the GNU General Public License, version 3 or later, with "
        "absolutely no warranty. Check the readings against your instrument before you rely "
        "on them.",
        this);
    disclaimer->setObjectName("lblDisclaimer");
    disclaimer->setWordWrap(true);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle_);
    layout->addWidget(picture);
    layout->addWidget(label1);
    layout->addWidget(disclaimer);
    layout->addWidget(cmdOK_, 0, Qt::AlignRight);
    setMinimumWidth(420);
}

} // namespace app
