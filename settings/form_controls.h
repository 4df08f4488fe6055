#pragma once

#include "settings/control_registry.h"
#include "settings/ini_document.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace settings {

// Runs a control's focus-loss handling (a numeric field's validation, then the window's own
// handler), as moving the focus through the window would.
using FocusLossHandler = std::function<void(const RegisteredControl&)>;
// Told of each numeric field given a value from the file, once the field has taken it (it may
// have had to change it to hold it): the control and the value as the file has it.
using StoredValueHandler = std::function<void(const RegisteredControl&, const QString& stored)>;

// Restores the window's controls from section "FORM" of the file, in creation order, each
// falling back to its current value; then, for a shown window, runs the focus-loss handling of
// every control that can take the focus. An option button's selection fires its click handler
// as a user's click would.
void LoadFormControls(const QWidget& window, const ControlRegistry& controls,
                      const IniDocument& file, const FocusLossHandler& focusLost,
                      const StoredValueHandler& storedValue = {});
// The same from a file, read once; a missing or unreadable file leaves every control as it was.
void LoadFormControls(const QWidget& window, const ControlRegistry& controls,
                      const std::filesystem::path& file, const FocusLossHandler& focusLost);

// The keys of section "FORM" that the controls are saved under (labels left out).
std::vector<std::string> FormKeys(const ControlRegistry& controls);

// The keys and values SaveFormControls writes to a new file, in creation order: every control's
// value but the labels', empty values left out.
std::vector<std::pair<std::string, std::string>> FormValues(const ControlRegistry& controls);

// Saves the window's controls to section "FORM" in one write; empty values are never written,
// labels only when the file already holds them and skipLabels is false. Nothing is written for
// a minimized or hidden window. A failed write is shown once (ShowCurrentError) and returns
// false.
bool SaveFormControls(const QWidget& window, const ControlRegistry& controls,
                      const std::filesystem::path& file, bool skipLabels);

// The file a window's controls use when no configuration file is named: its default file.
std::filesystem::path DefaultFormFile(const QWidget& window);

} // namespace settings
