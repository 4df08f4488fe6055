#include "sim/board.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace gpibsim {

namespace {

// Seconds of the timeout codes T10us (1) to T1000s (17); code 0 waits without limit.
constexpr std::array<double, 18> kTimeoutSeconds{0.0,  10e-6, 30e-6, 100e-6, 300e-6, 1e-3,
                                                 3e-3, 10e-3, 30e-3, 0.1,    0.3,    1.0,
                                                 3.0,  10.0,  30.0,  100.0,  300.0,  1000.0};
constexpr int kDefaultTimeoutCode = 12; // T3s
constexpr int kTimeoutCodeMax = 17;
// An address list without NOADDR after this many entries is taken as unterminated.
constexpr int kAddressListMax = 31;
constexpr int kTimedOut = sta::kErr | sta::kTimo | sta::kCmpl;

int primaryOf(Addr4882 address) {
    return address & 0xFF;
}
int secondaryOf(Addr4882 address) {
    return address >> 8;
}

} // namespace

Board::Board(const SimSettings& settings, SimClock& clock, Hp4140b& instrument, TraceWriter& trace)
    : settings_(settings), clock_(clock), instrument_(instrument), trace_(trace) {}

void Board::powerOn() {
    timeoutCodes_.clear();
    reads_ = 0;
    lostReported_ = 0;
}

Board::Call Board::begin(std::string_view function, int board, std::optional<int> address) {
    clock_.pass(settings_.faults.callDelay);
    instrument_.advanceTo(clock_.now());
    Call call;
    call.entry.function = function;
    call.entry.board = board;
    call.entry.address = address;
    call.boardPresent = !boardProblem(board);
    return call;
}

CallResult Board::finish(Call& call, CallResult result) {
    instrument_.advanceTo(clock_.now());
    if (call.boardPresent && serviceRequested())
        result.ibsta |= sta::kSrqi;
    if (instrument_.lostReadings() > lostReported_) {
        lostReported_ = instrument_.lostReadings();
        call.entry.lost = lostReported_;
    }
    call.entry.time = clock_.now();
    call.entry.ibsta = result.ibsta;
    call.entry.iberr = result.iberr;
    trace_.write(call.entry);
    return result;
}

CallResult Board::fail(Call& call, int code, int bits) {
    return finish(call, {.ibsta = bits, .iberr = code, .ibcnt = 0});
}

std::optional<int> Board::boardProblem(int board) const {
    const auto& boards = settings_.boards;
    if (std::find(boards.begin(), boards.end(), board) == boards.end())
        return err::kEneb;
    return std::nullopt;
}

std::optional<int> Board::listenerProblem(Addr4882 address) const {
    if (primaryOf(address) > kPrimaryAddressMax || secondaryOf(address) > kPrimaryAddressMax)
        return err::kEarg;
    const bool listening =
        !silent() && primaryOf(address) == settings_.address && secondaryOf(address) == 0;
    return listening ? std::nullopt : std::optional<int>(err::kEnol);
}

// Checks every address of a NOADDR-terminated list and writes them into the trace data.
std::optional<int> Board::addressListProblem(const Addr4882* addresses, Call& call) const {
    std::optional<int> problem;
    for (int i = 0; addresses && addresses[i] != kNoAddr; ++i) {
        if (i == kAddressListMax)
            return err::kEarg;
        if (i > 0)
            call.entry.data += ',';
        call.entry.data += std::to_string(addresses[i]);
        if (!problem)
            problem = listenerProblem(addresses[i]);
    }
    return problem;
}

std::optional<double> Board::timeoutSeconds(int board) const {
    const auto code = timeoutCodes_.find(board);
    const int value = code == timeoutCodes_.end() ? kDefaultTimeoutCode : code->second;
    if (value == 0)
        return std::nullopt;
    return kTimeoutSeconds[static_cast<std::size_t>(value)];
}

