#include "print_picture.h"

#include "platform/message_box.h"
#include "printing/print_fit.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace printing {

namespace {
void tellNothingPrinted(const std::string& reason) {
    platform::messageBox().show(reason + " Nothing was printed.", "",
                                platform::mb::OkOnly | platform::mb::Exclamation);
}

std::string openingFailure(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return "The file \"" + printer.outputFileName().toStdString() + "\" could not be written.";
    return "The printer \"" + printer.printerName().toStdString() + "\" could not be started.";
}

QPageLayout::Orientation toPageLayout(PageOrientation orientation) {
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait;
}
} // namespace

std::optional<QRectF> PrintPictureFitted(QPrinter& printer, const Picture& picture) {
    const QSizeF pictureSize = picture.sizeHimetric();
    if (!(pictureSize.width() > 0 && pictureSize.height() > 0)) {
        tellNothingPrinted("The picture to print is empty.");
        return std::nullopt;
    }
    printer.setPageOrientation(
        toPageLayout(orientationFor(pictureSize.width(), pictureSize.height())));
    // Only the aspect ratios matter to the fit, so the printable area can stay in the device
    // pixels the painter draws in; the picture then fills the area to the last pixel.
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const std::optional<FittedSize> fitted =
        fitToPage(pictureSize.width(), pictureSize.height(), area.width(), area.height());
    if (!fitted) {
        tellNothingPrinted("The printer's page has no printable area.");
        return std::nullopt;
    }
    const QRectF target(0, 0, fitted->width, fitted->height);
    QPainter painter;
    if (!painter.begin(&printer)) {
        tellNothingPrinted(openingFailure(printer));
        return std::nullopt;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.image());
    painter.end();
    return target;
}

} // namespace printing
