#include "hp4140/command_set.h"

#include "bus/gpib.h"
#include "bus/gpib_device.h"
#include "platform/clock.h"
#include "quenta/numtext/numtext.h"

#include <chrono>

namespace hp4140 {

namespace {

// How the instrument is sent each kind of number.
constexpr const char* kVoltagePicture = "##0.0#";
constexpr const char* kStepPicture = "#0.0#";
constexpr const char* kHoldPicture = "###0.0";
constexpr const char* kRatePicture = "#0.0###";

std::string number(double value, const char* picture) {
    return numtext::formatPicture(value, picture);
}

// The value the instrument reads from the text it is sent.
float asSent(double value, const char* picture) {
    return static_cast<float>(numtext::readNumber(number(value, picture)));
}

bool validLimit(std::int16_t limit) {
    return limit >= 1 && limit <= 3;
}

} // namespace

std::vector<Command> ConfigurationCommands(const TestConfig& c) {
    std::vector<Command> commands;
    commands.push_back({c.iRamp == Ramp::Constant ? "T2" : "T1"});
    if (validLimit(c.iCurrentLimitVA))
        commands.push_back({"L" + number(c.iCurrentLimitVA, "0"), true});
    if (validLimit(c.iCurrentLimitVB))
        commands.push_back({"M" + number(c.iCurrentLimitVB, "0"), true});
    commands.push_back({"F" + number(optionIndex(c.iFunction) + 1, "0")});
    commands.push_back({"A" + number(optionIndex(c.iRamp) + 1, "0")});
    commands.push_back({"PA" + number(c.fVAVoltage, kVoltagePicture)});
    commands.push_back({"PS" + number(c.fStartVoltage, kVoltagePicture)});
    commands.push_back({"PT" + number(c.fStopVoltage, kVoltagePicture)});
    commands.push_back({"PE" + number(c.fStepVoltage, kStepPicture)});
    commands.push_back({"PH" + number(c.iHoldTime, kHoldPicture)});
    commands.push_back({"PD" + number(c.fStepDelay, kVoltagePicture)});
    commands.push_back({"PV" + number(c.fRampRate, kRatePicture)});
    commands.push_back({"B" + number(c.iVBMode + 1, "0")});
    commands.push_back({"PB" + number(c.fVBVoltage, kVoltagePicture)});
    commands.push_back({c.iFilter == 0 ? "J1" : "J0"});
    commands.push_back({"I" + number(c.iIntegration + 1, "0")});
    return commands;
}

TestConfig SettingsAsSent(const TestConfig& c) {
    TestConfig sent = c;
    sent.fVAVoltage = asSent(c.fVAVoltage, kVoltagePicture);
    sent.fStartVoltage = asSent(c.fStartVoltage, kVoltagePicture);
    sent.fStopVoltage = asSent(c.fStopVoltage, kVoltagePicture);
    sent.fStepVoltage = asSent(c.fStepVoltage, kStepPicture);
    sent.fStepDelay = asSent(c.fStepDelay, kVoltagePicture);
    sent.fRampRate = asSent(c.fRampRate, kRatePicture);
    sent.fVBVoltage = asSent(c.fVBVoltage, kVoltagePicture);
    return sent;
}

bool DownloadTestConfig(const TestConfig& config, bus::GPIBDevice& device, platform::Clock& clock,
                        const std::function<bool()>& stopRequested) {
    const auto stopping = [&] { return stopRequested && stopRequested(); };
    for (const Command& command : ConfigurationCommands(config)) {
        if (stopping())
            return false;
        device.Send(command.text);
        if (command.pollAfter)
            device.SPOLL();
    }
    // The instrument needs a second to settle; the window does not run events meanwhile.
    clock.sleep(std::chrono::milliseconds(1000));
    if (stopping())
        return false;
    device.SPOLL();
    device.SPOLL();
    device.Send("D3");
    return true;
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