CallResult Board::sendIfc(int board) {
    Call call = begin("SendIFC", board, std::nullopt);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::devClear(int board, Addr4882 address) {
    const bool everyone = address == kNoAddr;
    Call call = begin("DevClear", board, everyone ? std::nullopt : std::optional<int>(address));
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (const auto problem = everyone ? std::nullopt : listenerProblem(address))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    if (!silent())
        instrument_.deviceClear();
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::enableLocal(int board, const Addr4882* addresses) {
    Call call = begin("EnableLocal", board, std::nullopt);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (const auto problem = addressListProblem(addresses, call))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    instrument_.setRemote(false);
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::enableRemote(int board, const Addr4882* addresses) {
    Call call = begin("EnableRemote", board, std::nullopt);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (const auto problem = addressListProblem(addresses, call))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    const bool addressed = !call.entry.data.empty();
    if (addressed && settings_.faults.refuseRemote) {
        call.entry.notes.push_back("instrument refuses remote");
        return fail(call, err::kEbus, sta::kErr | sta::kCmpl);
    }
    if (addressed)
        instrument_.setRemote(true);
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::send(int board, Addr4882 address, const void* data, long count, int eotMode) {
    Call call = begin("Send", board, address);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (count < 0 || (!data && count > 0) || eotMode < eot::kNullEnd || eotMode > eot::kNlEnd)
        return fail(call, err::kEarg);
    const std::string_view bytes(static_cast<const char*>(data), static_cast<std::size_t>(count));
    call.entry.data = std::string(bytes);
    if (const auto problem = listenerProblem(address))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    const std::string message =
        eotMode == eot::kNlEnd ? std::string(bytes) + '\n' : call.entry.data;
    call.entry.notes = instrument_.listen(message, eotMode != eot::kNullEnd, clock_.now());
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = count});
}

CallResult Board::receive(int board, Addr4882 address, void* buffer, long count, int termination) {
    Call call = begin("Receive", board, address);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (count < 0 || (!buffer && count > 0))
        return fail(call, err::kEarg);
    if (const auto problem = listenerProblem(address))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    if (count == 0)
        return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
    if (settings_.faults.readTimeout.firesOn(++reads_)) {
        call.entry.notes.push_back("read timeout injected");
        spendTimeout(board);
        return fail(call, err::kEabo, kTimedOut);
    }
    if (!instrument_.hasTalkData() && !(waitForOffer(board) && instrument_.hasTalkData()))
        return fail(call, err::kEabo, kTimedOut);
    const auto terminator =
        (termination & kStopEnd) ? std::nullopt : std::optional<unsigned char>(termination & 0xFF);
    const Hp4140b::Talked talked = instrument_.talk(static_cast<std::size_t>(count), terminator);
    std::memcpy(buffer, talked.bytes.data(), talked.bytes.size());
    call.entry.data = talked.bytes;
    const int ibsta = sta::kCmpl | (talked.eoi ? sta::kEnd : 0);
    return finish(call,
                  {.ibsta = ibsta, .iberr = 0, .ibcnt = static_cast<long>(talked.bytes.size())});
}

// Waits, within the board's timeout, for the instrument's next reading; false when none came.
bool Board::waitForOffer(int board) {
    const double never = std::numeric_limits<double>::infinity();
    const double next = silent() ? never : instrument_.nextOfferTime().value_or(never);
    const auto limit = timeoutSeconds(board);
    if (next < never && (!limit || next - clock_.now() <= *limit)) {
        clock_.pass(next - clock_.now());
        instrument_.advanceTo(clock_.now());
        return true;
    }
    // With no limit and nothing to come a real driver would hang; this one gives up at once.
    spendTimeout(board);
    return false;
}

void Board::spendTimeout(int board) {
    if (const auto limit = timeoutSeconds(board))
        clock_.pass(*limit);
}

bool Board::silent() const {
    const FaultSettings& faults = settings_.faults;
    return faults.noListener || (faults.noListenerAfter > 0 &&
                                 instrument_.readingsCollectedInRun() >= faults.noListenerAfter);
}

bool Board::serviceRequested() const {
    return !silent() && instrument_.requestingService();
}

CallResult Board::readStatusByte(int board, Addr4882 address, short* result) {
    Call call = begin("ReadStatusByte", board, address);
    if (const auto problem = boardProblem(board))
        return fail(call, *problem);
    if (!result)
        return fail(call, err::kEarg);
    if (const auto problem = listenerProblem(address))
        return fail(call, *problem, sta::kErr | sta::kCmpl);
    *result = static_cast<short>(instrument_.serialPoll());
    call.entry.data = std::to_string(*result);
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::wait(int ud, int mask) {
    Call call = begin("ibwait", ud, std::nullopt);
    if (const auto problem = boardProblem(ud))
        return fail(call, *problem);
    if ((mask & sta::kSrqi) && !serviceRequested() && !(waitForOffer(ud) && serviceRequested()))
        return finish(call, {.ibsta = sta::kCmpl | sta::kTimo, .iberr = 0, .ibcnt = 0});
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

CallResult Board::config(int ud, int option, int value) {
    Call call = begin("ibconfig", ud, std::nullopt);
    call.entry.data = std::to_string(option) + "=" + std::to_string(value);
    if (const auto problem = boardProblem(ud))
        return fail(call, *problem);
    const bool known = (option >= 1 && option <= option::kLastOrdinary) || option == option::kBna;
    if (!known || (option == option::kTimeout && (value < 0 || value > kTimeoutCodeMax)))
        return fail(call, err::kEarg);
    if (option == option::kTimeout)
        timeoutCodes_[ud] = value;
    return finish(call, {.ibsta = sta::kCmpl, .iberr = 0, .ibcnt = 0});
}

void Board::traceRegistration(std::string_view function, int returned, const CallResult& status) {
    TraceEntry entry;
    entry.time = clock_.now();
    entry.function = function;
    entry.ibsta = status.ibsta;
    entry.iberr = status.iberr;
    entry.notes.push_back("returned " + std::to_string(returned));
    trace_.write(entry);
}

} // namespace gpibsim
