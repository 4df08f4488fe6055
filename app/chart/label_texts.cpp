#include "label_texts.h"

namespace chart {

LabelTexts::LabelTexts() : texts_{std::string()}, ids_{{std::string(), 0}} {}

std::uint32_t LabelTexts::idOf(std::string_view text) {
    const auto [found, added] =
        ids_.try_emplace(std::string(text), static_cast<std::uint32_t>(texts_.size()));
    if (added)
        texts_.emplace_back(text);
    return found->second;
}

std::optional<std::uint32_t> LabelTexts::find(std::string_view text) const {
    const auto found = ids_.find(std::string(text));
    if (found == ids_.end())
        return std::nullopt;
    return found->second;
}

const std::string& LabelTexts::text(std::uint32_t id) const {
    return id < texts_.size() ? texts_[id] : texts_.front();
}

} // namespace chart
