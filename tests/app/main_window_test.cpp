#include "main_window_support.h"

#include "app/chart/live_chart.h"
#include "app/table/readings_area.h"
#include "app/window/graph_settings_frame.h"
#include "app/window/lamp.h"
#include "app/window/left_column.h"
#include "app/window/main_menus.h"
#include "app/window/status_row.h"
#include "hp4140/status_byte.h"
#include "platform/app_error.h"
#include "platform/message_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

namespace {

using apptest::MainWindow;
using settings::ControlKind;

long positionOf(const settings::ControlRegistry& registry, const QString& key) {
    const auto& controls = registry.controls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const auto& c) { return c.key() == key; });
    return found == controls.end() ? -1 : found - controls.begin();
}

TEST_F(MainWindow, EveryControlIsRegisteredByKeyAndKind) {
    const settings::ControlRegistry& registry = window.controls();
    struct Expected {
        const char* key;
        settings::ControlKind kind;
    };
    for (const Expected& e : {Expected{"txtConfig(0)", settings::ControlKind::NumericField},
                              Expected{"txtConfig(7)", settings::ControlKind::NumericField},
                              Expected{"txtGPIBBoardId", settings::ControlKind::NumericField},
                              Expected{"txtGraphTime(1)", settings::ControlKind::NumericField},
                              Expected{"txtPathToData", settings::ControlKind::TextBox},
                              Expected{"chkSaveToFile", settings::ControlKind::CheckBox},
                              Expected{"chkYLog", settings::ControlKind::CheckBox},
                              Expected{"optionRamp(4)", settings::ControlKind::OptionButton},
                              Expected{"optionXAxis(1)", settings::ControlKind::OptionButton},
                              Expected{"optionGraphScale(0)", settings::ControlKind::OptionButton},
                              Expected{"cmbGraphCapacitance(1)", settings::ControlKind::ComboBox},
                              Expected{"lblSpoll", settings::ControlKind::Label},
                              Expected{"Label14(1)", settings::ControlKind::Label},
                              Expected{"sliderConfig(3)", settings::ControlKind::Other},
                              Expected{"graph1", settings::ControlKind::Other},
                              Expected{"Data", settings::ControlKind::Other},
                              Expected{"cmdStart", settings::ControlKind::Other}}) {
        const long at = positionOf(registry, e.key);
        ASSERT_GE(at, 0) << e.key;
        EXPECT_EQ(registry.controls()[at].kind, e.kind) << e.key;
        EXPECT_EQ(registry.find(e.key)->objectName(), e.key);
    }
    EXPECT_LT(positionOf(registry, "optionFunction(2)"), positionOf(registry, "optionRamp(0)"));
    EXPECT_EQ(registry.get<QTableView>("Data"), window.leftColumn().Data());
    EXPECT_EQ(registry.find("nothing"), nullptr);
}

TEST_F(MainWindow, CaptionsAndStartValues) {
    const settings::ControlRegistry& r = window.controls();
    EXPECT_EQ(window.windowTitle().toStdString(), platform::titleLine());
    EXPECT_EQ(r.get<QLabel>("lblAppInfo")->text().toStdString(), platform::titleLine());
    EXPECT_EQ(r.get<QPushButton>("cmdStart")->text(), "Start Test");
    EXPECT_FALSE(r.get<QPushButton>("cmdAbort")->isEnabled());
    EXPECT_EQ(r.get<QPushButton>("cmdEditGraph")->text(), "Edit Graph Settings");
    EXPECT_EQ(r.get<QLabel>("lblMeasurement")->text(), " - - -");
    EXPECT_EQ(r.get<QCheckBox>("chkSaveToFile")->isChecked(), false);
    EXPECT_EQ(r.get<QCheckBox>("chkDisplaySymbols")->isChecked(), true);
    EXPECT_EQ(r.get<QComboBox>("cmbGraphCurrent(0)")->currentText(), "1E-3");
    EXPECT_EQ(r.get<QComboBox>("cmbGraphCurrent(1)")->currentText(), "1E-15");
    EXPECT_EQ(window.leftColumn().frameGraphSettings()->isVisibleTo(&window), false);
    EXPECT_TRUE(window.leftColumn().optionXAxis().isSelected(0));
    EXPECT_TRUE(window.readingsArea().xAxisIsTime());
    EXPECT_EQ(window.leftColumn().graph1()->chartPointCount(), 120); // 100 readings expected
    EXPECT_FALSE(window.testRunning());
    EXPECT_FALSE(window.Timer1().isActive());
    EXPECT_EQ(window.Timer1().interval(), std::chrono::milliseconds(1000));
}

