// The driver functions, with linux-gpib's C signatures (those the program binds, checked against
// its table below). Each runs one call on the adapter under the library's lock and leaves the
// status words in the calling thread's own copy, which the Thread* functions read back.
#include "bus/gpib_driver.h"
#include "bus/prologix/library_instance.h"

#include <type_traits>

#define PROLOGIX_DRIVER extern "C" __attribute__((visibility("default")))

namespace {

using prologix::AdapterSession;
using prologix::CallResult;

thread_local CallResult threadStatus;

template <typename Call> int sessionCall(Call&& call) {
    threadStatus = prologix::withInstance([&](prologix::LibraryInstance& library) {
        if (!library.session)
            return CallResult{prologix::sta::kErr, prologix::err::kEdvr, 0}; // none chosen
        return call(*library.session);
    });
    return threadStatus.ibsta;
}

} // namespace

PROLOGIX_DRIVER void SendIFC(int board) {
    sessionCall([&](AdapterSession& s) { return s.sendIfc(board); });
}

PROLOGIX_DRIVER void DevClear(int board, bus::Addr4882_t address) {
    sessionCall([&](AdapterSession& s) { return s.devClear(board, address); });
}

PROLOGIX_DRIVER void EnableLocal(int board, const bus::Addr4882_t* addresses) {
    sessionCall([&](AdapterSession& s) { return s.enableLocal(board, addresses); });
}

PROLOGIX_DRIVER void EnableRemote(int board, const bus::Addr4882_t* addresses) {
    sessionCall([&](AdapterSession& s) { return s.enableRemote(board, addresses); });
}

PROLOGIX_DRIVER void Send(int board, bus::Addr4882_t address, const void* data, long count,
                          int eotmode) {
    sessionCall([&](AdapterSession& s) { return s.send(board, address, data, count, eotmode); });
}

PROLOGIX_DRIVER void Receive(int board, bus::Addr4882_t address, void* buffer, long count,
                             int termination) {
    sessionCall(
        [&](AdapterSession& s) { return s.receive(board, address, buffer, count, termination); });
}

PROLOGIX_DRIVER void ReadStatusByte(int board, bus::Addr4882_t address, short* result) {
    sessionCall([&](AdapterSession& s) { return s.readStatusByte(board, address, result); });
}

PROLOGIX_DRIVER int ibwait(int ud, int mask) {
    return sessionCall([&](AdapterSession& s) { return s.wait(ud, mask); });
}

PROLOGIX_DRIVER int ibconfig(int ud, int option, int value) {
    return sessionCall([&](AdapterSession& s) { return s.config(ud, option, value); });
}

PROLOGIX_DRIVER int ThreadIbsta() {
    return threadStatus.ibsta;
}

PROLOGIX_DRIVER int ThreadIberr() {
    return threadStatus.iberr;
}

PROLOGIX_DRIVER int ThreadIbcnt() {
    return static_cast<int>(threadStatus.ibcnt);
}

PROLOGIX_DRIVER long ThreadIbcntl() {
    return threadStatus.ibcnt;
}

// The program binds these through its table of driver functions: the types must be its own.
static_assert(std::is_same_v<decltype(&SendIFC), decltype(bus::GpibDriverApi::SendIFC)>);
static_assert(std::is_same_v<decltype(&DevClear), decltype(bus::GpibDriverApi::DevClear)>);
static_assert(std::is_same_v<decltype(&EnableLocal), decltype(bus::GpibDriverApi::EnableLocal)>);
static_assert(std::is_same_v<decltype(&EnableRemote), decltype(bus::GpibDriverApi::EnableRemote)>);
static_assert(std::is_same_v<decltype(&Send), decltype(bus::GpibDriverApi::Send)>);
static_assert(std::is_same_v<decltype(&Receive), decltype(bus::GpibDriverApi::Receive)>);
static_assert(
    std::is_same_v<decltype(&ReadStatusByte), decltype(bus::GpibDriverApi::ReadStatusByte)>);
static_assert(std::is_same_v<decltype(&ibwait), decltype(bus::GpibDriverApi::ibwait)>);
static_assert(std::is_same_v<decltype(&ibconfig), decltype(bus::GpibDriverApi::ibconfig)>);
static_assert(std::is_same_v<decltype(&ThreadIbsta), decltype(bus::GpibDriverApi::ThreadIbsta)>);
static_assert(std::is_same_v<decltype(&ThreadIberr), decltype(bus::GpibDriverApi::ThreadIberr)>);
static_assert(std::is_same_v<decltype(&ThreadIbcnt), decltype(bus::GpibDriverApi::ThreadIbcnt)>);
static_assert(std::is_same_v<decltype(&ThreadIbcntl), decltype(bus::GpibDriverApi::ThreadIbcntl)>);
