#include "run_texts.h"

#include "quenta/numtext/numtext.h"

#include <ctime>

namespace testrun {

namespace {

std::string clockTime(std::chrono::system_clock::time_point time) {
    const std::tm local = localTimeOf(time);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

std::string seconds(double value) {
    return numtext::formatPicture(value, "0") + " s";
}

} // namespace

std::tm localTimeOf(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

std::string silenceText(const Silence& silence) {
    return "Instrument not answering since " + clockTime(silence.since) + ", " +
           std::to_string(silence.polls) + (silence.polls == 1 ? " poll" : " polls");
}

std::string lostText(const Silence& silence, double busTimeoutSeconds) {
    return silenceText(silence) + ": no answer for more than " + seconds(busTimeoutSeconds) +
           " (--bus-timeout), so the run ends as lost.";
}

std::string overrunText(double maxSeconds) {
    return "The run has gone on for more than " + seconds(maxSeconds) +
           " (--max-time), so it ends as overrun.";
}

std::string slowRunText(double expectedSeconds) {
    return "The test has run twice as long as the " + seconds(expectedSeconds) +
           " expected; Abort stops it.";
}

} // namespace testrun