TEST_F(MainWindow, OptionButtonsReachedByKeyFindTheirGroup) {
    auto* button = window.controls().get<QRadioButton>("optionFilter(0)");
    app::OptionGroup* group = app::OptionGroup::groupOf(button);
    ASSERT_EQ(group, &panel().optionFilter());
    int clicks = 0;
    QObject::connect(group, &app::OptionGroup::Click, [&](int index) { clicks += index + 1; });
    group->setSelected(0, true);
    EXPECT_EQ(clicks, 1);
    group->setSelected(0, false); // a configuration file may leave a group without a selection
    EXPECT_FALSE(group->isSelected(0));
    EXPECT_FALSE(group->isSelected(1));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(app::OptionGroup::groupOf(nullptr), nullptr);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsAndSeparators) {
    const app::MainMenus& m = window.menus();
    QStringList file;
    for (QAction* action : m.menuFile->actions())
        file << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(file, (QStringList{"&Save Config", "Save Config &As...", "-", "&Load Config...", "-",
                                 "Open &Data…", "Clear &references", "-", "E&xit"}));
    EXPECT_EQ(m.menuHelp->title(), "&Help");
    EXPECT_EQ(m.menuAbout->text(), "&About TARVIX-4140B");
    EXPECT_TRUE(m.itembreak5->isSeparator());

    window.show();
    m.itemExit->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindow, SerialPollsLightTheLamps) {
    app::StatusRow& row = *window.leftColumn().statusRow();
    EXPECT_EQ(row.shpVOutput()->fillColor(), QColor(224, 224, 224));
    EXPECT_EQ(row.shpAtCompliance()->fillColor(), QColor(224, 224, 224));
    namespace status = hp4140::status;
    constexpr std::int16_t kRequestingService = 0x40;
    bus::SpollObserver& observer = row;
    observer.SetSpoll(status::kVoltageOutput | status::kAtCurrentLimit | kRequestingService);
    EXPECT_EQ(row.shpVOutput()->fillColor(), QColor(255, 0, 0));
    EXPECT_EQ(row.shpAtCompliance()->fillColor(), QColor(255, 255, 0));
    EXPECT_EQ(row.lblSpoll()->text(), "82");
    observer.SetSpoll(status::kAtCurrentLimit);
    EXPECT_EQ(row.shpVOutput()->fillColor(), QColor(224, 224, 224));
    EXPECT_EQ(row.shpAtCompliance()->fillColor(), QColor(255, 255, 0));
    EXPECT_EQ(row.lblSpoll()->text(), "2");
}

class Description : public testing::Test {
protected:
    QString write(const QByteArray& text) {
        const QString path = folder.filePath("fields.json");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(Description, FaultsAreStartUpErrorsThatNameTheProblem) {
    const auto problem = [](const QString& path) -> std::string {
        try {
            app::FieldDescriptions::load(path);
        } catch (const platform::AppError& error) {
            return error.description();
        }
        return "no error";
    };
    EXPECT_NE(problem(folder.filePath("missing.json")).find("cannot be read"), std::string::npos);
    EXPECT_NE(problem(write("{\"fields\": [")).find("not valid JSON"), std::string::npos);
    EXPECT_NE(problem(write("{\"fields\": [{\"name\": \"txtX\", \"bag\": [[\"max\"]]}]}"))
                  .find("[name, value]"),
              std::string::npos);
}

TEST_F(Description, AWindowWhoseFieldIsNotDescribedIsNotBuilt) {
    const app::FieldDescriptions fields = app::FieldDescriptions::load(write(
        "{\"fields\": [{\"name\": \"txtConfig\", \"index\": 0, \"bag\": [[\"text\", \"5\"]]}]}"));
    EXPECT_EQ(fields.bag("TXTCONFIG(0)").readString(u"Text", "Text"), "5");
    app::Application application({}, 0);
    EXPECT_THROW(app::frmMain window(application, fields), platform::AppError);
}

} // namespace
