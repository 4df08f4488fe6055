// The reply parser on any reply. An accepted reply logs nothing, gives finite values (the
// over-range value, or a magnitude of at least the smallest one) and loses only its line breaks;
// a refused one logs one "Bad Data" line and leaves zeros and the reply as read.

#include "fuzz_check.h"

#include "hp4140/parse_hp4140_data.h"

#include <cmath>
#include <vector>

namespace {

class CollectedLines : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

std::string withoutLineBreaks(std::string text) {
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

void requireAccepted(const HP4140DataType& reading, const std::string& reply) {
    fuzz::require(reply.size() >= 4 && reply.find(',', 3) != std::string::npos,
                  "only a reply with a comma after its third character is accepted");
    fuzz::require(reading.RawData == withoutLineBreaks(reply),
                  "an accepted reply loses its line breaks and nothing else");
    fuzz::require(std::isfinite(reading.Current) && std::isfinite(reading.Voltage),
                  "an accepted reply gives finite values");
    fuzz::require(reading.OutOfRange ? reading.Current == hp4140::kOutOfRangeValue
                                     : std::fabs(reading.Current) >= hp4140::kSmallestMagnitude,
                  "the value is the over-range value or at least the smallest magnitude");
}

void requireRefused(const HP4140DataType& reading, const std::string& reply,
                    const std::vector<std::string>& log) {
    fuzz::require(log.size() == 1 && log.front().starts_with("Bad Data: "),
                  "a refused reply logs one Bad Data line");
    fuzz::require(reading.RawData == reply, "a refused reply stays as read");
    fuzz::require(reading.Current == 0.0f && reading.Voltage == 0.0f && !reading.OutOfRange,
                  "a refused reply gives zeros");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string reply(fuzz::textOf(data, size));
    HP4140DataType reading;
    reading.RawData = reply;
    // Values left from elsewhere, so that the parser's reset is checked too.
    reading.Current = 7.0f;
    reading.Voltage = 7.0f;
    reading.OutOfRange = true;
    CollectedLines log;
    const bool accepted = ParseHP4140Data(reading, &log);
    fuzz::require(accepted == log.lines.empty(), "the result tells whether a line was logged");
    if (accepted)
        requireAccepted(reading, reply);
    else
        requireRefused(reading, reply, log.lines);
    return 0;
}
