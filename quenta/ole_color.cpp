#include "ole_color.h"

#include <array>
#include <utility>

namespace quenta {

namespace {

constexpr quint32 SystemColorFlag = 0x80000000;

constexpr std::array<std::pair<quint32, QPalette::ColorRole>, 7> systemRoles{{
    {5, QPalette::Base},             // window background
    {8, QPalette::Text},             // window text
    {13, QPalette::Highlight},       // highlight
    {14, QPalette::HighlightedText}, // highlighted text
    {15, QPalette::Button},          // button face
    {18, QPalette::ButtonText},      // button text
    {24, QPalette::ToolTipBase},     // tooltip background
}};

} // namespace

QColor colorFromValue(quint32 value, const QPalette& system, QPalette::ColorRole fallback) {
    if ((value & SystemColorFlag) == 0)
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>((value >> 16) & 0xFF));
    const quint32 index = value & ~SystemColorFlag;
    for (const auto& [systemIndex, role] : systemRoles)
        if (systemIndex == index)
            return system.color(role);
    return system.color(fallback);
}

} // namespace quenta
