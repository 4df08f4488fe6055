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
    return runForOne(dialog, request);
}

std::optional<std::string> QtFileDialogs::getOpenFileName(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runForOne(dialog, request);
}

std::vector<std::string> QtFileDialogs::getOpenFileNames(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return run(dialog, request);
}

std::optional<std::string> QtFileDialogs::runForOne(QFileDialog& dialog,
                                                    const FileDialogRequest& request) {
    std::vector<std::string> chosen = run(dialog, request);
    if (chosen.empty())
        return std::nullopt;
    return std::move(chosen.front());
}

// A stop signal cancels a dialog that is open and every one after it.
std::vector<std::string> QtFileDialogs::run(QFileDialog& dialog, const FileDialogRequest& request) {
    if (platform::stopRequested())
        return {};
    dialog.setObjectName("CMNDLG");
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setDirectory(fromPath(request.folder));
    dialog.setNameFilters(toQt(request.filters));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || platform::stopRequested())
        return {};
    std::vector<std::string> chosen;
    for (const QString& file : dialog.selectedFiles())
        chosen.push_back(QFile::encodeName(file).toStdString());
    return chosen;
}

} // namespace app
