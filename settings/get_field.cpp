#include "form_utility.h"

#include "platform/text_fields.h"

namespace FormUtility {

std::string GetField(std::string_view text, std::int16_t n, std::string_view delimiter) {
    return platform::textField(text, n, delimiter);
}

} // namespace FormUtility
