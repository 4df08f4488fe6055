#include "bus/driver_binding.h"
#include "bus/driver_choice.h"
#include "bus/gpib_calls.h"
#include "platform/app_error.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string bindError(bus::DriverBinding& binding) {
    try {
        binding.api();
    } catch (const platform::AppError& error) {
        EXPECT_EQ(error.number(), platform::errnum::LibraryLoad);
        return error.description();
    }
    ADD_FAILURE() << "binding succeeded";
    return {};
}

TEST(DriverBinding, AMissingLibraryIsReportedAsNotFoundOnEveryCall) {
    bus::DriverBinding binding({"/nonexistent/libgpib.so.0", "libtarvix-none.so.9"});
    const std::string first = bindError(binding);
    EXPECT_NE(first.find("No GPIB driver library was found"), std::string::npos) << first;
    EXPECT_NE(first.find("/nonexistent/libgpib.so.0, libtarvix-none.so.9"), std::string::npos);
    EXPECT_EQ(bindError(binding), first);
    EXPECT_FALSE(binding.bound());
}

TEST(DriverBinding, AFileTheLoaderRefusesIsNamed) {
    testsupport::TempFolder folder;
    const fs::path file = folder / "bad.so";
    std::ofstream(file) << "not a library";
    bus::DriverBinding binding({file.string(), "libgpib.so.0"});
    const std::string error = bindError(binding);
    EXPECT_NE(error.find("refused by the loader"), std::string::npos) << error;
    EXPECT_NE(error.find(file.string()), std::string::npos);
}

TEST(DriverBinding, AMissingFunctionIsNamed) {
    bus::DriverBinding binding({PARTIAL_DRIVER});
    const std::string error = bindError(binding);
    EXPECT_NE(error.find("has no function EnableLocal"), std::string::npos) << error;
    EXPECT_FALSE(binding.bound());
}

TEST(DriverBinding, EveryWrapperRaisesWhileNothingIsBound) {
    bus::DriverBinding binding({"/nonexistent/libgpib.so.0"});
    bus::GpibCalls calls(binding);
    EXPECT_THROW(calls.ibwait(0, 0), platform::AppError);
    EXPECT_THROW(calls.Send(0, 16, "F1\r\n", bus::EotMode::DABend), platform::AppError);
    EXPECT_THROW(calls.ReadStatusByte(0, 16), platform::AppError);
    EXPECT_FALSE(calls.status().registered);
}

TEST(DriverBinding, CandidateNamesFollowOptionThenSettingThenDefaults) {
    const fs::path lib = "/opt/tarvix/lib";
    using bus::DriverBinding;
    EXPECT_EQ(DriverBinding::candidateNames("sim", "libgpib.so.0", lib),
              bus::DriverChoice{"/opt/tarvix/lib/libtarvix-gpibsim.so"});
    EXPECT_EQ(DriverBinding::candidateNames("/x/libni4882.so", std::nullopt, lib),
              bus::DriverChoice{"/x/libni4882.so"});
    EXPECT_EQ(DriverBinding::candidateNames(std::nullopt, "sim", lib),
              bus::DriverChoice{"/opt/tarvix/lib/libtarvix-gpibsim.so"});
    EXPECT_EQ(
        DriverBinding::candidateNames(std::nullopt, "prologix:/dev/ttyUSB0?baud=9600", lib),
        bus::DriverChoice({"/opt/tarvix/lib/libtarvix-prologix.so"}, "/dev/ttyUSB0?baud=9600"));
    EXPECT_EQ(DriverBinding::candidateNames("prologix:tcp://gpib-lab", "sim", lib).adapter,
              "tcp://gpib-lab");
    const auto defaults = DriverBinding::candidateNames(std::nullopt, "", lib).libraries;
    ASSERT_GE(defaults.size(), 2u);
    EXPECT_EQ(defaults.front(), "libgpib.so.0");
}

TEST(DriverFamily, DABendFollowsTheLibraryFamily) {
    EXPECT_EQ(bus::dabendOf(bus::DriverFamily::LinuxGpib), 1);
    EXPECT_EQ(bus::dabendOf(bus::DriverFamily::NationalInstruments), 2);
}

TEST(LongToStatusInt, KeepsTheLow16BitsAsASignedNumber) {
    EXPECT_EQ(bus::LongToStatusInt(0x8100), static_cast<std::int16_t>(-32512));
    EXPECT_EQ(bus::LongToStatusInt(0xDEAD37F0L), 0x37F0);
    EXPECT_EQ(bus::LongToStatusInt(0x2100), 0x2100);
}

} // namespace

namespace {

TEST(DriverChoice, TheSettingsFileNamesTheDriverUnlessTheOptionDoes) {
    testsupport::TempFolder temp;
    const fs::path folder = temp.path();
    const platform::ProgramFolders folders{"/opt/tarvix", folder};
    EXPECT_EQ(bus::driverCandidates(std::nullopt, folders).libraries.front(), "libgpib.so.0");
    std::ofstream(folder / "Tarvix-4140.ini") << "[gpib]\ndriver = sim\n";
    EXPECT_EQ(bus::driverCandidates(std::nullopt, folders),
              bus::DriverChoice{"/opt/tarvix/lib/tarvix-4140/libtarvix-gpibsim.so"});
    EXPECT_EQ(bus::driverCandidates("libgpib.so.0", folders), bus::DriverChoice{"libgpib.so.0"});
}

} // namespace
