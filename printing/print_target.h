#pragma once

#include "printing/picture.h"

#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QPrinterInfo;
class QWidget;

namespace printing {

// Asks the user where to save the page when there is no printer. Tests answer without a dialog.
class PdfFileChooser {
public:
    virtual ~PdfFileChooser() = default;
    // The chosen file, or nothing when the user cancels.
    virtual std::optional<QString> choosePdfFile(const QString& suggestedPath) = 0;
};

// The save dialog of the desktop.
class DialogPdfFileChooser final : public PdfFileChooser {
public:
    explicit DialogPdfFileChooser(QWidget* parent) : parent_(parent) {}
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override;

private:
    QWidget* parent_;
};

// The printer to print on: the given printer (normally the default one), or, when it is null
// because none is installed, a PDF file the user chooses. Nothing when the user cancels.
std::unique_ptr<QPrinter> openPrintTarget(const QPrinterInfo& printer, PdfFileChooser& chooser);

// Prints the picture fitted on one page of the print target. False when nothing was printed
// (cancelled, or a failure the user was told about).
bool printPicture(const Picture& picture, const QPrinterInfo& printer, PdfFileChooser& chooser);

} // namespace printing
