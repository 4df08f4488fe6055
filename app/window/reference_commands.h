#pragma once

#include <QObject>

#include <filesystem>

namespace app {

class FileDialogs;
class frmMain;
struct FileDialogRequest;

// The runs shown to compare with: "Open Data…" shows a data file as a reference curve, "Clear
// references" removes them all, and "Keep previous run" keeps the last run on the chart when
// the next test starts (its state kept in the application settings at once).
class ReferenceCommands final : public QObject {
    Q_OBJECT

public:
    // Becomes a child of the window and handles its commands from then on; the check box takes
    // the state kept in the program folder's settings.
    ReferenceCommands(frmMain& window, FileDialogs& dialogs, std::filesystem::path programFolder);

    void itemOpenData_Click();
    void itemClearReferences_Click();

    static constexpr const char* kOpenTitle = "Open Data File";
    static constexpr const char* kOpenFailureComment = "The data file was not opened.";

private:
    FileDialogRequest dialogRequest() const;
    void openData(const std::filesystem::path& path);

    frmMain& window_;
    FileDialogs& dialogs_;
    std::filesystem::path programFolder_;
};

} // namespace app
