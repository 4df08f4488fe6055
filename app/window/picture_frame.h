#pragma once

#include <QFrame>

namespace app {

// Frame3: a small picture of what the program measures, a current rising with the voltage.
class PictureFrame : public QFrame {
    Q_OBJECT

public:
    explicit PictureFrame(QWidget* parent);
    QSize sizeHint() const override;
    // Small, but never squeezed to a sliver.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app
