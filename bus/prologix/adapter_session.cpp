#include "bus/prologix/adapter_session.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/wire_text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <thread>

namespace prologix {

namespace {

using namespace std::chrono_literals;

constexpr int kBoard = 0;
// Seconds of the timeout codes T10us (1) to T1000s (17); code 0 waits without limit.
constexpr std::array<double, 18> kTimeoutSeconds{0.0,  10e-6, 30e-6, 100e-6, 300e-6, 1e-3,
                                                 3e-3, 10e-3, 30e-3, 0.1,    0.3,    1.0,
                                                 3.0,  10.0,  30.0,  100.0,  300.0,  1000.0};
constexpr int kDefaultTimeoutCode = 12; // T3s
constexpr int kTimeoutCodeMax = 17;
// The longest read timeout the adapters take.
constexpr int kAdapterTimeoutMaxMs = 3000;
// What the link and the adapter add to an answer's way.
constexpr auto kLinkMargin = 200ms;
// A read that ends on EOI has ended once the line has been quiet this long.
constexpr auto kEoiQuiet = 100ms;
constexpr std::size_t kLongestReply = 65536;
constexpr int kAddressListMax = 31;
constexpr auto kSrqPollPause = 10ms;

constexpr int kTimedOut = sta::kErr | sta::kTimo | sta::kCmpl;
constexpr int kNoListener = sta::kErr | sta::kCmpl;

// The adapter's read timeout for a board timeout code: the board's, capped at what the adapter
// takes, at least 1 ms.
int adapterTimeoutMs(int code) {
    if (code == 0)
        return kAdapterTimeoutMaxMs;
    const int ms = static_cast<int>(kTimeoutSeconds[static_cast<std::size_t>(code)] * 1000.0);
    return std::clamp(ms, 1, kAdapterTimeoutMaxMs);
}

std::string seconds(AdapterProtocol::Wait wait) {
    const long long tenths =
        std::chrono::duration_cast<std::chrono::milliseconds>(wait).count() / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

} // namespace

AdapterSession::AdapterSession(Target target)
    : target_(std::move(target)),
      linkProblem_("The adapter on " + target_.name() +
                   " is not open yet: it opens at the board clear a test starts with."),
      timeoutCode_(kDefaultTimeoutCode) {}

CallResult AdapterSession::fail(int iberr, int ibsta, std::string why) {
    problem_ = std::move(why);
    return {ibsta, iberr, 0};
}

CallResult AdapterSession::done(int ibsta, long count) {
    problem_.clear();
    return {ibsta, 0, count};
}

std::string AdapterSession::through() const {
    return " through the adapter on " + target_.name();
}

AdapterProtocol::Wait AdapterSession::replyWait() const {
    return std::chrono::milliseconds(adapterTimeoutMs(timeoutCode_)) + kLinkMargin;
}

template <typename Operation> CallResult AdapterSession::onLink(int board, Operation&& operation) {
    if (board != kBoard)
        return fail(err::kEneb, sta::kErr,
                    "The adapter on " + target_.name() + " is board id 0; board id " +
                        std::to_string(board) + " has no board.");
    if (!adapter_)
        return fail(err::kEdvr, sta::kErr, linkProblem_);
    try {
        return operation(*adapter_);
    } catch (const LinkError& error) {
        adapter_.reset();
        unread_.clear();
        linkProblem_ = std::string(error.what()) + "; it is opened again at the next test start.";
        return fail(err::kEdvr, sta::kErr, linkProblem_);
    }
}

std::optional<CallResult> AdapterSession::addressRefusal(Addr address) {
    const int primary = address & 0xFF;
    const int secondary = address >> 8;
    if (primary <= kPrimaryAddressMax &&
        (secondary == 0 || (secondary >= kSecondaryFirst && secondary <= kSecondaryLast)))
        return std::nullopt;
    return fail(err::kEarg, sta::kErr,
                "GPIB address " + std::to_string(address) +
                    " is none: a primary address is 0 to 30, a secondary one 96 to 126.");
}

template <typename Operation>
CallResult AdapterSession::onAddresses(int board, const Addr* addresses, Operation&& operation) {
    int count = 0;
    while (addresses && addresses[count] != kNoAddr) {
        if (count == kAddressListMax)
            return fail(err::kEarg, sta::kErr, "An address list lacks its closing NOADDR.");
        if (const auto refusal = addressRefusal(addresses[count]))
            return *refusal;
        ++count;
    }
    return onLink(board, [&](AdapterProtocol& adapter) {
        for (int i = 0; i < count; ++i)
            operation(adapter, addresses[i]);
        return done(sta::kCmpl);
    });
}

CallResult AdapterSession::sendIfc(int board) {
    if (board == kBoard && !adapter_) {
        try {
            adapter_.emplace(AdapterProtocol::connect(target_));
            version_ = adapter_->version();
        } catch (const LinkError& error) {
            linkProblem_ = error.what();
            return fail(err::kEdvr, sta::kErr, linkProblem_);
        }
    }
    return onLink(board, [&](AdapterProtocol& adapter) {
        adapter.command("++ifc");
        return done(sta::kCmpl);
    });
}

CallResult AdapterSession::devClear(int board, Addr address) {
    if (address == kNoAddr)
        return fail(err::kEarg, sta::kErr,
                    "The adapter clears one device at a time (++clr): name its address.");
    if (const auto refusal = addressRefusal(address))
        return *refusal;
    return onLink(board, [&](AdapterProtocol& adapter) {
        adapter.select(address);
        adapter.command("++clr");
        unread_.erase(address);
        return done(sta::kCmpl);
    });
}

CallResult AdapterSession::enableLocal(int board, const Addr* addresses) {
    return onAddresses(board, addresses, [](AdapterProtocol& adapter, Addr address) {
        adapter.select(address);
        adapter.command("++loc");
    });
}

// The adapter asserts REN itself as controller; an instrument goes remote when next addressed.
CallResult AdapterSession::enableRemote(int board, const Addr* addresses) {
    return onAddresses(board, addresses, [](AdapterProtocol&, Addr) {});
}

CallResult AdapterSession::send(int board, Addr address, const void* data, long count,
                                int eotMode) {
    if (count < 0 || (!data && count > 0) || eotMode < eot::kNullEnd || eotMode > eot::kNlEnd)
        return fail(err::kEarg, sta::kErr, "Send was called with bad arguments.");
    if (const auto refusal = addressRefusal(address))
        return *refusal;
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(count));
    if (eotMode == eot::kNlEnd)
        bytes += '\n';
    return onLink(board, [&](AdapterProtocol& adapter) {
        adapter.select(address);
        adapter.setEoi(eotMode != eot::kNullEnd);
        if (!bytes.empty())
            adapter.sendData(bytes);
        return done(sta::kCmpl, count);
    });
}

// Hands the caller what fits in its buffer and keeps the rest for the next read.
CallResult AdapterSession::deliver(Addr address, std::string reply, void* buffer, long count,
                                   bool ended) {
    const std::size_t fits = std::min(reply.size(), static_cast<std::size_t>(count));
    std::memcpy(buffer, reply.data(), fits);
    if (fits < reply.size())
        unread_[address] = reply.substr(fits);
    const bool whole = fits == reply.size();
    return done(sta::kCmpl | (whole && ended ? sta::kEnd : 0), static_cast<long>(fits));
}

// ++read 10 ends where the termination byte has come; ++read eoi, whose end the adapter does not
// mark, where the line has gone quiet.
Link::End AdapterSession::readReply(AdapterProtocol& adapter, Addr address,
                                    std::optional<char> stop, std::string& reply) {
    adapter.select(address);
    if (!stop)
        return adapter.readData("++read eoi", reply, stop, kLongestReply, replyWait(), kEoiQuiet);
    const std::string request = "++read " + std::to_string(static_cast<unsigned char>(*stop));
    return adapter.readData(request, reply, stop, kLongestReply, replyWait(), std::nullopt);
}

// A read that timed out hands over what came, as a board does.
CallResult AdapterSession::timedOut(Addr address, const std::string& reply, void* buffer,
                                    long count) {
    const std::size_t got = std::min(reply.size(), static_cast<std::size_t>(count));
    std::memcpy(buffer, reply.data(), got);
    CallResult result = fail(err::kEabo, kTimedOut,
                             (reply.empty() ? "Nothing came" : "The reply did not end") +
                                 std::string(" from GPIB address ") + addressText(address) +
                                 through() + " within " + seconds(replyWait()) + ".");
    result.ibcnt = static_cast<long>(got);
    return result;
}

CallResult AdapterSession::receive(int board, Addr address, void* buffer, long count,
                                   int termination) {
    if (count < 0 || (!buffer && count > 0))
        return fail(err::kEarg, sta::kErr, "Receive was called with bad arguments.");
    if (const auto refusal = addressRefusal(address))
        return *refusal;
    const std::optional<char> stop =
        (termination & kStopEnd) ? std::nullopt
                                 : std::optional<char>(static_cast<char>(termination & 0xFF));
    return onLink(board, [&](AdapterProtocol& adapter) {
        if (count == 0)
            return done(sta::kCmpl);
        if (const auto kept = unread_.find(address); kept != unread_.end()) {
            std::string reply = std::move(kept->second);
            unread_.erase(kept);
            return deliver(address, std::move(reply), buffer, count, true);
        }
        std::string reply;
        const Link::End end = readReply(adapter, address, stop, reply);
        if (end == Link::End::Deadline)
            return timedOut(address, reply, buffer, count);
        return deliver(address, std::move(reply), buffer, count, end != Link::End::Full);
    });
}

CallResult AdapterSession::readStatusByte(int board, Addr address, short* result) {
    if (!result)
        return fail(err::kEarg, sta::kErr, "ReadStatusByte was called without a result.");
    if (const auto refusal = addressRefusal(address))
        return *refusal;
    return onLink(board, [&](AdapterProtocol& adapter) {
        const std::string question = "++spoll " + addressText(address);
        const auto answer = adapter.ask(question, replyWait());
        if (!answer)
            return fail(err::kEnol, kNoListener,
                        "The instrument at GPIB address " + addressText(address) +
                            " did not answer the serial poll (" + question + ")" + through() +
                            " within " + seconds(replyWait()) +
                            ": is it switched on and set to that address?");
        const auto status = statusByteOf(*answer);
        if (!status) {
            adapter.markUnsure();
            return fail(err::kEdvr, sta::kErr,
                        "The adapter on " + target_.name() + " answered " + question + " with \"" +
                            shown(*answer) + "\", which is no status byte.");
        }
        *result = static_cast<short>(*status);
        return done(sta::kCmpl);
    });
}

std::optional<bool> AdapterSession::srqAsserted() {
    const auto answer = adapter_->ask("++srq", replyWait());
    if (answer && (*answer == "0" || *answer == "1"))
        return *answer == "1";
    adapter_->markUnsure();
    return std::nullopt;
}

// The adapter tells the SRQ line's state (++srq); waiting for SRQ asks again until the board's
// timeout has passed.
CallResult AdapterSession::wait(int board, int mask) {
    return onLink(board, [&](AdapterProtocol&) {
        const auto timeout =
            std::chrono::duration<double>(kTimeoutSeconds[static_cast<std::size_t>(timeoutCode_)]);
        const auto giveUp = Link::Clock::now() + timeout;
        for (;;) {
            const auto asserted = srqAsserted();
            if (!asserted)
                return fail(err::kEdvr, sta::kErr,
                            "The adapter on " + target_.name() +
                                " gave no answer to ++srq that says 0 or 1.");
            if (*asserted)
                return done(sta::kCmpl | sta::kSrqi);
            if (!(mask & sta::kSrqi))
                return done(sta::kCmpl);
            if (Link::Clock::now() >= giveUp)
                return done(sta::kCmpl | sta::kTimo);
            std::this_thread::sleep_for(kSrqPollPause);
        }
    });
}

CallResult AdapterSession::config(int board, int option, int value) {
    const bool known = (option >= 1 && option <= option::kLastOrdinary) || option == option::kBna;
    if (!known || (option == option::kTimeout && (value < 0 || value > kTimeoutCodeMax)))
        return fail(err::kEarg, sta::kErr,
                    "ibconfig option " + std::to_string(option) + " does not take " +
                        std::to_string(value) + ".");
    return onLink(board, [&](AdapterProtocol& adapter) {
        if (option == option::kTimeout) {
            timeoutCode_ = value;
            adapter.setReadTimeout(adapterTimeoutMs(value));
        } else if (option == option::kEndOfTransmission) {
            adapter.setEoi(value != 0);
        }
        return done(sta::kCmpl);
    });
}

} // namespace prologix
