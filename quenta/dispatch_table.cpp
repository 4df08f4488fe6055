#include "dispatch_table.h"

#include <algorithm>
#include <array>

namespace quenta {

namespace {

constexpr auto members = std::to_array<DispatchMember>({
    {0x68030000, "Value", false},
    {0x68030001, "ExpLocked", false},
    {0x68030002, "Exponent", false},
    {0x68030003, "ValType", false},
    {0x68030004, "AutoSelect", false},
    {0x68030005, "RoundToFormat", false},
    {0x68030006, "FormatString", false},
    {0x68030007, "MinLimitEnabled", false},
    {0x68030008, "MaxLimitEnabled", false},
    {0x68030009, "Min", false},
    {0x6803000A, "Max", false},
    {DispidText, "Text", false},
    {0x6803000C, "FontBold", false},
    {0x6803000D, "FontItalic", false},
    {0x6803000E, "FontName", false},
    {0x6803000F, "FontSize", false},
    {0x68030010, "FontStrikethru", false},
    {0x68030011, "FontUnderline", false},
    {0x68030012, "hWnd", false},
    {0x68030013, "ToolTipText", false},
    {0x68030014, "WhatsThisHelpID", false},
    {0x68030015, "SelText", false},
    {0x68030016, "SelStart", false},
    {0x68030017, "SelLength", false},
    {0x68030018, "ScrollBars", false},
    {0x68030019, "RightToLeft", false},
    {0x6803001A, "PasswordChar", false},
    {0x6803001B, "OLEDropMode", false},
    {0x6803001C, "OLEDragMode", false},
    {0x6803001D, "MultiLine", false},
    {0x6803001E, "MousePointer", false},
    {0x6803001F, "MaxLength", false},
    {0x68030020, "Locked", false},
    {0x68030021, "LinkTopic", false},
    {0x68030022, "LinkTimeout", false},
    {0x68030023, "LinkMode", false},
    {0x68030024, "LinkItem", false},
    {0x68030025, "HideSelection", false},
    {0x68030026, "DataMember", false},
    {0x68030027, "DataFormat", false},
    {0x68030028, "CausesValidation", false},
    {0x68030029, "Appearance", false},
    {0x6803002A, "Alignment", false},
    {0x6803002B, "BorderStyle", false},
    {0x6803002C, "Enabled", false},
    {0x6803002D, "ForeColor", false},
    {0x6803002E, "BackColor", false},
    {DispidFont, "Font", false},
    {0x60030033, "Refresh", true},
    {0x6003003E, "ValidateControls", true},
    {0x60030046, "OLEDrag", true},
    {0x60030048, "LinkSend", true},
    {0x60030049, "LinkRequest", true},
    {0x6003004A, "LinkPoke", true},
    {0x6003004B, "LinkExecute", true},
});

constexpr auto events = std::to_array<DispatchEvent>({
    {1, "Click", true},
    {2, "DblClick", true},
    {3, "KeyDown", true},
    {4, "KeyPress", true},
    {5, "KeyUp", true},
    {6, "MouseDown", true},
    {7, "MouseMove", true},
    {8, "MouseUp", true},
    {9, "Change", true},
    {10, "WriteProperties", false},
    {11, "Validate", true},
    {12, "Resize", true},
    {13, "ReadProperties", false},
    {14, "OLEStartDrag", true},
    {15, "OLESetData", true},
    {16, "OLEGiveFeedback", true},
    {17, "OLEDragOver", true},
    {18, "OLEDragDrop", true},
    {19, "OLECompleteDrag", true},
});

template <typename Entry, std::size_t N>
const Entry* findById(const std::array<Entry, N>& table, qint32 id) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [id](const Entry& entry) { return entry.id == id; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

std::span<const DispatchMember> dispatchMembers() {
    return members;
}

std::span<const DispatchEvent> dispatchEvents() {
    return events;
}

const DispatchMember* findDispatchMember(qint32 id) {
    return findById(members, id);
}

const DispatchEvent* findDispatchEvent(qint32 id) {
    return findById(events, id);
}

} // namespace quenta
