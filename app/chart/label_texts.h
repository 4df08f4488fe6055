#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace chart {

// The distinct label texts of the points, each kept once: a point holds only the number of its
// text, and the drawing makes one picture per number. Number 0 is the empty text.
class LabelTexts {
public:
    LabelTexts();

    std::uint32_t idOf(std::string_view text);
    // The number of a text given out before; nothing for one never seen.
    std::optional<std::uint32_t> find(std::string_view text) const;
    // The text of a number; the empty text for one never given out.
    const std::string& text(std::uint32_t id) const;
    std::size_t size() const { return texts_.size(); }

private:
    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::uint32_t> ids_;
};

} // namespace chart
