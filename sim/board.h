#pragma once

#include "sim/driver_abi.h"
#include "sim/hp4140b.h"
#include "sim/sim_clock.h"
#include "sim/sim_settings.h"
#include "sim/trace_writer.h"

#include <map>
#include <optional>
#include <string_view>

namespace gpibsim {

// The status words one driver call leaves.
struct CallResult {
    int ibsta = 0;
    int iberr = 0;
    long ibcnt = 0;
};

// The simulated GPIB board: checks each call the way the driver would (board present, arguments,
// a listener at the address), passes it to the instrument, spends the bus time on the clock,
// and traces it. Board ids and the address come from the settings at every call.
class Board {
public:
    Board(const SimSettings& settings, SimClock& clock, Hp4140b& instrument, TraceWriter& trace);

    void powerOn();

    CallResult sendIfc(int board);
    CallResult devClear(int board, Addr4882 address);
    CallResult enableLocal(int board, const Addr4882* addresses);
    CallResult enableRemote(int board, const Addr4882* addresses);
    CallResult send(int board, Addr4882 address, const void* data, long count, int eotMode);
    CallResult receive(int board, Addr4882 address, void* buffer, long count, int termination);
    CallResult readStatusByte(int board, Addr4882 address, short* result);
    CallResult wait(int ud, int mask);
    CallResult config(int ud, int option, int value);

    // Registration calls touch no bus; they are traced with the status they leave.
    void traceRegistration(std::string_view function, int returned, const CallResult& status);

private:
    struct Call {
        TraceEntry entry;
        bool boardPresent = false;
    };

    Call begin(std::string_view function, int board, std::optional<int> address);
    CallResult finish(Call& call, CallResult result);
    CallResult fail(Call& call, int code, int bits = sta::kErr);
    std::optional<int> boardProblem(int board) const;
    std::optional<int> listenerProblem(Addr4882 address) const;
    std::optional<int> addressListProblem(const Addr4882* addresses, Call& call) const;
    std::optional<double> timeoutSeconds(int board) const;
    bool waitForOffer(int board);
    void spendTimeout(int board);
    bool serviceRequested() const;
    // Nothing answers: the no-listener faults.
    bool silent() const;

    const SimSettings& settings_;
    SimClock& clock_;
    Hp4140b& instrument_;
    TraceWriter& trace_;
    std::map<int, int> timeoutCodes_; // per board id, set through ibconfig
    long reads_ = 0;                  // reads addressed to the instrument
    long lostReported_ = 0;
};

} // namespace gpibsim
