#pragma once

#include "hp4140/status_byte.h"
#include "sim/driver_abi.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <charconv>
#include <initializer_list>
#include <string>
#include <vector>

namespace gpibsim::test {

// The simulated instrument's status byte is the one the program reads.
namespace status = hp4140::status;

// One reply line taken apart, with the time it was read and the status byte that announced it.
struct Reply {
    std::string text;
    char status = '?';
    char kind = '?';
    double value = 0.0;
    double voltage = 0.0;
    double readAt = 0.0;
    int announcedBy = 0;
};

inline double numberAt(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

inline Reply parseReply(const std::string& text) {
    Reply r;
    r.text = text;
    const auto comma = text.find(',');
    if (text.size() < 3 || comma == std::string::npos)
        return r;
    r.status = text[0];
    r.kind = text[2];
    r.value = numberAt(std::string_view(text).substr(3, comma - 3));
    r.voltage = numberAt(std::string_view(text).substr(comma + 2));
    return r;
}

// A simulator in virtual time, spoken to as the program speaks to the instrument: board 0,
// address 16, commands with CR LF and EOI, replies read into 200 blanks up to a line feed.
class BusSession : public ::testing::Test {
protected:
    static constexpr int kBoard = 0;
    static constexpr Addr4882 kAddress = 16;

    BusSession() {
        EXPECT_EQ(sim.configure("time", "virtual", "1"), "");
        sim.reset();
    }

    CallResult command(const std::string& text) {
        const std::string message = text + "\r\n";
        return sim.board().send(kBoard, kAddress, message.data(), static_cast<long>(message.size()),
                                eot::kDabEnd);
    }

    void commands(std::initializer_list<std::string> texts) {
        for (const std::string& text : texts)
            EXPECT_EQ(command(text).ibsta & sta::kErr, 0) << text;
    }

    int poll() {
        short status = 0;
        last = sim.board().readStatusByte(kBoard, kAddress, &status);
        return status;
    }

    // The whole 200-character buffer, as the program sees it.
    std::string readBuffer() {
        std::string buffer(200, ' ');
        last = sim.board().receive(kBoard, kAddress, buffer.data(), 200, 10);
        return buffer;
    }

    std::string read() { return readBuffer().substr(0, static_cast<std::size_t>(last.ibcnt)); }

    void advance(double seconds) { ASSERT_TRUE(sim.advance(seconds)); }

    // Polls every period until a poll finds the output off, reading one reply per announced
    // reading, as the program's instrument-paced test does.
    std::vector<Reply> collect(double period, double limit = 10000.0) {
        std::vector<Reply> replies;
        for (double waited = 0.0; waited < limit; waited += period) {
            advance(period);
            const int polled = poll();
            if (polled & status::kReadingReady) {
                Reply r = parseReply(read());
                r.readAt = sim.time();
                r.announcedBy = polled;
                replies.push_back(r);
            }
            if (!(polled & status::kVoltageOutput))
                break;
        }
        return replies;
    }

    static std::vector<double> voltagesOf(const std::vector<Reply>& replies) {
        std::vector<double> voltages;
        for (const Reply& r : replies)
            voltages.push_back(r.voltage);
        return voltages;
    }

    Simulator sim;
    CallResult last;
};

} // namespace gpibsim::test
