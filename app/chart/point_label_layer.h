#pragma once

#include "chart_points.h"
#include "drawn_points.h"

#include <qcustomplot.h>

#include <string>
#include <vector>

namespace chart {

// Draws the label text of every drawn point just above its symbol, all in one layerable: one
// item per point would make every repaint cost a object per reading. Each distinct text is
// drawn once into a small picture and copied; where a label would land on the same few pixels
// as an equal one already drawn, it is skipped, as it could not be seen anyway.
class PointLabelLayer : public QCPLayerable {
public:
    PointLabelLayer(QCPAxis* keyAxis, QCPAxis* valueAxis, const DrawnPoints& drawn,
                    const ChartPoints& points);

    // Distance in pixels between a point and the bottom of its label.
    void setOffset(double pixels) { offset_ = pixels; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    struct Picture {
        std::string text;
        QPixmap pixmap;
    };

    // The picture's slot (from 1) for a text, made on first use.
    std::size_t slotFor(const std::string& text);

    QCPAxis* keyAxis_;
    QCPAxis* valueAxis_;
    const DrawnPoints& drawn_;
    const ChartPoints& points_;
    double offset_ = 4.0;
    std::vector<Picture> pictures_;
};

} // namespace chart
