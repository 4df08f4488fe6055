#pragma once

// The simulated GPIB board as the program binds it: the library built in this tree, opened
// with dlopen, plus its gpibsim_ control functions for tests.

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace testsupport {

inline std::filesystem::path buildDir() {
    const char* dir = std::getenv("TARVIX_BUILD_DIR");
    if (!dir || !*dir)
        throw std::runtime_error("TARVIX_BUILD_DIR is not set; run the tests through ctest");
    return dir;
}

inline std::string simulatorPath() {
    return (buildDir() / "lib" / "tarvix-4140" / "libtarvix-gpibsim.so").string();
}

class SimLibrary {
public:
    SimLibrary() : handle_(::dlopen(simulatorPath().c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_)
            throw std::runtime_error(std::string("cannot open the simulator: ") + ::dlerror());
        call<void()>("gpibsim_reset");
    }
    ~SimLibrary() { ::dlclose(handle_); }
    SimLibrary(const SimLibrary&) = delete;
    SimLibrary& operator=(const SimLibrary&) = delete;

    // Calls a control function by name: sim.call<int(int)>("gpibsim_set_address", 17).
    template <typename Signature, typename... Args>
    typename std::function<Signature>::result_type call(const char* name, Args... args) const {
        auto* function = reinterpret_cast<Signature*>(::dlsym(handle_, name));
        if (!function)
            throw std::runtime_error(std::string("the simulator has no ") + name);
        return function(args...);
    }

private:
    void* handle_;
};

} // namespace testsupport
