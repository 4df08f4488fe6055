#pragma once

#include "quenta/quenta_export.h"

#include <QtGlobal>
#include <span>

namespace quenta {

// The identifiers by which a container binds the control's members and events (the main
// window reads and writes Text through 0x6803000B). A property's getter and setter share one
// identifier; each name is the member's Q_PROPERTY, invokable method or signal.
struct DispatchMember {
    qint32 id;
    const char* name;
    bool method;
};

struct DispatchEvent {
    qint32 id;
    const char* name;
    bool hasSignal; // WriteProperties and ReadProperties have none: they are never raised
};

inline constexpr qint32 DispidText = 0x6803000B;
inline constexpr qint32 DispidFont = -512; // the standard font identifier

QUENTA_EXPORT std::span<const DispatchMember> dispatchMembers();
QUENTA_EXPORT std::span<const DispatchEvent> dispatchEvents();
// nullptr for an unknown identifier.
QUENTA_EXPORT const DispatchMember* findDispatchMember(qint32 id);
QUENTA_EXPORT const DispatchEvent* findDispatchEvent(qint32 id);

} // namespace quenta
