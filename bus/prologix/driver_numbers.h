#pragma once

// The numbers of linux-gpib's C interface that the adapter library speaks: address type, status
// bits, error codes, end-of-transmission modes and the configuration options it acts on.
namespace prologix {

using Addr = unsigned short;
inline constexpr Addr kNoAddr = 0xFFFF;

namespace sta {
inline constexpr int kErr = 0x8000;
inline constexpr int kTimo = 0x4000;
inline constexpr int kEnd = 0x2000;
inline constexpr int kSrqi = 0x1000;
inline constexpr int kCmpl = 0x0100;
} // namespace sta

namespace err {
inline constexpr int kEdvr = 0;
inline constexpr int kEnol = 2;
inline constexpr int kEarg = 4;
inline constexpr int kEabo = 6;
inline constexpr int kEneb = 7;
} // namespace err

// Send: linux-gpib numbering (NI swaps NLend and DABend).
namespace eot {
inline constexpr int kNullEnd = 0;
inline constexpr int kDabEnd = 1;
inline constexpr int kNlEnd = 2;
} // namespace eot

// Receive: with this bit set only EOI ends a read; otherwise the low byte is the termination byte.
inline constexpr int kStopEnd = 0x0100;

namespace option {
inline constexpr int kTimeout = 3;
inline constexpr int kEndOfTransmission = 4;
inline constexpr int kLastOrdinary = 33;
inline constexpr int kBna = 0x200;
} // namespace option

inline constexpr int kPrimaryAddressMax = 30;
// Secondary addresses travel in the high byte as 96 to 126, as ++addr takes them.
inline constexpr int kSecondaryFirst = 96;
inline constexpr int kSecondaryLast = 126;

} // namespace prologix
