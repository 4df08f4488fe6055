#include "print_target.h"

#include "platform/message_box.h"
#include "printing/print_picture.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace printing {

namespace {
constexpr const char* kDocumentName = "Tarvix-4140";

QString suggestedPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QString(kDocumentName) + ".pdf");
}
} // namespace

std::optional<QString> DialogPdfFileChooser::choosePdfFile(const QString& suggestedPath) {
    QFileDialog dialog(parent_, "No printer installed: save the page as PDF", suggestedPath,
                       "PDF files (*.pdf)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::unique_ptr<QPrinter> openPrintTarget(const QPrinterInfo& printer, PdfFileChooser& chooser) {
    if (!printer.isNull()) {
        auto target = std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
        target->setDocName(kDocumentName);
        return target;
    }
    const std::optional<QString> file = chooser.choosePdfFile(suggestedPdfPath());
    if (!file || file->isEmpty())
        return nullptr;
    auto target = std::make_unique<QPrinter>(QPrinter::HighResolution);
    target->setOutputFormat(QPrinter::PdfFormat);
    target->setOutputFileName(*file);
    target->setDocName(kDocumentName);
    target->setCreator(platform::titleLine().c_str());
    return target;
}

bool printPicture(const Picture& picture, const QPrinterInfo& printer, PdfFileChooser& chooser) {
    const std::unique_ptr<QPrinter> target = openPrintTarget(printer, chooser);
    return target && PrintPictureFitted(*target, picture).has_value();
}

} // namespace printing
