#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace diagnostics {

// Option flags of the message box with caller-defined buttons.
namespace msgboxflag {
inline constexpr std::int32_t NoCancelButton = 1;
inline constexpr std::int32_t NoDefaultButton = 2;
inline constexpr std::int32_t LargeType = 4;
} // namespace msgboxflag

// The dialog's design, in twips (1/1440 inch).
namespace msgboxdesign {
inline constexpr int ClientWidth = 4845;
inline constexpr int ClientHeight = 2055;
inline constexpr int PromptLeft = 240;
inline constexpr int PromptTop = 240;
inline constexpr int PromptWidth = 4335;
inline constexpr int PromptHeight = 1095;
inline constexpr int ButtonTop = 1440;
inline constexpr int ButtonWidth = 1215;
inline constexpr int ButtonHeight = 375;
inline constexpr int CaptionPadding = 300;
inline constexpr int GapPerBlank = 20;
inline constexpr int LargeTypePoints = 12;
} // namespace msgboxdesign

struct ButtonPlacement {
    std::string caption;
    int left = 0;
    int width = 0;
};

// The row of buttons, left to right, and the dialog's inner width, in twips.
struct MsgBoxLayout {
    int clientWidth = msgboxdesign::ClientWidth;
    std::vector<ButtonPlacement> buttons;
};

// Width of a caption in the dialog's font, in twips.
using CaptionWidth = std::function<int(const std::string&)>;

// Lays out one button per caption. The first button keeps the designed width; each further one
// is as wide as its caption plus padding and touches its left neighbour. A caption that is empty
// or all blanks makes no button and widens the gap before the next one by 20 twips per blank.
// The row is centred (half twips to even). A row too wide for the dialog widens the dialog so that
// every button stays visible; no captions at all give a single "OK" button.
MsgBoxLayout layOutButtons(const std::vector<std::string>& captions,
                           const CaptionWidth& captionWidth);

} // namespace diagnostics
