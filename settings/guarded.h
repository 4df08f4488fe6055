#pragma once

#include <functional>
#include <string_view>

namespace settings {

// Runs the handler of a button, a menu command or a window event. An error it raises is shown
// as every error is (ShowCurrentError, with the comment) and the program goes on: an exception
// must never cross the window system's event dispatch, where it would end the program.
void runGuarded(const std::function<void()>& handler, std::string_view comment = {}) noexcept;

// The handler wrapped so that it runs guarded, for connecting to a signal.
template <typename Handler> auto guarded(Handler handler) {
    return [handler = std::move(handler)] { runGuarded(handler); };
}

} // namespace settings
