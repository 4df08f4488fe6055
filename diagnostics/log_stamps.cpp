#include "log_stamps.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace diagnostics {

namespace {

std::tm localTime(WallTime time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts;
}

std::string twoDigits(int value) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02d", value % 100);
    return text.data();
}

std::string clockText(const std::tm& parts) {
    return twoDigits(parts.tm_hour) + ":" + twoDigits(parts.tm_min) + ":" + twoDigits(parts.tm_sec);
}

} // namespace

std::string dateTimeStamp(WallTime time) {
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::tm parts = localTime(time);
    return twoDigits(parts.tm_mday) + " " + kMonths[static_cast<std::size_t>(parts.tm_mon)] + " " +
           std::to_string(parts.tm_year + 1900) + " " + clockText(parts);
}

std::string timeOfDayStamp(WallTime time) {
    return clockText(localTime(time));
}

std::string fileNameStamp(WallTime time) {
    const std::tm parts = localTime(time);
    return twoDigits(parts.tm_year) + twoDigits(parts.tm_mon + 1) + twoDigits(parts.tm_mday) + "_" +
           twoDigits(parts.tm_hour) + twoDigits(parts.tm_min) + twoDigits(parts.tm_sec);
}

} // namespace diagnostics
