#pragma once

#include <string>

namespace testsupport {

// Switches the process to a locale whose decimal separator is a comma (de_DE.UTF-8, which the
// scripts generate) for one scope, and back afterwards. ok() is false when the locale is missing.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

} // namespace testsupport
