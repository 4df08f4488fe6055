#include "reference_commands.h"

#include "platform/text_fields.h"

#include "app/chart/graph_texts.h"
#include "app/datafile/file_dialogs.h"
#include "app/table/readings_area.h"
#include "frm_main.h"
#include "left_column.h"
#include "main_menus.h"
#include "platform/message_box.h"
#include "settings/app_settings.h"
#include "settings/guarded.h"

#include <QAction>
#include <QCheckBox>

#include <string>

namespace app {

ReferenceCommands::ReferenceCommands(frmMain& window, FileDialogs& dialogs,
                                     std::filesystem::path programFolder)
    : QObject(&window), window_(window), dialogs_(dialogs),
      programFolder_(std::move(programFolder)) {
    const MainMenus& menus = window.menus();
    connect(menus.itemOpenData, &QAction::triggered, this, [this] {
        settings::runGuarded([this] { itemOpenData_Click(); }, kOpenFailureComment);
    });
    connect(menus.itemClearReferences, &QAction::triggered, this,
            settings::guarded([this] { itemClearReferences_Click(); }));
    QCheckBox* keep = window.leftColumn().chkKeepPreviousRun();
    keep->setChecked(settings::LoadAppSettings(programFolder_).keepPreviousRun);
    connect(keep, &QCheckBox::toggled, this,
            [this](bool on) { settings::SaveKeepPreviousRun(programFolder_, on); });
}

FileDialogRequest ReferenceCommands::dialogRequest() const {
    FileDialogRequest request;
    request.title = kOpenTitle;
    request.folder = window_.readingsArea().dataFile().folder();
    request.filters = {"Data Files (*.txt)", "All (*.*)"};
    request.defaultSuffix = "txt";
    request.confirmOverwrite = false;
    return request;
}

// Several files at once: a family of curves, a series' data files.
void ReferenceCommands::itemOpenData_Click() {
    for (const std::string& chosen : dialogs_.getOpenFileNames(dialogRequest()))
        settings::runGuarded([&] { openData(chosen); }, kOpenFailureComment);
}

// Lines that are no readings are never passed over in silence: how many is said, and a file
// without a reading is not shown at all.
void ReferenceCommands::openData(const std::filesystem::path& path) {
    const datafile::OpenedReference opened = window_.readingsArea().openReference(path);
    const std::string name = path.filename().string();
    const std::string leftOut = platform::counted(opened.leftOut, "line that is not a reading was",
                                                  "lines that are not readings were") +
                                " left out";
    if (opened.readings > 0 && !opened.drawn) {
        platform::messageBox().show(
            chart::otherQuantityText(name, opened.units, window_.readingsArea().chartUnits()) +
                ", so it is not drawn on this chart.",
            platform::kAppTitle, platform::mb::Exclamation);
    } else if (opened.readings == 0) {
        platform::messageBox().show(name + " holds no readings to show" +
                                        (opened.leftOut > 0 ? " (" + leftOut + ")" : "") + ".",
                                    platform::kAppTitle, platform::mb::Exclamation);
    } else if (opened.leftOut > 0) {
        platform::messageBox().show(
            name + ": " + leftOut + "; " +
                platform::counted(opened.readings, "reading is", "readings are") + " shown.",
            platform::kAppTitle, platform::mb::Information);
    }
}

void ReferenceCommands::itemClearReferences_Click() {
    window_.readingsArea().clearReferences();
}

} // namespace app
