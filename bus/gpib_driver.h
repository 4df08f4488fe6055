#pragma once

// The C functions of an NI-488.2-compatible driver library, as linux-gpib declares them. The
// program binds them at run time, so no driver header or library is needed to build it.

namespace bus {

using Addr4882_t = unsigned short;
inline constexpr Addr4882_t NOADDR = 0xFFFF;

// The two library families number the end-of-transmission modes differently, so the binding
// passes the DABend of the family it loaded; with the wrong one an instrument would receive an
// extra line feed or no EOI.
enum class DriverFamily { LinuxGpib, NationalInstruments };

constexpr int dabendOf(DriverFamily family) {
    return family == DriverFamily::NationalInstruments ? 2 : 1;
}

struct GpibDriverApi {
    void (*SendIFC)(int board) = nullptr;
    void (*DevClear)(int board, Addr4882_t address) = nullptr;
    void (*EnableLocal)(int board, const Addr4882_t* addresses) = nullptr;
    void (*EnableRemote)(int board, const Addr4882_t* addresses) = nullptr;
    void (*Send)(int board, Addr4882_t address, const void* data, long count,
                 int eotMode) = nullptr;
    void (*Receive)(int board, Addr4882_t address, void* buffer, long count,
                    int termination) = nullptr;
    void (*ReadStatusByte)(int board, Addr4882_t address, short* result) = nullptr;
    int (*ibwait)(int ud, int mask) = nullptr;
    int (*ibconfig)(int ud, int option, int value) = nullptr;

    // Either the registration pair or the per-thread status functions (ThreadIbcntl is optional).
    int (*RegisterGpibGlobalsForThread)(int* ibsta, int* iberr, int* ibcnt, long* ibcntl) = nullptr;
    int (*UnregisterGpibGlobalsForThread)() = nullptr;
    int (*ThreadIbsta)() = nullptr;
    int (*ThreadIberr)() = nullptr;
    int (*ThreadIbcnt)() = nullptr;
    long (*ThreadIbcntl)() = nullptr;

    DriverFamily family = DriverFamily::LinuxGpib;

    bool registers() const {
        return RegisterGpibGlobalsForThread && UnregisterGpibGlobalsForThread;
    }
};

} // namespace bus
