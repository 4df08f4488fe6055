#pragma once

#include "file_dialogs.h"

class QFileDialog;
class QWidget;

namespace app {

// The dialogs as QFileDialog shows them, modal over the parent window.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override;
    std::vector<std::string> getOpenFileNames(const FileDialogRequest& request) override;

private:
    std::vector<std::string> run(QFileDialog& dialog, const FileDialogRequest& request);
    std::optional<std::string> runForOne(QFileDialog& dialog, const FileDialogRequest& request);

    QWidget* parent_;
};

} // namespace app
