#include "bus/gpib_status_text.h"

#include <gtest/gtest.h>

namespace {

bus::GpibStatus statusOf(int ibsta, int iberr = 0) {
    bus::GpibStatus status;
    status.ibsta = bus::LongToStatusInt(ibsta);
    status.iberr = static_cast<std::int16_t>(iberr);
    return status;
}

TEST(StatusText, NamesTheSetBitsInTheirPrintingOrder) {
    EXPECT_EQ(bus::GPIBIbstaText(statusOf(0x2100)), "ibsta=&H2100= END CMPL");
    EXPECT_EQ(bus::GPIBIbstaText(statusOf(0)), "ibsta=&H0=");
    EXPECT_EQ(bus::GPIBIbstaText(statusOf(0x8100)), "ibsta=&H8100= ERR CMPL");
    EXPECT_EQ(bus::GPIBIbstaText(statusOf(0x08A1)), "ibsta=&H8A1= DCAS CIC LOK RQS");
    EXPECT_EQ(bus::GPIBIbstaText(statusOf(0x0600)), "ibsta=&H600=");
}

TEST(StatusText, ErrorCodeAndTextsNeedTheErrBit) {
    EXPECT_EQ(bus::GPIBErrorCode(statusOf(0x0100, 2)), bus::kNoError);
    EXPECT_EQ(bus::GPIBIberrText(statusOf(0x0100, 2)), "");
    EXPECT_EQ(bus::GPIBStatusText(statusOf(0x0100, 2)), "");
    EXPECT_EQ(bus::GPIBErrorCode(statusOf(0x8100, 2)), 2);
    EXPECT_EQ(bus::GPIBStatusText(statusOf(0x8100, 2)),
              "ENOL <No Listener>; ibsta=&H8100= ERR CMPL");
}

TEST(StatusText, EveryIberrTextAndTheBareFallback) {
    const std::pair<int, const char*> table[] = {{0, "EDVR <DOS Error>"},
                                                 {1, "ECIC <Not Ctrlr In Chrg>"},
                                                 {3, "EADR <Address Error>"},
                                                 {4, "EARG <Invalid argument>"},
                                                 {5, "ESAC <Not Sys Ctrlr>"},
                                                 {6, "EABO <Op. aborted>"},
                                                 {7, "ENEB <No GPIB Board>"},
                                                 {10, "EOIP <Async I/O in prg>"},
                                                 {11, "ECAP <No Capability>"},
                                                 {12, "EFSO <File Sys. Error>"},
                                                 {14, "EBUS <Command error>"},
                                                 {15, "ESTB <STatus Byte lost>"},
                                                 {16, "ESRQ <SRQ stuck high>"},
                                                 {20, "ETAB <Table overflow>"},
                                                 {8, "iberr="},
                                                 {13, "iberr="}};
    for (const auto& [code, text] : table)
        EXPECT_EQ(bus::GPIBIberrText(statusOf(0x8000, code)), text) << code;
}

} // namespace
