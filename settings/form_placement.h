#pragma once

// Saving and restoring a window's position and size in section "FORM_PLACEMENT" of its default
// file, in twips (1/1440 inch) of the outer frame, so files keep their meaning across screens.
// The file argument: empty for <program folder>/<window's objectName>.ini; a name without "/"
// for <program folder>/<name>.ini; a path with "/" for that file (a folder gets
// <window's objectName>.ini appended).

#include <string>

class QWidget;

namespace settings {

// Writes Left, Top, Width and Height unless the window is minimized (where the window system
// ignores positions, only Width and Height, so the stored position survives). True when
// written or when there was nothing to write; false when the file could not be written, with
// the reason left as the current error.
bool SaveFormPlacement(const QWidget& window, const std::string& fileOrName = {});

// Moves the window to the stored Left and Top and, when it is resizable, gives it the stored
// Width and Height; a missing key keeps the current value. The result is kept on an available
// screen; where the window system ignores positions only the size applies. Any failure leaves
// the window as it was.
void LoadFormPlacement(QWidget& window, const std::string& fileOrName = {});

} // namespace settings
