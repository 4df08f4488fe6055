#include "sim/hp4140b.h"

#include "sim/command_parser.h"
#include "sim/driver_abi.h"
#include "sim/measurement.h"

#include <algorithm>

namespace gpibsim {

namespace {

// Longer than any command; a message without an end that grows past it is thrown away.
constexpr std::size_t kInputLimit = 256;

std::string_view trimmedCommand(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

Hp4140b::Hp4140b(const SimSettings& settings) : settings_(&settings) {}

void Hp4140b::powerOn() {
    *this = Hp4140b(*settings_);
}

void Hp4140b::advanceTo(double now) {
    if (!plan_)
        return;
    const long due = plan_->dueBy(now);
    if (due > produced_) {
        if (setup_.dataOutput)
            lost_ += due - produced_ - 1 + (waiting_ ? 1 : 0);
        taken_ += due - produced_;
        produced_ = due;
        const MeterState meter{setup_, *settings_, zeroCorrection_};
        const Measurement m = measure(meter, plan_->point(due - 1), {run_, due - 1});
        atCurrentLimit_ = m.atCurrentLimit;
        if (setup_.dataOutput)
            offer(m.reading);
    }
    // Nobody can collect the last reading with the data output off.
    if (!setup_.dataOutput && runFinished())
        switchOff();
}

void Hp4140b::offer(const Reading& reading) {
    waiting_ = reading;
    requestingService_ = true;
}

bool Hp4140b::runFinished() const {
    return plan_ && plan_->length() && produced_ >= *plan_->length();
}

void Hp4140b::start(double now) {
    plan_.emplace(setup_, readingTime(setup_, *settings_), now);
    if (settings_->faults.outputOffAfter > 0)
        plan_->limitLength(settings_->faults.outputOffAfter);
    ++run_;
    produced_ = 0;
    collectedInRun_ = 0;
    atCurrentLimit_ = false;
    advanceTo(now);
}

void Hp4140b::switchOff() {
    plan_.reset();
    atCurrentLimit_ = false;
}

std::vector<std::string> Hp4140b::listen(std::string_view bytes, bool endOfMessage, double now) {
    std::vector<std::string> notes;
    for (const char c : bytes) {
        if (c == '\n') {
            completeCommand(notes, now);
            continue;
        }
        input_.push_back(c);
        if (input_.size() > kInputLimit) {
            notes.push_back("input overflow: " + std::to_string(input_.size()) +
                            " bytes without an end dropped");
            input_.clear();
            ++ignored_;
        }
    }
    if (endOfMessage)
        completeCommand(notes, now);
    return notes;
}

void Hp4140b::completeCommand(std::vector<std::string>& notes, double now) {
    const std::string command(trimmedCommand(input_));
    input_.clear();
    if (command.empty())
        return;
    history_.push_back(command);
    if (history_.size() > kHistory)
        history_.pop_front();
    if (auto note = execute(command, now))
        notes.push_back(std::move(*note));
}

std::optional<std::string> Hp4140b::execute(std::string_view command, double now) {
    advanceTo(now);
    const CommandOutcome outcome = applyCommand(command, setup_);
    switch (outcome.action) {
    case CommandAction::Setting:
        dataOutputChanged();
        break;
    case CommandAction::Start:
        start(now);
        break;
    case CommandAction::Stop:
        switchOff();
        break;
    case CommandAction::Zero:
        zeroCorrection_ = settings_->offsetCurrent;
        break;
    case CommandAction::Rejected:
        ++ignored_;
        return "ignored " + std::string(command) + ": " + outcome.problem;
    }
    return std::nullopt;
}

void Hp4140b::dataOutputChanged() {
    if (setup_.dataOutput)
        return;
    waiting_.reset();
    requestingService_ = false;
    if (runFinished())
        switchOff();
}

bool Hp4140b::hasTalkData() const {
    return talkPosition_ < talkBuffer_.size() || waiting_;
}

void Hp4140b::collectWaiting() {
    ++collected_;
    ++collectedInRun_;
    const FaultSettings& faults = settings_->faults;
    talkBuffer_ = faults.garble.firesOn(collected_) ? garbledReply(*waiting_, faults.garbleKind)
                                                    : formatReply(*waiting_);
    talkPosition_ = 0;
    waiting_.reset();
    // The reason for the request is gone with the reading.
    requestingService_ = false;
    if (runFinished())
        switchOff();
}

Hp4140b::Talked Hp4140b::talk(std::size_t maxBytes, std::optional<unsigned char> terminator) {
    if (talkPosition_ >= talkBuffer_.size() && waiting_)
        collectWaiting();
    Talked talked;
    while (talked.bytes.size() < maxBytes && talkPosition_ < talkBuffer_.size()) {
        const char c = talkBuffer_[talkPosition_++];
        talked.bytes.push_back(c);
        if (terminator && static_cast<unsigned char>(c) == *terminator)
            break;
    }
    talked.eoi = !talked.bytes.empty() && talkPosition_ >= talkBuffer_.size();
    return talked;
}

int Hp4140b::statusByte() const {
    return (waiting_ ? kReadingWaiting : 0) | (atCurrentLimit_ ? kAtCurrentLimit : 0) |
           (plan_ ? kOutputOn : 0) | (requestingService_ ? kStatusRqs : 0);
}

int Hp4140b::serialPoll() {
    const int status = statusByte();
    requestingService_ = false;
    return status;
}

void Hp4140b::deviceClear() {
    input_.clear();
    talkBuffer_.clear();
    talkPosition_ = 0;
    waiting_.reset();
    requestingService_ = false;
}

std::optional<double> Hp4140b::nextOfferTime() const {
    if (!plan_ || !setup_.dataOutput || runFinished())
        return std::nullopt;
    return plan_->point(produced_).readyTime;
}

} // namespace gpibsim
