#include "bus/prologix/target.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/serial_port.h"

#include <charconv>

namespace prologix {

namespace {

constexpr std::string_view kTcpScheme = "tcp://";
constexpr std::string_view kBaudKey = "baud=";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A whole decimal number from first to last digit, or -1.
int wholeNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return -1;
    return value;
}

Target tcpTarget(std::string_view rest) {
    Target target;
    target.kind = Target::Kind::Tcp;
    std::string_view port;
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos)
            throw LinkError("The adapter address " + quoted(rest) + " lacks the closing ]");
        target.host = rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
        if (!rest.empty() && !rest.starts_with(':'))
            throw LinkError("After the address in brackets only :PORT may follow, not " +
                            quoted(rest));
        port = rest.empty() ? rest : rest.substr(1);
    } else {
        const auto colon = rest.rfind(':');
        target.host = rest.substr(0, colon);
        port = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    if (target.host.empty())
        throw LinkError("The adapter address tcp:// names no host: write tcp://HOST or "
                        "tcp://HOST:PORT");
    if (!port.empty()) {
        target.port = wholeNumber(port);
        if (target.port < 1 || target.port > 65535)
            throw LinkError(quoted(port) + " is no TCP port: a number from 1 to 65535");
    }
    return target;
}

Target serialTarget(std::string_view text) {
    Target target;
    const auto query = text.find('?');
    target.device = text.substr(0, query);
    if (!target.device.starts_with('/'))
        throw LinkError("The serial port " + quoted(target.device) +
                        " is not a path: write it as /dev/ttyUSB0, /dev/ttyACM0 or "
                        "/dev/serial/by-id/...");
    if (query == std::string_view::npos)
        return target;
    const std::string_view option = text.substr(query + 1);
    if (!option.starts_with(kBaudKey))
        throw LinkError("A serial port takes only ?baud=N after its path, not " + quoted(option));
    target.baud = wholeNumber(option.substr(kBaudKey.size()));
    if (!speedCode(target.baud))
        throw LinkError(quoted(option.substr(kBaudKey.size())) +
                        " is not a baud rate a serial port can be set to (9600, 19200, 38400, "
                        "57600, 115200, 230400, ...)");
    return target;
}

} // namespace

std::string Target::name() const {
    if (kind == Kind::Serial)
        return device;
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

Target parseTarget(const std::string& text) {
    const std::string_view view(text);
    if (view.starts_with(kTcpScheme))
        return tcpTarget(view.substr(kTcpScheme.size()));
    return serialTarget(view);
}

} // namespace prologix
