#include "set_up_text.h"

#include "platform/app_error.h"
#include "settings/setting_keys.h"

namespace series {

namespace {

// The index of the group's button the document selects, as text; empty when it selects none.
std::string selectedIndex(const SteppableField& group, const settings::IniDocument& document) {
    for (std::size_t i = 0; i < group.choices.size(); ++i) {
        const auto value =
            document.value(settings::keys::kFormSection, group.key + "(" + std::to_string(i) + ")");
        if (value == "1")
            return std::to_string(i);
    }
    return {};
}

} // namespace

std::string setUpText(const PanelFields& fields, const settings::IniDocument& document) {
    std::string text;
    for (const SteppableField& field : fields.steppableFields()) {
        const std::string value =
            field.isOptionGroup()
                ? selectedIndex(field, document)
                : document.value(settings::keys::kFormSection, field.key).value_or("");
        if (value.empty())
            continue;
        try {
            text += (text.empty() ? "" : "\n") + fields.changeLabel(fields.changeFor(field, value));
        } catch (const platform::AppError&) {
            // a value no field would take says nothing of the set-up
        }
    }
    return text;
}

} // namespace series
