#include "config_file_commands.h"

#include "app/datafile/file_dialogs.h"
#include "app/panel/adjusted_value.h"
#include "app/session/session.h"
#include "app/testrun/run_record.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "settings/configuration_file.h"
#include "settings/form_utility.h"
#include "settings/setting_keys.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <system_error>

namespace app {

namespace {

QString captionOf(const settings::RegisteredControl& control) {
    const QString name = control.widget->accessibleName();
    return name.isEmpty() ? control.key() : name;
}

// The field's limits and its caption are its own properties, so the note names what the user
// sees.
std::optional<std::string> adjustedNote(const settings::RegisteredControl& control,
                                        const QString& stored) {
    const QWidget& field = *control.widget;
    FieldLimits limits;
    if (field.property("MinLimitEnabled").toBool())
        limits.min = field.property("Min").toDouble();
    if (field.property("MaxLimitEnabled").toBool())
        limits.max = field.property("Max").toDouble();
    return adjustedValueNote(captionOf(control).toStdString(), stored.trimmed().toStdString(),
                             field.property("Text").toString().toStdString(), limits);
}

// Values a file gives in a way the panel cannot take as they stand: an empty one (the field keeps
// what it shows) and a key given twice (the first value counts).
std::vector<std::string> givenAmiss(const settings::ControlRegistry& controls,
                                    const settings::IniDocument& document) {
    namespace keys = settings::keys;
    std::vector<std::string> notes;
    const std::vector<std::string> repeated = document.repeatedKeys(keys::kFormSection);
    for (const settings::RegisteredControl& control : controls.controls()) {
        const std::string key = control.key().toStdString();
        const std::optional<std::string> value = document.value(keys::kFormSection, key);
        if (!value)
            continue;
        const std::string caption = captionOf(control).toStdString();
        if (value->empty())
            notes.push_back(caption + ": " + key + " has no value, so the panel keeps its own");
        if (std::any_of(repeated.begin(), repeated.end(), [&](const std::string& r) {
                return QString::fromStdString(r).compare(control.key(), Qt::CaseInsensitive) == 0;
            }))
            notes.push_back(caption + ": " + key + " is given more than once; the first value, '" +
                            *value + "', is used");
    }
    return notes;
}

// A file that cannot be read is left to the save, which reports it.
bool holdsRunRecord(const std::filesystem::path& file) {
    try {
        const std::optional<settings::IniDocument> document = settings::ReadConfigurationFile(file);
        return document && testrun::isRunRecord(*document);
    } catch (const platform::AppError&) {
        return false;
    }
}

} // namespace

ConfigFileCommands::ConfigFileCommands(const QWidget& window,
                                       const settings::ControlRegistry& controls, WindowHooks hooks,
                                       FileDialogs& dialogs, Session& session)
    : window_(window), controls_(controls), hooks_(std::move(hooks)), dialogs_(dialogs),
      session_(session) {}

std::filesystem::path ConfigFileCommands::fileFor(const std::string& path) const {
    return path.empty() ? settings::DefaultFormFile(window_)
                        : std::filesystem::path(FormUtility::CleanPath(path));
}

// An existing file that cannot be used is a failure to report; a missing one simply leaves
// every control at its current value.
bool ConfigFileCommands::LoadConfigFile(const std::string& path) {
    std::optional<settings::IniDocument> document;
    try {
        document = settings::ReadConfigurationFile(fileFor(path));
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
        return false;
    }
    apply(path, document.value_or(settings::IniDocument()));
    return true;
}

std::vector<std::string> ConfigFileCommands::LoadRunConfiguration(const std::string& path) {
    return apply(path,
                 settings::ReadRunConfiguration(fileFor(path), settings::FormKeys(controls_)));
}

std::vector<std::string> ConfigFileCommands::apply(const std::string& path,
                                                   const settings::IniDocument& document) {
    std::vector<std::string> notes = loadValues(document);
    if (testrun::isRunRecord(document))
        session_.setRunRecord(fileFor(path).string());
    else
        session_.setConfigPath(path);
    hooks_.updateCaption();
    afterLoad(notes);
    if (testrun::isRunRecord(document) && hooks_.runRecordLoaded)
        hooks_.runRecordLoaded(document, path);
    return notes;
}

std::vector<std::string>
ConfigFileCommands::ApplyFormValues(const settings::IniDocument& document) {
    std::vector<std::string> notes = loadValues(document);
    afterLoad(notes);
    return notes;
}

std::vector<std::string> ConfigFileCommands::loadValues(const settings::IniDocument& document) {
    std::vector<std::string> notes = givenAmiss(controls_, document);
    settings::LoadFormControls(
        window_, controls_, document, hooks_.focusLost,
        [&](const settings::RegisteredControl& control, const QString& stored) {
            if (auto note = adjustedNote(control, stored))
                notes.push_back(std::move(*note));
        });
    return notes;
}

void ConfigFileCommands::afterLoad(const std::vector<std::string>& notes) {
    hooks_.loaded();
    for (const std::string& note : notes)
        hooks_.adjusted(note);
}

bool ConfigFileCommands::SaveConfigFile(const std::string& path) {
    const std::filesystem::path file = fileFor(path);
    if (holdsRunRecord(file)) {
        platform::messageBox().show(file.string() + kRunRecordRefusal, platform::kAppTitle,
                                    platform::mb::Exclamation);
        return false;
    }
    if (!settings::SaveFormControls(window_, controls_, file, true))
        return false;
    session_.setConfigPath(path);
    hooks_.updateCaption();
    return true;
}

FileDialogRequest ConfigFileCommands::dialogRequest(const char* title,
                                                    bool confirmOverwrite) const {
    const std::filesystem::path folder = platform::programFolders().program / "config";
    std::error_code ignored; // the dialog starts elsewhere when the folder cannot be made
    std::filesystem::create_directories(folder, ignored);
    FileDialogRequest request;
    request.title = title;
    request.folder = folder;
    request.filters = {"Config Files (*.ini)", "All (*.*)"};
    request.defaultSuffix = "ini";
    request.confirmOverwrite = confirmOverwrite;
    return request;
}

void ConfigFileCommands::itemLoadConfig_Click() {
    const auto chosen = dialogs_.getOpenFileName(dialogRequest(kLoadTitle, false));
    if (chosen && !LoadConfigFile(*chosen))
        FormUtility::ShowCurrentError(kLoadFailureComment);
}

// A set-up taken from a run record is saved only where the user says: into the configuration in
// use it would replace another set-up unasked.
void ConfigFileCommands::itemSave_Click() {
    const std::string current = session_.configPath();
    if (session_.runRecord().empty() && !current.empty() && FormUtility::FileExists(current))
        SaveConfigFile(current);
    else
        itemSaveAs_Click();
}

void ConfigFileCommands::itemSaveAs_Click() {
    // A failed save has already been shown by the save itself.
    if (const auto chosen = dialogs_.getSaveFileName(dialogRequest(kSaveTitle, true)))
        SaveConfigFile(*chosen);
}

} // namespace app
