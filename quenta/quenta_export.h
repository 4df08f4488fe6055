#pragma once

#include <QtCore/qglobal.h>

// libquenta.so is built with hidden visibility: only what carries QUENTA_EXPORT is part of the
// library's interface. Everything else, numtext included, stays inside the library.
#if defined(QUENTA_LIBRARY)
#define QUENTA_EXPORT Q_DECL_EXPORT
#else
#define QUENTA_EXPORT Q_DECL_IMPORT
#endif
