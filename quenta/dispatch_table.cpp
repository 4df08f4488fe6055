#include "dispatch_table.h"

#include "property_table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quenta {

namespace {

constexpr auto methods = std::to_array<DispatchMember>({
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

// The properties in table order, then the methods.
const std::vector<DispatchMember>& members() {
    static const std::vector<DispatchMember> all = [] {
        std::vector<DispatchMember> list;
        for (const PropertyRow& row : propertyRows())
            if (row.dispid != NoDispid)
                list.push_back({row.dispid, row.name, false});
        list.insert(list.end(), methods.begin(), methods.end());
        return list;
    }();
    return all;
}

template <typename Entry> const Entry* findById(std::span<const Entry> table, qint32 id) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [id](const Entry& entry) { return entry.id == id; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

std::span<const DispatchMember> dispatchMembers() {
    return members();
}

std::span<const DispatchEvent> dispatchEvents() {
    return events;
}

const DispatchMember* findDispatchMember(qint32 id) {
    return findById(dispatchMembers(), id);
}

const DispatchEvent* findDispatchEvent(qint32 id) {
    return findById(dispatchEvents(), id);
}

} // namespace quenta
