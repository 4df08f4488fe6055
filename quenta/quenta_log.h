#pragma once

#include <QLoggingCategory>

namespace quenta {

// Developer diagnostics of the control library.
Q_DECLARE_LOGGING_CATEGORY(lcQuenta)

} // namespace quenta
