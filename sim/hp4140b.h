#pragma once

#include "sim/instrument_setup.h"
#include "sim/reply_format.h"
#include "sim/sim_settings.h"
#include "sim/sweep_plan.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gpibsim {

// The simulated HP 4140B as the bus sees it: it listens to commands, talks reply lines and
// answers serial polls. Time moves it on: advanceTo() makes the readings that have fallen due.
// It has one output buffer, so a reading not collected before the next one is lost.
class Hp4140b {
public:
    // Status byte bits.
    static constexpr int kReadingWaiting = 1;
    static constexpr int kAtCurrentLimit = 2;
    static constexpr int kOutputOn = 16;

    struct Talked {
        std::string bytes;
        bool eoi = false; // the last byte of the reply went with them
    };

    // Reads faults, reading times, the model and the noise from the settings at every use.
    explicit Hp4140b(const SimSettings& settings);

    void powerOn();
    void advanceTo(double now);

    // Bytes of a message; a command ends at LF (a CR before it is dropped) or with the message.
    // Returns a note for each command ignored.
    std::vector<std::string> listen(std::string_view bytes, bool endOfMessage, double now);
    bool hasTalkData() const;
    // Up to maxBytes of the reply, stopping after the terminator when one is given.
    Talked talk(std::size_t maxBytes, std::optional<unsigned char> terminator);
    // The status byte; polling withdraws the service request.
    int serialPoll();
    int statusByte() const;
    bool requestingService() const { return requestingService_; }
    void deviceClear();
    void setRemote(bool remote) { remote_ = remote; }
    bool isRemote() const { return remote_; }

    // When the next reading will be offered, if one will be.
    std::optional<double> nextOfferTime() const;

    const InstrumentSetup& setup() const { return setup_; }
    bool outputOn() const { return plan_.has_value(); }
    long readingsTaken() const { return taken_; }
    long readingsCollected() const { return collected_; }
    long readingsCollectedInRun() const { return collectedInRun_; }
    long lostReadings() const { return lost_; }
    long ignoredCommands() const { return ignored_; }
    // Commands received, oldest first (at most kHistory).
    const std::deque<std::string>& recentCommands() const { return history_; }
    static constexpr std::size_t kHistory = 64;

private:
    std::optional<std::string> execute(std::string_view command, double now);
    void completeCommand(std::vector<std::string>& notes, double now);
    void start(double now);
    void switchOff();
    bool runFinished() const;
    void offer(const Reading& reading);
    void collectWaiting();
    void dataOutputChanged();

    const SimSettings* settings_;
    InstrumentSetup setup_;
    std::optional<SweepPlan> plan_; // present while the output is on
    std::uint64_t run_ = 0;
    long produced_ = 0; // readings of this run made so far
    std::optional<Reading> waiting_;
    std::string talkBuffer_;
    std::size_t talkPosition_ = 0;
    std::string input_;
    bool requestingService_ = false;
    bool atCurrentLimit_ = false;
    bool remote_ = false;
    double zeroCorrection_ = 0.0;
    long taken_ = 0;
    long collected_ = 0;
    long collectedInRun_ = 0;
    long lost_ = 0;
    long ignored_ = 0;
    std::deque<std::string> history_;
};

} // namespace gpibsim
