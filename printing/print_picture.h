#pragma once

#include "printing/picture.h"

#include <QRectF>
#include <optional>

class QPrinter;

namespace printing {

// Prints the picture on one page: landscape when it is wider than tall, scaled to fit the
// printable area with its aspect ratio kept, at the area's top-left corner. Ending the page sends
// it to the printer (or file). Answers with the rectangle drawn, in the printer's device units
// from the printable area's corner; nothing when nothing could be printed, which the user is told.
std::optional<QRectF> PrintPictureFitted(QPrinter& printer, const Picture& picture);

} // namespace printing
