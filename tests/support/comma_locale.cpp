#include "comma_locale.h"

#include <clocale>
#include <cstring>
#include <locale>

namespace testsupport {

CommaLocale::CommaLocale() {
    const char* current = std::setlocale(LC_ALL, nullptr);
    previous_ = current ? current : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        const std::lconv* conv = std::localeconv();
        ok_ = conv && std::strcmp(conv->decimal_point, ",") == 0;
    }
}

CommaLocale::~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

} // namespace testsupport
