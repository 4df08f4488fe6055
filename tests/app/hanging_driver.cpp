// A driver library whose instrument always has a reading ready, and whose ReadStatusByte stops
// returning once it has been called TARVIX_HANG_AFTER times: a driver call that never returns,
// for the program's watchdog. Just before it hangs it creates the file TARVIX_HANG_MARK.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kCmpl = 0x100;
constexpr short kOutputOnReadingReady = 16 | 1;
constexpr char kReply[] = "NAI+1.000E-12,V+5.00\r\n";

int statusByteCalls = 0;

int hangAfter() {
    const char* text = std::getenv("TARVIX_HANG_AFTER");
    return text ? std::atoi(text) : 60;
}

[[noreturn]] void hang() {
    if (const char* mark = std::getenv("TARVIX_HANG_MARK"))
        ::close(::open(mark, O_WRONLY | O_CREAT, 0644));
    for (;;)
        ::pause(); // a signal only interrupts the wait
}

} // namespace

extern "C" {
void SendIFC(int) {}
void DevClear(int, unsigned short) {}
void EnableLocal(int, const unsigned short*) {}
void EnableRemote(int, const unsigned short*) {}
void Send(int, unsigned short, const void*, long, int) {}
void Receive(int, unsigned short, void* buffer, long count, int) {
    std::memcpy(buffer, kReply, static_cast<std::size_t>(std::min<long>(count, sizeof kReply - 1)));
}
void ReadStatusByte(int, unsigned short, short* result) {
    if (++statusByteCalls > hangAfter())
        hang();
    *result = kOutputOnReadingReady;
}
int ibwait(int, int) {
    return kCmpl;
}
int ibconfig(int, int, int) {
    return kCmpl;
}
int ThreadIbsta() {
    return kCmpl;
}
int ThreadIberr() {
    return 0;
}
int ThreadIbcnt() {
    return 0;
}
long ThreadIbcntl() {
    return 0;
}
}
