#include "data_path_template.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <utility>

namespace app {

namespace {

constexpr std::array kPlaceholders{"{sample}", "{device}", "{function}", "{date}",
                                   "{time}",   "{step}",   "{value}"};

std::string asNamePart(std::string_view value) {
    std::string part(value);
    for (char& c : part)
        if (c == '/' || static_cast<unsigned char>(c) < 32 || c == 127)
            c = '_';
    return part;
}

std::string localStamp(std::chrono::system_clock::time_point time, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::string stepText(const DataPathValues& values) {
    if (!values.step)
        return {};
    const std::string number = std::to_string(*values.step);
    const std::size_t width = std::to_string(std::max(values.steps, 1)).size();
    return std::string(width > number.size() ? width - number.size() : 0, '0') + number;
}

std::string valueOf(std::string_view placeholder, const DataPathValues& values) {
    if (placeholder == "{sample}")
        return asNamePart(values.sample.sample);
    if (placeholder == "{device}")
        return asNamePart(values.sample.device);
    if (placeholder == "{function}")
        return values.function;
    if (placeholder == "{date}")
        return localStamp(values.start, "%Y%m%d");
    if (placeholder == "{time}")
        return localStamp(values.start, "%H%M%S");
    if (placeholder == "{step}")
        return stepText(values);
    return asNamePart(values.value);
}

} // namespace

std::string functionName(hp4140::Function function) {
    switch (function) {
    case hp4140::Function::I:
        return "I";
    case hp4140::Function::IV:
        return "IV";
    case hp4140::Function::CV:
        return "CV";
    }
    return "F" + std::to_string(static_cast<int>(function));
}

DataPathValues dataPathValuesFor(const Session& session, hp4140::Function function,
                                 std::chrono::system_clock::time_point start) {
    DataPathValues values;
    values.sample = session.sample();
    values.function = functionName(function);
    values.start = start;
    return values;
}

bool hasPlaceholders(std::string_view path) {
    for (const char* placeholder : kPlaceholders)
        if (path.find(placeholder) != std::string_view::npos)
            return true;
    return false;
}

std::string expandDataPath(std::string_view path, const DataPathValues& values) {
    std::string expanded;
    while (!path.empty()) {
        const char* found = nullptr;
        for (const char* placeholder : kPlaceholders)
            if (path.starts_with(placeholder))
                found = placeholder;
        if (found) {
            expanded += valueOf(found, values);
            path.remove_prefix(std::string_view(found).size());
        } else {
            expanded += path.front();
            path.remove_prefix(1);
        }
    }
    return expanded;
}

} // namespace app
