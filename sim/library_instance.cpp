#include "sim/library_instance.h"

#include <cstdio>
#include <cstdlib>

namespace gpibsim {

namespace {

const char* environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// A driver library has no window to complain in: problems go to standard error (and to the
// trace, where one is open).
void loadFromEnvironment(Simulator& simulator) {
    if (const char* trace = environmentValue("TARVIX_GPIBSIM_TRACE"))
        if (!simulator.openTrace(trace))
            std::fprintf(stderr, "gpibsim: cannot open the trace file %s\n", trace);
    if (const char* config = environmentValue("TARVIX_GPIBSIM_CONFIG"))
        for (const std::string& problem : simulator.loadConfig(config).problems)
            std::fprintf(stderr, "gpibsim: %s: %s\n", config, problem.c_str());
}

[[maybe_unused]] const bool kLoadedFromEnvironment = [] {
    loadFromEnvironment(libraryInstance().simulator);
    return true;
}();

} // namespace

LibraryInstance& libraryInstance() {
    static LibraryInstance instance;
    return instance;
}

} // namespace gpibsim
