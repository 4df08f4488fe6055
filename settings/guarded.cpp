#include "settings/guarded.h"

#include "platform/app_error.h"
#include "settings/form_utility.h"

#include <cstdio>
#include <new>

namespace settings {

namespace {

void show(const platform::AppError& error, std::string_view comment) {
    platform::setCurrentError(error);
    FormUtility::ShowCurrentError(comment);
}

} // namespace

void runGuarded(const std::function<void()>& handler, std::string_view comment) noexcept {
    try {
        try {
            handler();
        } catch (const platform::AppError& error) {
            show(error, comment);
        } catch (const std::bad_alloc&) {
            show(platform::AppError(platform::errnum::OutOfMemory, "Out of memory"), comment);
        } catch (const std::exception& error) {
            show(platform::AppError(platform::errnum::InternalError, error.what()), comment);
        }
    } catch (...) {
        // Even the message box failed: standard error is all that is left.
        std::fputs("An error occurred that could not be shown.\n", stderr);
    }
}

} // namespace settings
