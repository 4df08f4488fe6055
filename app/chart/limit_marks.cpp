#include "limit_marks.h"

namespace chart {

SymbolLook LimitMarks::look() {
    return {QCPScatterStyle::ssStar, QColor(214, 96, 0), Qt::NoBrush, 11.0};
}

LimitMarks::LimitMarks(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : curve_(new QCPCurve(keyAxis, valueAxis)) {
    curve_->setName(QStringLiteral("at limit"));
    curve_->setLineStyle(QCPCurve::lsNone);
    curve_->setSelectable(QCP::stNone);
    setDrawing(SymbolDrawing::Cached);
}

void LimitMarks::setDrawing(SymbolDrawing drawing) {
    if (drawing_ == drawing)
        return;
    drawing_ = drawing;
    curve_->setScatterStyle(scatterStyle(look(), drawing));
}

void LimitMarks::show(const DrawnPoints& drawn, DrawnPoints::Update update) {
    if (update.rebuilt) {
        curve_->data()->clear();
        shown_ = 0;
    }
    const std::vector<std::size_t>& atLimit = drawn.atLimit();
    for (; shown_ < atLimit.size(); ++shown_) {
        const DrawnPoint& point = drawn.points()[atLimit[shown_]];
        curve_->data()->add(QCPCurveData(static_cast<double>(shown_), point.key, point.value));
    }
}

} // namespace chart
