#pragma once

#include <functional>

namespace platform {

// Hands control to the event loop once, so window events can run inside a long wait.
class Yield {
public:
    virtual ~Yield() = default;
    virtual void yield() = 0;
};

// Counts the yields and runs an optional hook at each, for tests that act "during" a wait.
class CountingYield final : public Yield {
public:
    void yield() override {
        ++count_;
        if (hook_)
            hook_();
    }
    int count() const { return count_; }
    void setHook(std::function<void()> hook) { hook_ = std::move(hook); }

private:
    int count_ = 0;
    std::function<void()> hook_;
};

} // namespace platform
