#include "bus/driver_binding.h"

#include "platform/app_error.h"

#include <dlfcn.h>

namespace bus {

namespace {

constexpr const char* kSource = "GpibCalls";
constexpr const char* kSimulatorFile = "libtarvix-gpibsim.so";
constexpr const char* kAdapterFile = "libtarvix-prologix.so";
const std::vector<std::string> kDefaultNames{"libgpib.so.0", "libni4882.so.1", "libni4882.so",
                                             "libgpibapi.so"};

struct LoadFailure {
    bool notFound = true;
    std::string text;
};

DriverFamily familyOf(const std::string& name) {
    const std::string file = std::filesystem::path(name).filename().string();
    const bool ni =
        file.find("ni4882") != std::string::npos || file.find("gpibapi") != std::string::npos;
    return ni ? DriverFamily::NationalInstruments : DriverFamily::LinuxGpib;
}

bool loaderSaysMissing(const std::string& name, const std::string& loaderText) {
    if (name.find('/') != std::string::npos)
        return !std::filesystem::exists(name);
    return loaderText.find("No such file") != std::string::npos;
}

template <typename Fn>
void resolve(void* handle, const char* symbol, Fn& target, bool required, const std::string& name) {
    target = reinterpret_cast<Fn>(::dlsym(handle, symbol));
    if (!target && required)
        throw platform::AppError(platform::errnum::LibraryLoad,
                                 "The GPIB driver library " + name + " has no function " + symbol,
                                 kSource);
}

GpibDriverApi resolveAll(void* handle, const std::string& name) {
    GpibDriverApi api;
    resolve(handle, "SendIFC", api.SendIFC, true, name);
    resolve(handle, "DevClear", api.DevClear, true, name);
    resolve(handle, "EnableLocal", api.EnableLocal, true, name);
    resolve(handle, "EnableRemote", api.EnableRemote, true, name);
    resolve(handle, "Send", api.Send, true, name);
    resolve(handle, "Receive", api.Receive, true, name);
    resolve(handle, "ReadStatusByte", api.ReadStatusByte, true, name);
    resolve(handle, "ibwait", api.ibwait, true, name);
    resolve(handle, "ibconfig", api.ibconfig, true, name);
    resolve(handle, "RegisterGpibGlobalsForThread", api.RegisterGpibGlobalsForThread, false, name);
    resolve(handle, "UnregisterGpibGlobalsForThread", api.UnregisterGpibGlobalsForThread, false,
            name);
    if (!api.registers()) {
        resolve(handle, "ThreadIbsta", api.ThreadIbsta, true, name);
        resolve(handle, "ThreadIberr", api.ThreadIberr, true, name);
        resolve(handle, "ThreadIbcnt", api.ThreadIbcnt, true, name);
        resolve(handle, "ThreadIbcntl", api.ThreadIbcntl, false, name);
    }
    api.family = familyOf(name);
    return api;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

DriverBinding::DriverBinding(DriverChoice choice) : choice_(std::move(choice)) {}

DriverBinding::~DriverBinding() {
    if (handle_)
        ::dlclose(handle_);
}

const GpibDriverApi& DriverBinding::api() {
    if (!handle_)
        bind();
    return api_;
}

void DriverBinding::bind() {
    std::string lastLoaderText = "no library name given";
    for (const std::string& name : choice_.libraries) {
        void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* error = ::dlerror();
            lastLoaderText = error ? error : "unknown loader error";
            if (!loaderSaysMissing(name, lastLoaderText))
                throw platform::AppError(platform::errnum::LibraryLoad,
                                         "The GPIB driver library " + name +
                                             " was refused by the loader: " + lastLoaderText,
                                         kSource);
            continue;
        }
        try {
            api_ = resolveAll(handle, name);
            if (!choice_.adapter.empty()) {
                adapter_.emplace(handle, name);
                adapter_->setTarget(choice_.adapter);
            }
        } catch (...) {
            adapter_.reset();
            ::dlclose(handle);
            throw;
        }
        handle_ = handle;
        boundName_ = name;
        return;
    }
    throw platform::AppError(platform::errnum::LibraryLoad,
                             "No GPIB driver library was found (tried " +
                                 joined(choice_.libraries) + "): " + lastLoaderText,
                             kSource);
}

void* DriverBinding::symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

std::string DriverBinding::description() const {
    if (!adapter_)
        return boundName_;
    const std::string version = adapter_->version();
    return kAdapterScheme + choice_.adapter + (version.empty() ? "" : " (" + version + ")");
}

DriverChoice DriverBinding::candidateNames(const std::optional<std::string>& option,
                                           const std::optional<std::string>& setting,
                                           const std::filesystem::path& libFolder) {
    std::optional<std::string> chosen = option;
    if (!chosen && setting && !setting->empty())
        chosen = setting;
    if (!chosen)
        return DriverChoice(kDefaultNames);
    if (*chosen == "sim")
        return {(libFolder / kSimulatorFile).string()};
    if (chosen->starts_with(kAdapterScheme))
        return DriverChoice({(libFolder / kAdapterFile).string()},
                            chosen->substr(std::string_view(kAdapterScheme).size()));
    return {*chosen};
}

} // namespace bus
