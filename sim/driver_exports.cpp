// The driver functions, with linux-gpib's C signatures. Each runs one board call under the
// library's lock and leaves the status words in the calling thread's own copy, and in the
// words that thread registered, if any.
#include "sim/gpib_driver.h"
#include "sim/library_instance.h"

namespace {

using gpibsim::Board;
using gpibsim::CallResult;

struct ThreadStatus {
    CallResult last;
    int* ibsta = nullptr;
    int* iberr = nullptr;
    int* ibcnt = nullptr;
    long* ibcntl = nullptr;
};

thread_local ThreadStatus threadStatus;

void keep(const CallResult& result) {
    ThreadStatus& t = threadStatus;
    t.last = result;
    if (t.ibsta)
        *t.ibsta = result.ibsta;
    if (t.iberr)
        *t.iberr = result.iberr;
    if (t.ibcnt)
        *t.ibcnt = static_cast<int>(result.ibcnt);
    if (t.ibcntl)
        *t.ibcntl = result.ibcnt;
}

template <typename Call> int boardCall(Call&& call) {
    const CallResult result =
        gpibsim::withSimulator([&](gpibsim::Simulator& sim) { return call(sim.board()); });
    keep(result);
    return result.ibsta;
}

// Codes 0 (registered) and 1 (an earlier registration replaced) take the addresses; any other
// code leaves the thread unregistered.
bool registers(int code) {
    return code == 0 || code == 1;
}

} // namespace

extern "C" {

void SendIFC(int board) {
    boardCall([&](Board& b) { return b.sendIfc(board); });
}

void DevClear(int board, Addr4882_t address) {
    boardCall([&](Board& b) { return b.devClear(board, address); });
}

void EnableLocal(int board, const Addr4882_t* addresses) {
    boardCall([&](Board& b) { return b.enableLocal(board, addresses); });
}

void EnableRemote(int board, const Addr4882_t* addresses) {
    boardCall([&](Board& b) { return b.enableRemote(board, addresses); });
}

void Send(int board, Addr4882_t address, const void* data, long count, int eotmode) {
    boardCall([&](Board& b) { return b.send(board, address, data, count, eotmode); });
}

void Receive(int board, Addr4882_t address, void* buffer, long count, int termination) {
    boardCall([&](Board& b) { return b.receive(board, address, buffer, count, termination); });
}

void ReadStatusByte(int board, Addr4882_t address, short* result) {
    boardCall([&](Board& b) { return b.readStatusByte(board, address, result); });
}

int ibwait(int ud, int mask) {
    return boardCall([&](Board& b) { return b.wait(ud, mask); });
}

int ibconfig(int ud, int option, int value) {
    return boardCall([&](Board& b) { return b.config(ud, option, value); });
}

int RegisterGpibGlobalsForThread(int* ibsta, int* iberr, int* ibcnt, long* ibcntl) {
    return gpibsim::withSimulator([&](gpibsim::Simulator& sim) {
        const int code = sim.settings().registerResult;
        if (registers(code))
            threadStatus = {threadStatus.last, ibsta, iberr, ibcnt, ibcntl};
        sim.board().traceRegistration("RegisterGpibGlobalsForThread", code, threadStatus.last);
        return code;
    });
}

int UnregisterGpibGlobalsForThread(void) {
    threadStatus = {threadStatus.last, nullptr, nullptr, nullptr, nullptr};
    gpibsim::withSimulator([](gpibsim::Simulator& sim) {
        sim.board().traceRegistration("UnregisterGpibGlobalsForThread", 0, threadStatus.last);
        return 0;
    });
    return 0;
}

int ThreadIbsta(void) {
    return threadStatus.last.ibsta;
}
int ThreadIberr(void) {
    return threadStatus.last.iberr;
}
int ThreadIbcnt(void) {
    return static_cast<int>(threadStatus.last.ibcnt);
}
long ThreadIbcntl(void) {
    return threadStatus.last.ibcnt;
}

} // extern "C"
