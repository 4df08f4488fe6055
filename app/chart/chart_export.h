#pragma once

// The chart as a picture for a report: a PNG image or a PDF page (vector), or an image on the
// clipboard. The chart is laid out at about 800 pixels wide and scaled to the size asked for, so
// its text keeps the proportions a report needs at any size.

#include "platform/chart_picture.h"

#include <QByteArray>
#include <QImage>

#include <string>

namespace chart {

class LiveChart;

// The image, size.width x size.height pixels.
QImage chartImage(LiveChart& chart, platform::PictureSize size);
// A PDF document of one page holding the chart drawn in vectors, in the image's proportions.
QByteArray chartPdf(LiveChart& chart, platform::PictureSize size);

// The points the chart shows, in its view, as tab-separated text: a header of the axis titles
// and "Reading", then one line per point, its two values and the number of its reading.
std::string viewPointsText(const LiveChart& chart);

// Writes the chart to the file, PNG or PDF by its extension, or the points shown as a TSV file
// (.tsv), replacing it in one step. Raises an AppError naming what failed (a name without .png,
// .pdf or .tsv is a file access error).
void saveChart(LiveChart& chart, const std::string& path, platform::PictureSize size);

// "Copy chart": the report-sized image on the clipboard.
void copyChart(LiveChart& chart);

} // namespace chart
