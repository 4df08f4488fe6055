#pragma once

#include "printing/picture.h"

#include <QPrinterInfo>
#include <functional>

class QWidget;

namespace printing {

class PdfFileChooser;

// Runs `action` while the application-information panel stands in the graph-type panel's place
// (laid out and repainted), then shows the graph-type panel again and hides the other, even when
// the action throws.
void withAppInfoPanel(QWidget& frameGraphType, QWidget& frameAppInfo,
                      const std::function<void()>& action);

// The Print button: captures the window's inner area with the application-information panel in
// place of the graph-type panel and prints it fitted on one page of the printer, or into a PDF
// file when no printer is installed. False when nothing was printed.
bool printWindowWithAppInfo(QWidget& window, QWidget& frameGraphType, QWidget& frameAppInfo,
                            PdfFileChooser& chooser,
                            const QPrinterInfo& printer = QPrinterInfo::defaultPrinter());

} // namespace printing
