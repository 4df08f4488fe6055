#pragma once

#include "bus/prologix/driver_numbers.h"
#include "bus/prologix/link.h"

#include <optional>
#include <string>
#include <string_view>

namespace prologix {

// The command set of a Prologix or AR488 adapter in controller mode over its link. A setting is
// sent only when it changes. Before each question whatever arrived unasked is dropped, and after
// an answer that did not come in time (or made no sense) the line is brought back in step with
// ++ver, so a late answer is never taken for the next one. Raises LinkError when the link goes.
class AdapterProtocol {
public:
    using Wait = Link::Clock::duration;

    // Opens the link and sets the adapter up: no saving to its flash at every setting,
    // controller mode, no read-after-write, nothing appended to data (the program sends its own
    // line ends), and asks its version.
    static AdapterProtocol connect(const Target& target);

    const std::string& port() const { return link_.name(); }
    // The adapter's answer to ++ver.
    const std::string& version() const { return version_; }

    void command(std::string_view line);
    void select(Addr address);
    void setEoi(bool on);
    void setReadTimeout(int milliseconds);
    void sendData(std::string_view bytes);
    // The one-line answer to a question, or nothing when none came within the wait.
    std::optional<std::string> ask(std::string_view question, Wait wait);
    // The instrument's reply to a ++read, collected into `reply` as Link::read collects it.
    Link::End readData(std::string_view request, std::string& reply, std::optional<char> stop,
                       std::size_t max, Wait wait, std::optional<Wait> quiet);
    // An answer made no sense: the rest of it may still be on its way.
    void markUnsure() { unsure_ = true; }

private:
    AdapterProtocol(Link link, std::string version);
    void beforeQuestion(Wait wait);

    Link link_;
    std::string version_;
    std::optional<Addr> selected_;
    std::optional<bool> eoi_;
    std::optional<int> readTimeoutMs_;
    bool unsure_ = false;
};

// "16" or "16 96": an address as ++addr and ++spoll take it.
std::string addressText(Addr address);

} // namespace prologix
