#pragma once

#include "bus/prologix/adapter_protocol.h"
#include "bus/prologix/driver_numbers.h"
#include "bus/prologix/target.h"

#include <map>
#include <optional>
#include <string>

namespace prologix {

// The status words a driver call leaves.
struct CallResult {
    int ibsta = 0;
    int iberr = 0;
    long ibcnt = 0;
};

// The linux-gpib calls a program makes, on a Prologix or AR488 adapter as board 0. The link
// opens at a board clear (SendIFC) when it is not open: at the first, and at the next one after
// it was lost. No other call reconnects, so a test that loses the adapter ends as lost. An
// instrument that does not answer is ENOL, a read that gets nothing in time EABO, a link that
// is not open or has gone EDVR; problem() says why in words that name the port.
class AdapterSession {
public:
    explicit AdapterSession(Target target);

    CallResult sendIfc(int board);
    CallResult devClear(int board, Addr address);
    CallResult enableLocal(int board, const Addr* addresses);
    CallResult enableRemote(int board, const Addr* addresses);
    CallResult send(int board, Addr address, const void* data, long count, int eotMode);
    CallResult receive(int board, Addr address, void* buffer, long count, int termination);
    CallResult readStatusByte(int board, Addr address, short* result);
    CallResult wait(int board, int mask);
    CallResult config(int board, int option, int value);

    // The adapter's answer to ++ver, empty until the link has opened.
    const std::string& version() const { return version_; }
    // Why the last call failed; empty after a call that succeeded.
    const std::string& problem() const { return problem_; }

private:
    template <typename Operation> CallResult onLink(int board, Operation&& operation);
    template <typename Operation>
    CallResult onAddresses(int board, const Addr* addresses, Operation&& operation);
    CallResult fail(int iberr, int ibsta, std::string why);
    CallResult done(int ibsta, long count = 0);
    std::optional<CallResult> addressRefusal(Addr address);
    CallResult deliver(Addr address, std::string reply, void* buffer, long count, bool ended);
    Link::End readReply(AdapterProtocol& adapter, Addr address, std::optional<char> stop,
                        std::string& reply);
    CallResult timedOut(Addr address, const std::string& reply, void* buffer, long count);
    std::optional<bool> srqAsserted();
    AdapterProtocol::Wait replyWait() const;
    std::string through() const;

    Target target_;
    std::optional<AdapterProtocol> adapter_;
    std::string version_;
    std::string problem_;
    std::string linkProblem_;
    int timeoutCode_;
    // What an instrument said beyond the caller's buffer, for its next read.
    std::map<Addr, std::string> unread_;
};

} // namespace prologix
