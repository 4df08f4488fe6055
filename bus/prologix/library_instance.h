#pragma once

#include "bus/prologix/adapter_session.h"

#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace prologix {

// The one adapter behind the exported C functions: a driver library is process-wide state by
// nature. Nothing is reached until a target has been set.
struct LibraryInstance {
    std::mutex mutex;
    std::optional<AdapterSession> session;
    std::string refusal = "No adapter has been chosen (prologix_set_target).";
};

LibraryInstance& libraryInstance();

// Runs the action on the instance under its lock and returns its result.
template <typename Action> auto withInstance(Action&& action) {
    LibraryInstance& library = libraryInstance();
    std::lock_guard lock(library.mutex);
    return std::forward<Action>(action)(library);
}

} // namespace prologix
