#include "bus/gpib_status_text.h"

#include <array>
#include <cstdio>
#include <utility>

namespace bus {

namespace {

constexpr int kErr = 0x8000;

// In the order the names are printed.
constexpr std::array<std::pair<int, const char*>, 14> kIbstaNames{{
    {0x8000, " ERR"},
    {0x4000, " TIMO"},
    {0x2000, " END"},
    {0x1000, " SRQI"},
    {0x0100, " CMPL"},
    {0x0040, " REM"},
    {0x0010, " ATN"},
    {0x0008, " TACS"},
    {0x0004, " LACS"},
    {0x0002, " DTAS"},
    {0x0001, " DCAS"},
    {0x0020, " CIC"},
    {0x0080, " LOK"},
    {0x0800, " RQS"},
}};

const char* iberrName(int iberr) {
    switch (iberr) {
    case 0:
        return "EDVR <DOS Error>";
    case 1:
        return "ECIC <Not Ctrlr In Chrg>";
    case 2:
        return "ENOL <No Listener>";
    case 3:
        return "EADR <Address Error>";
    case 4:
        return "EARG <Invalid argument>";
    case 5:
        return "ESAC <Not Sys Ctrlr>";
    case 6:
        return "EABO <Op. aborted>";
    case 7:
        return "ENEB <No GPIB Board>";
    case 10:
        return "EOIP <Async I/O in prg>";
    case 11:
        return "ECAP <No Capability>";
    case 12:
        return "EFSO <File Sys. Error>";
    case 14:
        return "EBUS <Command error>";
    case 15:
        return "ESTB <STatus Byte lost>";
    case 16:
        return "ESRQ <SRQ stuck high>";
    case 20:
        return "ETAB <Table overflow>";
    default:
        return "iberr=";
    }
}

bool hasError(const GpibStatus& status) {
    return (status.ibsta & kErr) != 0;
}

} // namespace

int GPIBErrorCode(const GpibStatus& status) {
    return hasError(status) ? status.iberr : kNoError;
}

std::string GPIBIberrText(const GpibStatus& status) {
    return hasError(status) ? iberrName(status.iberr) : "";
}

std::string GPIBIbstaText(const GpibStatus& status) {
    // A negative 16-bit status prints its four hexadecimal digits.
    const unsigned bits = static_cast<std::uint16_t>(status.ibsta);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", bits);
    std::string text = std::string("ibsta=&H") + hex + "=";
    for (const auto& [bit, name] : kIbstaNames)
        if (bits & static_cast<unsigned>(bit))
            text += name;
    return text;
}

std::string GPIBStatusText(const GpibStatus& status) {
    if (GPIBErrorCode(status) == kNoError)
        return "";
    return GPIBIberrText(status) + "; " + GPIBIbstaText(status);
}

} // namespace bus
