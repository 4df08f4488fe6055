#include "bus/prologix/adapter_protocol.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/wire_text.h"

#include <algorithm>

namespace prologix {

namespace {

using Clock = Link::Clock;
using namespace std::chrono_literals;

constexpr std::string_view kSetUp = "++savecfg 0\n++mode 1\n++auto 0\n++eos 3\n++ver\n";
// An AR488 resets when its port opens and hears nothing for about two seconds.
constexpr auto kGreetingTime = 3s;
constexpr auto kGreetingRetry = 300ms;

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The set-up goes out again until ++ver is answered; once it is, an answer to an earlier
// attempt may still follow, and is dropped.
std::string greet(Link& link) {
    const auto giveUp = Clock::now() + kGreetingTime;
    for (int attempt = 1; Clock::now() < giveUp; ++attempt) {
        link.discardInput();
        link.write(kSetUp);
        const auto retry = std::min(giveUp, Clock::now() + kGreetingRetry);
        while (const auto answer = link.readLine(retry)) {
            if (!printableLine(*answer))
                continue;
            if (attempt > 1)
                link.discardUntil(Clock::now() + kGreetingRetry);
            return trimmed(*answer);
        }
    }
    throw LinkError("The adapter on " + link.name() +
                    " does not answer ++ver (for 3 s): is it a Prologix or AR488 GPIB "
                    "controller, and set to the baud rate given?");
}

} // namespace

std::string addressText(Addr address) {
    const int primary = address & 0xFF;
    const int secondary = address >> 8;
    return std::to_string(primary) + (secondary ? " " + std::to_string(secondary) : "");
}

AdapterProtocol AdapterProtocol::connect(const Target& target) {
    Link link = Link::open(target);
    std::string version = greet(link);
    return AdapterProtocol(std::move(link), std::move(version));
}

AdapterProtocol::AdapterProtocol(Link link, std::string version)
    : link_(std::move(link)), version_(std::move(version)) {}

void AdapterProtocol::command(std::string_view line) {
    link_.write(std::string(line) + "\n");
}

void AdapterProtocol::select(Addr address) {
    if (selected_ == address)
        return;
    command("++addr " + addressText(address));
    selected_ = address;
}

void AdapterProtocol::setEoi(bool on) {
    if (eoi_ == on)
        return;
    command(on ? "++eoi 1" : "++eoi 0");
    eoi_ = on;
}

void AdapterProtocol::setReadTimeout(int milliseconds) {
    if (readTimeoutMs_ == milliseconds)
        return;
    command("++read_tmo_ms " + std::to_string(milliseconds));
    readTimeoutMs_ = milliseconds;
}

void AdapterProtocol::sendData(std::string_view bytes) {
    link_.write(escapedData(bytes) + "\n");
}

void AdapterProtocol::beforeQuestion(Wait wait) {
    link_.discardInput();
    if (!unsure_)
        return;
    link_.write("++ver\n");
    const auto deadline = Clock::now() + wait;
    while (const auto line = link_.readLine(deadline))
        if (trimmed(*line) == version_) {
            unsure_ = false;
            return;
        }
    throw LinkError("The adapter on " + port() + " stopped answering (++ver went unanswered)");
}

std::optional<std::string> AdapterProtocol::ask(std::string_view question, Wait wait) {
    beforeQuestion(wait);
    command(question);
    auto answer = link_.readLine(Clock::now() + wait);
    if (!answer)
        unsure_ = true;
    return answer;
}

Link::End AdapterProtocol::readData(std::string_view request, std::string& reply,
                                    std::optional<char> stop, std::size_t max, Wait wait,
                                    std::optional<Wait> quiet) {
    beforeQuestion(wait);
    command(request);
    const Link::End end = link_.read(reply, stop, max, Clock::now() + wait, quiet);
    if (end == Link::End::Deadline || end == Link::End::Full)
        unsure_ = true;
    return end;
}

} // namespace prologix
