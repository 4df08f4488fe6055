#pragma once

#include "drawn_points.h"
#include "label_texts.h"

#include <qcustomplot.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace chart {

// The top left corner of a label of the size for a point at the pixel: centred just above the
// point, or just below it where the area leaves no room above, and never beyond the area's sides,
// so that the label of a point at the top of the plot shows whole.
QPointF labelCorner(QPointF point, QSizeF label, double offset, const QRectF& area);

// Draws the label text of every drawn point just above its symbol, all in one layerable: one
// item per point would make every repaint walk an object per reading. Each distinct text is
// drawn once into a small picture and copied; a label that would land on the same few pixels as
// an equal one already drawn is skipped, as it could not be seen anyway.
class PointLabelLayer : public QCPLayerable {
    Q_OBJECT

public:
    PointLabelLayer(QCPAxis* keyAxis, QCPAxis* valueAxis, const DrawnPoints& drawn,
                    const LabelTexts& texts);

    // Distance in pixels between a point and the bottom of its label.
    void setOffset(double pixels) { offset_ = pixels; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    struct Picture {
        QPixmap pixmap;
        QSizeF size;
    };

    const Picture& pictureOf(std::uint32_t label);

    QCPAxis* keyAxis_;
    QCPAxis* valueAxis_;
    const DrawnPoints& drawn_;
    const LabelTexts& texts_;
    double offset_ = 4.0;
    std::vector<std::optional<Picture>> pictures_; // by label number
    std::vector<std::uint32_t> labelInCell_;
};

} // namespace chart
