#include "bus/adapter_controls.h"

#include "bus/prologix/prologix_controls.h"
#include "platform/app_error.h"

#include <dlfcn.h>
#include <type_traits>

namespace bus {

namespace {

constexpr const char* kSource = "GpibCalls";

template <typename Fn>
void resolve(void* handle, const char* symbol, Fn& target, const std::string& library) {
    target = reinterpret_cast<Fn>(::dlsym(handle, symbol));
    if (!target)
        throw platform::AppError(platform::errnum::LibraryLoad,
                                 "The adapter library " + library + " has no function " + symbol,
                                 kSource);
}

} // namespace

AdapterControls::AdapterControls(void* handle, const std::string& library) {
    static_assert(std::is_same_v<decltype(setTarget_), decltype(&prologix_set_target)>);
    static_assert(std::is_same_v<decltype(version_), decltype(&prologix_version)>);
    static_assert(std::is_same_v<decltype(problem_), decltype(&prologix_problem)>);
    resolve(handle, "prologix_set_target", setTarget_, library);
    resolve(handle, "prologix_version", version_, library);
    resolve(handle, "prologix_problem", problem_, library);
}

void AdapterControls::setTarget(const std::string& target) const {
    if (setTarget_(target.c_str()) != 0)
        throw platform::AppError(platform::errnum::LibraryLoad,
                                 "The adapter " + std::string(kAdapterScheme) + target +
                                     " cannot be used: " + problem(),
                                 kSource);
}

std::string AdapterControls::version() const {
    return version_();
}

std::string AdapterControls::problem() const {
    return problem_();
}

} // namespace bus
