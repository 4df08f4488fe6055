#include "qt_file_dialogs.h"

#include "platform/stop_request.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace app {

namespace {

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

} // namespace

std::optional<std::string> QtFileDialogs::getSaveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    return run(dialog, request);
}

std::optional<std::string> QtFileDialogs::getOpenFileName(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, request);
}

// A stop signal cancels a dialog that is open and every one after it.
std::optional<std::string> QtFileDialogs::run(QFileDialog& dialog,
                                              const FileDialogRequest& request) {
    if (platform::stopRequested())
        return std::nullopt;
    dialog.setObjectName("CMNDLG");
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setDirectory(fromPath(request.folder));
    dialog.setNameFilters(toQt(request.filters));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || platform::stopRequested() ||
        dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace app
