// Renders the program's windows into PNG files for people to look at: tarvix-screenshots FOLDER.
// The pictures are not compared by any test.
#include "app/datafile/data_file_start.h"
#include "app/datafile/data_file_text.h"
#include "app/field_descriptions.h"
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/journal_offers.h"
#include "app/startup.h"
#include "diagnostics/msg_box_layout.h"
#include "diagnostics/oof_msg_box.h"
#include "diagnostics/qt_message_box.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "settings/private_profile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Shot = std::pair<const char*, std::function<std::unique_ptr<QWidget>()>>;

// The journal a diode sweep to 1 V leaves when the program is killed after 15 readings.
void writeJournal(const std::filesystem::path& journal) {
    std::string text(datafile::kDataFileHeader);
    text += "\r\n";
    for (std::int32_t i = 1; i <= 15; ++i) {
        HP4140DataType reading;
        reading.Index = i;
        reading.Timerel = 1.0f + 0.5f * static_cast<float>(i - 1);
        reading.Voltage = 0.05f * static_cast<float>(i - 1);
        reading.Current = 1e-13f * (std::exp(reading.Voltage / 0.0388f) - 1.0f) + 1e-15f;
        reading.RawData = "NAI+0.000E-00,V+0.00";
        datafile::appendDataFileLine(text, reading, "Amps");
        text += "\r\n";
    }
    std::ofstream(journal, std::ios::binary) << text;
}

// The question as the program asks it, answered by a recording box while the action runs.
std::unique_ptr<QWidget> askedDuring(const std::function<void()>& action) {
    std::vector<std::string> answers;
    std::string text;
    {
        platform::ScopedRecordingMessageBox box;
        action();
        text = box->shown().front().text;
        answers = box->shown().front().answers;
    }
    return diagnostics::questionBox(text, answers, 0);
}

// The main window at start-up offering a journal (the question), and once it is recovered.
std::vector<Shot> recoveryShots() {
    static QTemporaryDir programFolder;
    const std::filesystem::path data = programFolder.filePath("data").toStdString();
    static std::unique_ptr<app::frmMain> window;
    return {
        {"question-journal",
         [data] {
             platform::setProgramFolders(platform::resolveFolders(
                 platform::executablePath(), programFolder.path().toStdString()));
             std::filesystem::create_directories(data);
             writeJournal(data / "iv.txt.partial");
             window = std::make_unique<app::frmMain>(
                 app::FieldDescriptions::load(app::kMainWindowFields));
             return askedDuring([] { app::OfferJournals(*window); });
         }},
        {"main-window-recovered",
         [] {
             auto shown = std::move(window);
             shown->resize(shown->sizeHint());
             shown->show();
             return std::unique_ptr<QWidget>(std::move(shown));
         }},
        {"question-keep-both",
         [data] {
             datafile::DataFileStart start([](const datafile::Recovery&) {});
             return askedDuring(
                 [&] { start.confirm((data / "iv-recovered.txt").string(), false); });
         }},
    };
}

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
    std::vector<Shot> all = shots();
    for (Shot& shot : recoveryShots())
        all.push_back(std::move(shot));
    for (const auto& [name, make] : all) {
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
