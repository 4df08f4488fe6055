#include "hp4140/parse_hp4140_data.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class RecordingSink final : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

const std::string kLineEnd = "\r\n";

std::string padded(std::string reply) {
    reply.resize(200, ' ');
    return reply;
}

HP4140DataType parsed(const std::string& reply, RecordingSink& sink) {
    HP4140DataType reading;
    reading.RawData = reply;
    reading.Current = 7.0f;
    reading.Voltage = 7.0f;
    reading.OutOfRange = true;
    ParseHP4140Data(reading, &sink);
    return reading;
}

struct Accepted {
    std::string reply;
    float current;
    float voltage;
    bool outOfRange;
};

TEST(ParseHP4140Data, AcceptedRepliesGiveTheirValues) {
    const std::vector<Accepted> cases{
        {"XYZ1.5E-09,Q2.5", 1.5E-09f, 2.5f, false},
        {"NAI+1.234E-12,V+10.00", 1.234E-12f, 10.0f, false},
        {"XYZ2E-20,Q10", 1.0f, 10.0f, true},
        {"NAI2.000E-20,V1", 1.0f, 1.0f, true},   // the marker compared as a float,
        {"NAI+0.20E-19,V-1", 1.0f, -1.0f, true}, // not as text
        {"NAI-2E-20,V1", 1E-16f, 1.0f, false},   // a negative reading is not the marker
        {"XYZ0,Q1", 1E-16f, 1.0f, false},
        {"XYZ-5E-17,Q1", 1E-16f, 1.0f, false},
        {"XYZ-2E-16,Q1", -2E-16f, 1.0f, false},
        {"XYZ1E-16,Q1", 1E-16f, 1.0f, false},
        {"XYZ1E-50,Q1", 1E-16f, 1.0f, false}, // below the float range: rounds to 0
        {"XYZ1.5,Q2,Q3", 1.5f, 2.0f, false},
        {"A,B1.5,Q2", 1.5f, 2.0f, false} // a comma in the first three characters is skipped
    };
    for (const Accepted& c : cases) {
        RecordingSink sink;
        const HP4140DataType reading = parsed(padded(c.reply + kLineEnd), sink);
        EXPECT_EQ(reading.Current, c.current) << c.reply;
        EXPECT_EQ(reading.Voltage, c.voltage) << c.reply;
        EXPECT_EQ(reading.OutOfRange, c.outOfRange) << c.reply;
        EXPECT_TRUE(sink.lines.empty()) << c.reply;
    }
}

TEST(ParseHP4140Data, AnAcceptedReplyLosesItsLineBreaksButKeepsItsBlanks) {
    RecordingSink sink;
    const HP4140DataType reading = parsed("XYZ1.5E-09,Q2.5\r\n   ", sink);
    EXPECT_EQ(reading.RawData, "XYZ1.5E-09,Q2.5   ");
}

struct Rejected {
    std::string reply;
    std::string message;
};

TEST(ParseHP4140Data, RejectedRepliesGiveZeroValuesAndOneLine) {
    const std::string shortReply = "Bad Data: length is less than four characters long.";
    const std::string noComma = "Bad Data: there is no delimitting comma in the data.";
    const std::vector<Rejected> cases{
        {"", shortReply},
        {"ABC", shortReply},
        {"A" + kLineEnd, shortReply},
        {"ABCD", noComma},
        {"A,BC9", noComma},
        {"NAI+1.234E-12 V+10.00" + kLineEnd, noComma},
        {"XYZ,Q1", "Bad Data: the measured value is not a number."},
        {"XYZ   ,Q1", "Bad Data: the measured value is not a number."},
        {"XYZ1.5x,Q1", "Bad Data: the measured value is not a number."},
        {"XYZ1.5E,Q1", "Bad Data: the measured value is not a number."},
        {"XYZ1,Q1.5E+", "Bad Data: the voltage is not a number."},
        {"XYZ1E99,Q1", "Bad Data: the measured value is beyond the single-precision range."},
        {"XYZ1,Q", "Bad Data: the voltage is not a number."},
        {"XYZ1," + kLineEnd, "Bad Data: the voltage is not a number."},
        {"XYZ1,Q1E39", "Bad Data: the voltage is beyond the single-precision range."},
    };
    for (const Rejected& c : cases) {
        RecordingSink sink;
        const HP4140DataType reading = parsed(c.reply, sink);
        EXPECT_EQ(reading.Current, 0.0f) << c.reply;
        EXPECT_EQ(reading.Voltage, 0.0f) << c.reply;
        EXPECT_FALSE(reading.OutOfRange) << c.reply;
        EXPECT_EQ(reading.RawData, c.reply) << "kept as read, line breaks included";
        EXPECT_EQ(sink.lines, std::vector<std::string>{c.message}) << c.reply;
    }
}

TEST(ParseHP4140Data, WithoutALogRejectedRepliesAreDroppedQuietly) {
    HP4140DataType reading;
    reading.RawData = "XYZ";
    ParseHP4140Data(reading, nullptr);
    EXPECT_EQ(reading.Current, 0.0f);
}

TEST(ParseHP4140Data, OnlyTheValueFieldsAreTouched) {
    HP4140DataType reading;
    reading.RawData = "NAI+1.0E-12,V+5.0\r\n";
    reading.Time = std::chrono::system_clock::time_point(std::chrono::seconds(1000));
    reading.Timerel = 2.5f;
    reading.AtCurrentLimit = true;
    reading.Index = 42;
    ParseHP4140Data(reading, nullptr);
    EXPECT_EQ(reading.Time.time_since_epoch(), std::chrono::seconds(1000));
    EXPECT_EQ(reading.Timerel, 2.5f);
    EXPECT_TRUE(reading.AtCurrentLimit);
    EXPECT_EQ(reading.Index, 42);
}

} // namespace
