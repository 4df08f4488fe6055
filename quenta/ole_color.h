#pragma once

#include <QColor>
#include <QPalette>

namespace quenta {

// Colours as the control's colour properties carry them: 0x00BBGGRR for a fixed colour, or
// 0x80000000 plus a system colour index, which follows the desktop's palette.
inline constexpr quint32 SystemWindowBackground = 0x80000005;
inline constexpr quint32 SystemWindowText = 0x80000008;

// The colour a colour value stands for. A system colour is taken from `system`; an index
// this mapping does not know takes the colour of `fallback`, the role the property paints.
QColor colorFromValue(quint32 value, const QPalette& system, QPalette::ColorRole fallback);

} // namespace quenta
