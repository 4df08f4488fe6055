#include "chart_export.h"

#include "live_chart.h"

#include "platform/app_error.h"
#include "platform/message_box.h"
#include "settings/whole_file.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPdfWriter>

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace chart {

namespace {

constexpr const char* kSource = "SaveChart";
// The width, in device-independent pixels, the chart is laid out at before scaling.
constexpr double kLayoutWidth = 800.0;
constexpr double kLargestScale = 4.0;

double scaleFor(platform::PictureSize size) {
    return std::clamp(size.width / kLayoutWidth, 1.0, kLargestScale);
}

QSize layoutSize(platform::PictureSize size) {
    const double scale = scaleFor(size);
    return {static_cast<int>(std::lround(size.width / scale)),
            static_cast<int>(std::lround(size.height / scale))};
}

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

bool isTsv(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return QString::fromStdString(extension).compare(".tsv", Qt::CaseInsensitive) == 0;
}

} // namespace

std::string viewPointsText(const LiveChart& chart) {
    std::string text = chart.plot()->xAxis->label().toStdString() + "\t" +
                       chart.plot()->yAxis->label().toStdString() + "\tReading\r\n";
    for (const DrawnPoint& point : chart.drawnPoints().points())
        text += numtext::formatGeneral(point.key) + "\t" + numtext::formatGeneral(point.value) +
                "\t" + std::to_string(point.number) + "\r\n";
    return text;
}

QImage chartImage(LiveChart& chart, platform::PictureSize size) {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QCPPainter painter(&image);
    const double scale = scaleFor(size);
    if (scale > 1.0)
        painter.setMode(QCPPainter::pmNonCosmetic);
    painter.scale(scale, scale);
    chart.render(painter, layoutSize(size));
    return image;
}

QByteArray chartPdf(LiveChart& chart, platform::PictureSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize layout = layoutSize(size);
    // At the screen's resolution the fonts measure as they do on screen, so the layout holds.
    const int dotsPerInch = chart.logicalDpiX();
    QPdfWriter writer(&buffer);
    writer.setResolution(dotsPerInch);
    writer.setCreator(QString::fromLatin1(platform::kAppTitle));
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(layout) * 72.0 / dotsPerInch, QPageSize::Point, {}, QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF()));
    QCPPainter painter;
    if (!painter.begin(&writer))
        return {};
    painter.setMode(QCPPainter::pmVectorized);
    chart.render(painter, layout);
    painter.end();
    return bytes;
}

void saveChart(LiveChart& chart, const std::string& path, platform::PictureSize size) {
    if (isTsv(path)) {
        settings::writeFileAtomically(path, viewPointsText(chart));
        return;
    }
    const std::optional<platform::PictureFormat> format = platform::pictureFormatOf(path);
    if (!format)
        throw platform::AppError(
            platform::errnum::PathFileAccess,
            "Path/File access error (a chart is saved as a .png, .pdf or .tsv file)", kSource);
    const QByteArray bytes = *format == platform::PictureFormat::Pdf
                                 ? chartPdf(chart, size)
                                 : pngOf(chartImage(chart, size));
    if (bytes.isEmpty())
        throw platform::AppError(platform::errnum::OutOfMemory,
                                 "Out of memory (the chart could not be drawn at " +
                                     std::to_string(size.width) + " x " +
                                     std::to_string(size.height) + ")",
                                 kSource);
    settings::writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void copyChart(LiveChart& chart) {
    QGuiApplication::clipboard()->setImage(chartImage(chart, platform::kReportPictureSize));
}

} // namespace chart
