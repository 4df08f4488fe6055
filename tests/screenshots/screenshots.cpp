// Renders the program's windows into PNG files for people to look at: tarvix-screenshots FOLDER.
// The pictures are not compared by any test.
#include "app/field_descriptions.h"
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/startup.h"
#include "diagnostics/msg_box_layout.h"
#include "diagnostics/oof_msg_box.h"
#include "platform/folders.h"
#include "settings/private_profile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Shot = std::pair<const char*, std::function<std::unique_ptr<QWidget>()>>;

std::vector<Shot> shots() {
    return {
        {"main-window",
         [] {
             auto window = std::make_unique<app::frmMain>(
                 app::FieldDescriptions::load(app::kMainWindowFields));
             window->resize(window->sizeHint());
             window->show();
             return window;
         }},
        {"main-window-after-startup",
         [] {
             // The program's own start-up in a program folder of its own (the real one is never
             // touched), with the shipped I-V example as the configuration in use.
             static QTemporaryDir programFolder;
             const platform::ProgramFolders folders = platform::resolveFolders(
                 platform::executablePath(), programFolder.path().toStdString());
             platform::setProgramFolders(folders);
             settings::WritePrivateProfileStringA(
                 "Config", "Path", (folders.program / "config" / "IV_diode_sweep.ini").string(),
                 folders.program / "Tarvix-4140.ini");
             app::PrepareAppSettings(folders);
             auto window = std::make_unique<app::frmMain>(
                 app::FieldDescriptions::load(app::kMainWindowFields));
             window->resize(window->sizeHint());
             window->show();
             return window;
         }},
        {"about-box",
         [] {
             auto about = std::make_unique<app::frmAbout>(nullptr);
             about->show();
             return about;
         }},
        {"msgbox-three-buttons",
         [] {
             return std::make_unique<diagnostics::oofMSGBox>(
                 "The test has ended. Save the readings to a data file before the next test "
                 "clears them?",
                 0, QStringList{"Save", "Discard", "   ", "Cancel"});
         }},
        {"msgbox-large-type",
         [] {
             return std::make_unique<diagnostics::oofMSGBox>("Start the sweep with the output on?",
                                                             diagnostics::msgboxflag::LargeType,
                                                             QStringList{"Start", "  ", "Cancel"});
         }},
    };
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::cerr << "cannot create " << argv[1] << '\n';
        return 1;
    }
    int failures = 0;
    for (const auto& [name, make] : shots()) {
        const std::unique_ptr<QWidget> widget = make();
        const QString path = folder.filePath(QString(name) + ".png");
        if (widget->grab().save(path)) {
            std::cout << path.toStdString() << '\n';
        } else {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
