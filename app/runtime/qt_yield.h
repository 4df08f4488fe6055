#pragma once

#include "platform/yield.h"

#include <QCoreApplication>

namespace runtime {

// Hands control to Qt's event loop once, so window events run inside a long wait.
class QtYield final : public platform::Yield {
public:
    void yield() override { QCoreApplication::processEvents(); }
};

} // namespace runtime
