// The window's side of a series: the fields it can step, named as the legend names them, and a
// step's changes reaching the panel without touching the configuration in use.

#include "app/panel/series_fields.h"
#include "main_window_support.h"
#include "settings/ini_document.h"

#include <QRadioButton>

namespace {

using apptest::MainWindow;

TEST_F(MainWindow, ASeriesKnowsThePanelsFieldsByTheNamesTheLegendShows) {
    const series::PanelFields fields = app::seriesFieldsOf(
        window.controls(), app::FieldDescriptions::load(app::kMainWindowFields));
    struct Named {
        const char* key;
        const char* name;
        const char* unit;
    };
    for (const Named& n : {Named{"txtConfig(6)", "VB", "V"}, Named{"txtConfig(5)", "dV/dt", "V/s"},
                           Named{"txtSampleRate", "Sample Rate", "s"}}) {
        const series::SteppableField* field = fields.steppable(n.key);
        ASSERT_TRUE(field) << n.key;
        EXPECT_EQ(field->name, n.name);
        EXPECT_EQ(field->unit, n.unit);
        EXPECT_FALSE(field->isOptionGroup());
    }
    const series::SteppableField* ramp = fields.steppable("optionRamp");
    ASSERT_TRUE(ramp);
    EXPECT_EQ(ramp->name, "Voltage Ramp");
    EXPECT_EQ(ramp->choices, (std::vector<std::string>{"Sweep up", "Sweep up/dn", "Stair up",
                                                       "Stair up/dn", "Constant"}));
    ASSERT_TRUE(fields.steppable("optionCurrentLimitVB"));
    EXPECT_EQ(fields.steppable("optionCurrentLimitVB")->name, "Current Limits VB");
    EXPECT_EQ(fields.changeLabel({"optionVB(0)", "1"}), "VB On/Off = Constant");
    EXPECT_EQ(fields.key("OPTIONVB(1)"), "optionVB(1)");
    EXPECT_FALSE(fields.key("Label14(0)")); // labels are no settings
    EXPECT_FALSE(fields.steppable("chkYLog"));
}

TEST_F(MainWindow, AStepsChangesReachThePanelAndLeaveTheConfigurationInUse) {
    activate();
    application.session().setConfigPath("/lab/iv.ini");
    const QString start = field(0)->Text();
    const std::vector<std::string> notes = window.ApplyFormValues(
        settings::IniDocument("[FORM]\ntxtConfig(6)=2.5\noptionVB(0)=1\ntxtConfig(1)=1e308\n"));
    EXPECT_EQ(field(6)->Text(), "2.5");
    EXPECT_EQ(field(1)->Text(), "100");
    EXPECT_EQ(field(0)->Text(), start);
    EXPECT_TRUE(window.controls().get<QRadioButton>("optionVB(0)")->isChecked());
    EXPECT_FALSE(window.controls().get<QRadioButton>("optionVB(1)")->isChecked());
    EXPECT_EQ(notes,
              (std::vector<std::string>{"Stop Voltage: '1e308' is more than 100; 100 used"}));
    EXPECT_EQ(application.session().configPath(), "/lab/iv.ini");
    EXPECT_TRUE(application.session().runRecord().empty());
}

} // namespace
