#pragma once

#include "bus/gpib_driver.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bus {

// Binds a GPIB driver library with dlopen on first use. While nothing is bound every use raises
// AppError 48 naming the failing stage (not found, refused by the loader, or the missing
// symbol); a later use tries again, so a driver installed meanwhile is picked up.
class DriverBinding {
public:
    explicit DriverBinding(std::vector<std::string> candidates);
    ~DriverBinding();
    DriverBinding(const DriverBinding&) = delete;
    DriverBinding& operator=(const DriverBinding&) = delete;

    const GpibDriverApi& api();
    bool bound() const { return handle_ != nullptr; }
    const std::string& boundName() const { return boundName_; }
    const std::vector<std::string>& candidates() const { return candidates_; }
    // A further function of the bound library (the simulator's controls), or nullptr.
    void* symbol(const char* name) const;

    // The library names to try: the --driver option, else the settings file's choice, else
    // linux-gpib's library and then NI's. "sim" names the simulator in `libFolder`.
    static std::vector<std::string> candidateNames(const std::optional<std::string>& option,
                                                   const std::optional<std::string>& setting,
                                                   const std::filesystem::path& libFolder);

private:
    void bind();

    std::vector<std::string> candidates_;
    void* handle_ = nullptr;
    std::string boundName_;
    GpibDriverApi api_;
};

} // namespace bus
