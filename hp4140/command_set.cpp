#include "hp4140/command_set.h"

#include "bus/gpib.h"
#include "bus/gpib_device.h"
#include "platform/clock.h"
#include "quenta/numtext/numtext.h"

#include <chrono>

namespace hp4140 {

namespace {

std::string number(double value, const char* picture) {
    return numtext::formatPicture(value, picture);
}

bool validLimit(std::int16_t limit) {
    return limit >= 1 && limit <= 3;
}

} // namespace

TestConfig& AppTestConfig() {
    static TestConfig config;
    return config;
}

std::vector<Command> ConfigurationCommands(const TestConfig& c) {
    std::vector<Command> commands;
    commands.push_back({c.iRamp == ramp::Constant ? "T2" : "T1"});
    if (validLimit(c.iCurrentLimitVA))
        commands.push_back({"L" + number(c.iCurrentLimitVA, "0"), true});
    if (validLimit(c.iCurrentLimitVB))
        commands.push_back({"M" + number(c.iCurrentLimitVB, "0"), true});
    commands.push_back({"F" + number(c.iFunction + 1, "0")});
    commands.push_back({"A" + number(c.iRamp + 1, "0")});
    commands.push_back({"PA" + number(c.fVAVoltage, "##0.0#")});
    commands.push_back({"PS" + number(c.fStartVoltage, "##0.0#")});
    commands.push_back({"PT" + number(c.fStopVoltage, "##0.0#")});
    commands.push_back({"PE" + number(c.fStepVoltage, "#0.0#")});
    commands.push_back({"PH" + number(c.iHoldTime, "###0.0")});
    commands.push_back({"PD" + number(c.fStepDelay, "##0.0#")});
    commands.push_back({"PV" + number(c.fRampRate, "#0.0###")});
    commands.push_back({"B" + number(c.iVBMode + 1, "0")});
    commands.push_back({"PB" + number(c.fVBVoltage, "##0.0#")});
    commands.push_back({c.iFilter == 0 ? "J1" : "J0"});
    commands.push_back({"I" + number(c.iIntegration + 1, "0")});
    return commands;
}

void DownloadTestConfig(const TestConfig& config, bus::GPIBDevice& device, platform::Clock& clock) {
    for (const Command& command : ConfigurationCommands(config)) {
        device.Send(command.text);
        if (command.pollAfter)
            device.SPOLL();
    }
    // The instrument needs a second to settle; the window does not run events meanwhile.
    clock.sleep(std::chrono::milliseconds(1000));
    device.SPOLL();
    device.SPOLL();
    device.Send("D3");
}

void SetInstrumentIdle(const TestConfig& config, bus::GPIBDevice& device, bus::Gpib& gpib) {
    device.Send("W7");
    device.SPOLL();
    device.Send("D0");
    device.SPOLL();
    device.SPOLL();
    device.Send("F1");
    device.Send("T1");
    gpib.GPIBEnableLocal(device.BoardID(), config.iGPIBAddress);
    device.SPOLL();
    device.SPOLL();
}

} // namespace hp4140
