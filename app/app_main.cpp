#include "app/app_main.h"

#include "app/field_descriptions.h"
#include "app/frm_main.h"
#include "diagnostics/qt_message_box.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/message_box.h"

#include <QApplication>
#include <memory>
#include <optional>

namespace app {

namespace {

void resolveFolders(const platform::ProgramOptions& options) {
    std::optional<std::filesystem::path> chosen;
    if (options.appDir)
        chosen = *options.appDir;
    platform::setProgramFolders(platform::resolveFolders(platform::executablePath(), chosen));
}

void showStartupError(const platform::AppError& error) {
    platform::messageBox().show(std::to_string(error.number()) + ": " + error.description(), "",
                                platform::mb::OkOnly | platform::mb::Critical);
}

} // namespace

int AppMain(int& argc, char** argv, const platform::ProgramOptions& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(platform::kAppTitle);
    platform::installMessageBox(std::make_unique<diagnostics::QtMessageBox>());
    std::unique_ptr<frmMain> window;
    try {
        resolveFolders(options);
        window = std::make_unique<frmMain>(FieldDescriptions::load(kMainWindowFields));
    } catch (const platform::AppError& error) {
        showStartupError(error);
        return 1;
    }
    window->show();
    return QApplication::exec();
}

} // namespace app
