// The window's status row as the observer of the instrument's serial polls, against the simulated
// HP 4140B.
#include "program_folder_support.h"
#include "support/bus_fixture.h"

#include "app/application.h"
#include "app/panel/field_descriptions.h"
#include "app/window/frm_main.h"
#include "app/window/lamp.h"
#include "app/window/left_column.h"
#include "app/window/status_row.h"
#include "hp4140/status_byte.h"
#include "platform/yield.h"

#include <QLabel>

namespace {

namespace status = hp4140::status;

class StatusLamps : public testsupport::BusFixture {
protected:
    StatusLamps() {
        device.setBoardID(0);
        device.setGPIBAddress(kAddress);
        device.setSpollObserver(window.leftColumn().statusRow());
    }

    const app::StatusRow& row() const { return *window.leftColumn().statusRow(); }

    platform::CountingYield yield;
    diagnostics::oocErrorQueue appErrors;
    bus::GPIBDevice device{gpib, appErrors, log, clock, yield};
    apptest::ScopedProgramFolder programFolder; // what the window reads and writes stays in here
    app::Application application{{}, 0};
    app::frmMain window{application, app::FieldDescriptions::load(app::kMainWindowFields)};
};

TEST_F(StatusLamps, EveryPollShowsItsByteAndTheOutputLamp) {
    ASSERT_TRUE(device.Send("W1"));
    const std::int16_t running = device.SPOLL();
    ASSERT_TRUE(status::has(running, status::kVoltageOutput));
    EXPECT_EQ(row().lblSpoll()->text(), QString::number(running));
    EXPECT_EQ(row().shpVOutput()->fillColor(), QColor(255, 0, 0));

    ASSERT_TRUE(device.Send("W7"));
    const std::int16_t stopped = device.SPOLL();
    EXPECT_FALSE(status::has(stopped, status::kVoltageOutput));
    EXPECT_EQ(row().lblSpoll()->text(), QString::number(stopped));
    EXPECT_EQ(row().shpVOutput()->fillColor(), app::Lamp::offColor());
    EXPECT_EQ(row().shpAtCompliance()->fillColor(), app::Lamp::offColor());
}

} // namespace
