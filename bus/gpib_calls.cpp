#include "bus/gpib_calls.h"

namespace bus {

namespace {

constexpr int kErr = 0x8000;
constexpr int kEdvr = 0;
constexpr long kUnregisteredCount = 0xDEAD37F0L;

Addr4882_t toAddress(int address) {
    return static_cast<Addr4882_t>(address);
}

std::vector<Addr4882_t> closedList(std::vector<Addr4882_t> addresses) {
    if (addresses.empty() || addresses.back() != NOADDR)
        addresses.push_back(NOADDR);
    return addresses;
}

int eotModeFor(DriverFamily family, EotMode mode) {
    switch (mode) {
    case EotMode::DABend:
        return dabendOf(family);
    case EotMode::NLend:
        return family == DriverFamily::NationalInstruments ? 1 : 2;
    default:
        return 0;
    }
}

} // namespace

std::int16_t LongToStatusInt(long value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

GpibCalls::GpibCalls(DriverBinding& binding) : binding_(binding) {}

GpibCalls::~GpibCalls() {
    // The driver must not keep writing into words that are about to disappear.
    if (status_.registered && binding_.bound() && binding_.api().registers())
        binding_.api().UnregisterGpibGlobalsForThread();
}

// The call counts as under way from here until its status is copied.
const GpibDriverApi& GpibCalls::prepare(const char* name) {
    const GpibDriverApi& api = binding_.api();
    callName_.store(name);
    callSince_.store(std::chrono::steady_clock::now().time_since_epoch().count());
    if (!status_.registered)
        RegisterGpibStatus(api);
    return api;
}

std::optional<GpibCalls::CallInFlight> GpibCalls::callInFlight() const {
    const std::int64_t since = callSince_.load();
    if (since == 0)
        return std::nullopt;
    const auto started =
        std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(since));
    return CallInFlight{callName_.load(), std::chrono::steady_clock::now() - started};
}

void GpibCalls::RegisterGpibStatus(const GpibDriverApi& api) {
    if (!api.registers()) {
        status_.registered = true; // status is read back per thread after each call
        return;
    }
    auto registerWords = [&] {
        return api.RegisterGpibGlobalsForThread(&status_.ibsta32, &status_.iberr32,
                                                &status_.ibcnt32, &status_.ibcntl32);
    };
    const int code = registerWords();
    if (code == 0) {
        status_.registered = true;
        return;
    }
    if (code == 1) {
        // Registered before with other words: swap ours in.
        api.UnregisterGpibGlobalsForThread();
        registerWords();
        status_.registered = true;
        return;
    }
    if (code == 2 || code == 3)
        api.UnregisterGpibGlobalsForThread();
    // Not registered: the next call reports a driver error, and the next wrapper tries again.
    status_.ibsta32 = kErr;
    status_.iberr32 = kEdvr;
    status_.ibcntl32 = kUnregisteredCount;
}

void GpibCalls::CopyGpibStatus(const GpibDriverApi& api) {
    callSince_.store(0);
    if (!api.registers()) {
        status_.ibsta32 = api.ThreadIbsta();
        status_.iberr32 = api.ThreadIberr();
        status_.ibcnt32 = api.ThreadIbcnt();
        status_.ibcntl32 = api.ThreadIbcntl ? api.ThreadIbcntl() : status_.ibcnt32;
    }
    status_.ibsta = LongToStatusInt(status_.ibsta32);
    status_.iberr = static_cast<std::int16_t>(status_.iberr32);
    status_.ibcnt = LongToStatusInt(status_.ibcntl32);
    if (afterCall_)
        afterCall_();
}

void GpibCalls::DevClear(int board, int address) {
    const GpibDriverApi& api = prepare("DevClear");
    api.DevClear(board, toAddress(address));
    CopyGpibStatus(api);
}

void GpibCalls::EnableLocal(int board, const std::vector<Addr4882_t>& addresses) {
    const GpibDriverApi& api = prepare("EnableLocal");
    const std::vector<Addr4882_t> list = closedList(addresses);
    api.EnableLocal(board, list.data());
    CopyGpibStatus(api);
}

void GpibCalls::EnableRemote(int board, const std::vector<Addr4882_t>& addresses) {
    const GpibDriverApi& api = prepare("EnableRemote");
    const std::vector<Addr4882_t> list = closedList(addresses);
    api.EnableRemote(board, list.data());
    CopyGpibStatus(api);
}

void GpibCalls::ibconfig(int board, int option, int value) {
    const GpibDriverApi& api = prepare("ibconfig");
    api.ibconfig(board, option, value);
    CopyGpibStatus(api);
}

void GpibCalls::ibwait(int ud, int mask) {
    const GpibDriverApi& api = prepare("ibwait");
    api.ibwait(ud, mask);
    CopyGpibStatus(api);
}

std::int16_t GpibCalls::ReadStatusByte(int board, int address) {
    const GpibDriverApi& api = prepare("ReadStatusByte");
    short result = 0;
    api.ReadStatusByte(board, toAddress(address), &result);
    CopyGpibStatus(api);
    return LongToStatusInt(result);
}

std::string GpibCalls::Receive(int board, int address, const std::string& buffer, int termination) {
    const GpibDriverApi& api = prepare("Receive");
    std::string received = buffer;
    api.Receive(board, toAddress(address), received.data(), static_cast<long>(received.size()),
                termination);
    CopyGpibStatus(api);
    return received;
}

void GpibCalls::Send(int board, int address, const std::string& text, EotMode eotMode) {
    const GpibDriverApi& api = prepare("Send");
    api.Send(board, toAddress(address), text.data(), static_cast<long>(text.size()),
             eotModeFor(api.family, eotMode));
    CopyGpibStatus(api);
}

void GpibCalls::SendIFC(int board) {
    const GpibDriverApi& api = prepare("SendIFC");
    api.SendIFC(board);
    CopyGpibStatus(api);
}

bool GpibCalls::SrqLineAsserted(int board) {
    ibwait(board, 0);
    return (status_.ibsta & 0x1000) != 0;
}

} // namespace bus
