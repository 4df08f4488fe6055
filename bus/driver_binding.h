#pragma once

#include "bus/adapter_controls.h"
#include "bus/gpib_driver.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace bus {

// What to bind: the driver libraries to try in order and, when the choice is an adapter, what
// the adapter library is to reach ("/dev/ttyUSB0?baud=9600", "tcp://192.168.1.20:1234").
struct DriverChoice {
    DriverChoice() = default;
    DriverChoice(std::initializer_list<std::string> names) : libraries(names) {}
    explicit DriverChoice(std::vector<std::string> names, std::string adapterTarget = {})
        : libraries(std::move(names)), adapter(std::move(adapterTarget)) {}

    std::vector<std::string> libraries;
    std::string adapter; // empty for a GPIB library

    bool operator==(const DriverChoice&) const = default;
};

// Binds a GPIB driver library with dlopen on first use. While nothing is bound every use raises
// AppError 48 naming the failing stage (not found, refused by the loader, or the missing
// symbol); a later use tries again, so a driver installed meanwhile is picked up. The adapter
// library is bound the same way and then told which adapter to reach.
class DriverBinding {
public:
    explicit DriverBinding(DriverChoice choice);
    ~DriverBinding();
    DriverBinding(const DriverBinding&) = delete;
    DriverBinding& operator=(const DriverBinding&) = delete;

    const GpibDriverApi& api();
    bool bound() const { return handle_ != nullptr; }
    const std::string& boundName() const { return boundName_; }
    const std::vector<std::string>& candidates() const { return choice_.libraries; }
    // The choice is an adapter (prologix:...), not a GPIB library.
    bool adapterChosen() const { return !choice_.adapter.empty(); }
    // A further function of the bound library (the simulator's controls), or nullptr.
    void* symbol(const char* name) const;

    // The bound library's adapter controls; null for a GPIB library or while nothing is bound.
    const AdapterControls* adapter() const { return adapter_ ? &*adapter_ : nullptr; }
    // What the instrument is reached through, as a run record names it: the library, or the
    // adapter choice and, once its link has opened, the adapter's own name and version.
    std::string description() const;

    // The libraries to try: the --driver option, else the settings file's choice, else
    // linux-gpib's library and then NI's. "sim" names the simulator in `libFolder`, and
    // "prologix:TARGET" the adapter library there with the adapter it is to reach.
    static DriverChoice candidateNames(const std::optional<std::string>& option,
                                       const std::optional<std::string>& setting,
                                       const std::filesystem::path& libFolder);

private:
    void bind();

    DriverChoice choice_;
    void* handle_ = nullptr;
    std::string boundName_;
    GpibDriverApi api_;
    std::optional<AdapterControls> adapter_;
};

} // namespace bus
