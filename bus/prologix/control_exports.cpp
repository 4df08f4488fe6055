// The prologix_ control functions.
#include "bus/prologix/library_instance.h"
#include "bus/prologix/link_error.h"
#include "bus/prologix/prologix_controls.h"
#include "bus/prologix/target.h"

namespace {

using prologix::LibraryInstance;

// The text behind the last const char* handed to this thread, per function.
thread_local std::string threadVersion;
thread_local std::string threadProblem;

} // namespace

extern "C" {

int prologix_set_target(const char* target) {
    return prologix::withInstance([&](LibraryInstance& library) {
        library.session.reset();
        try {
            library.session.emplace(prologix::parseTarget(target ? target : ""));
            return 0;
        } catch (const prologix::LinkError& error) {
            library.refusal = error.what();
            return -1;
        }
    });
}

const char* prologix_version(void) {
    threadVersion = prologix::withInstance([](LibraryInstance& library) {
        return library.session ? library.session->version() : std::string();
    });
    return threadVersion.c_str();
}

const char* prologix_problem(void) {
    threadProblem = prologix::withInstance([](LibraryInstance& library) {
        return library.session ? library.session->problem() : library.refusal;
    });
    return threadProblem.c_str();
}

} // extern "C"
