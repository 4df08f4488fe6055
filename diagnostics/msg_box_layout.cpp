#include "msg_box_layout.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>

namespace diagnostics {

namespace {
bool isBlank(const std::string& caption) {
    return std::all_of(caption.begin(), caption.end(), [](char c) { return c == ' '; });
}

void centreRow(MsgBoxLayout& layout) {
    const ButtonPlacement& last = layout.buttons.back();
    const int rowWidth = last.left + last.width - layout.buttons.front().left;
    if (rowWidth > msgboxdesign::ClientWidth)
        layout.clientWidth = rowWidth + 2 * msgboxdesign::PromptLeft;
    const int offset = numtext::toInt32((layout.clientWidth - rowWidth) / 2.0);
    for (ButtonPlacement& button : layout.buttons)
        button.left += offset;
}
} // namespace

MsgBoxLayout layOutButtons(const std::vector<std::string>& captions,
                           const CaptionWidth& captionWidth) {
    MsgBoxLayout layout;
    layout.buttons.push_back(
        {captions.empty() ? "OK" : captions.front(), 0, msgboxdesign::ButtonWidth});
    std::size_t pendingBlanks = 0;
    for (std::size_t i = 1; i < captions.size(); ++i) {
        const std::string& caption = captions[i];
        if (isBlank(caption)) {
            pendingBlanks += caption.size();
            continue;
        }
        const ButtonPlacement& previous = layout.buttons.back();
        const int gap = static_cast<int>(pendingBlanks) * msgboxdesign::GapPerBlank;
        layout.buttons.push_back({caption, previous.left + previous.width + gap,
                                  captionWidth(caption) + msgboxdesign::CaptionPadding});
        pendingBlanks = 0;
    }
    centreRow(layout);
    return layout;
}

} // namespace diagnostics
