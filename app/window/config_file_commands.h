#pragma once

#include "settings/control_registry.h"
#include "settings/form_controls.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace app {

class FileDialogs;
struct FileDialogRequest;
class Session;

// The main window's configuration-file commands: loading and saving its controls by name, the
// File menu's load, save and save-as with their dialogs, and the current configuration path
// they change. A run record loads as a configuration does, but never becomes the current
// configuration, and is never saved into: it stays the record of its run.
class ConfigFileCommands {
public:
    struct WindowHooks {
        settings::FocusLossHandler focusLost; // a control's focus-loss handling
        std::function<void()> updateCaption;
        // After a load: what the loaded values change beyond their own controls (the chart's
        // rounding notes follow the limit fields even when they are disabled and skipped by
        // the focus pass).
        std::function<void()> loaded;
        // A value the file held that a field had to change (it goes to the log window).
        std::function<void(const std::string&)> adjusted;
        // A run record loaded, after its settings (its other sections are the run's own).
        std::function<void(const settings::IniDocument&, const std::string&)> runRecordLoaded;
    };

    // The current configuration path is the session's: loading and saving change it there.
    ConfigFileCommands(const QWidget& window, const settings::ControlRegistry& controls,
                       WindowHooks hooks, FileDialogs& dialogs, Session& session);

    // Restores the controls from the file (the window's default file for an empty path) and
    // makes the path current, unless the file is a run record. False, with the reason as the
    // current error, when the file exists but cannot be read; the window is then left as it was.
    bool LoadConfigFile(const std::string& path);
    // The same for a run nobody watches: the file must exist, be readable and hold the panel's
    // settings; raises an AppError naming the file and what is wrong, before any control changes.
    // Returns what the fields had to change, for standard error.
    std::vector<std::string> LoadRunConfiguration(const std::string& path);
    // Gives the controls that section "FORM" of the document names its values, as a load does
    // (the others keep theirs), but makes nothing the configuration in use: the changes a step
    // of a series makes to its set-up. Returns what the fields had to change.
    std::vector<std::string> ApplyFormValues(const settings::IniDocument& document);
    // Saves the controls, labels left out, to the file (the window's default file for an empty
    // path) and makes the path current. A failed write, or a run record in the way, has been
    // shown once and returns false; the current path then stays as it was.
    bool SaveConfigFile(const std::string& path);

    void itemLoadConfig_Click();
    void itemSave_Click();
    void itemSaveAs_Click();

    static constexpr const char* kLoadTitle = "Load Config File As...";
    static constexpr const char* kSaveTitle = "Save Config File As...";
    static constexpr const char* kLoadFailureComment =
        "The error occurred in the config file load routine.";
    static constexpr const char* kRunRecordRefusal =
        " is the record of a run and keeps the settings the run had. Save the configuration "
        "under another name.";

private:
    std::filesystem::path fileFor(const std::string& path) const;
    std::vector<std::string> apply(const std::string& path, const settings::IniDocument& document);
    std::vector<std::string> loadValues(const settings::IniDocument& document);
    void afterLoad(const std::vector<std::string>& notes);
    FileDialogRequest dialogRequest(const char* title, bool confirmOverwrite) const;

    const QWidget& window_;
    const settings::ControlRegistry& controls_;
    WindowHooks hooks_;
    FileDialogs& dialogs_;
    Session& session_;
};

} // namespace app
