#pragma once

#include "panel_fields.h"
#include "settings/ini_document.h"

#include <string>

namespace series {

// A run record's (or a configuration's) set-up as the legend names its fields, one a line:
// "Function = I-V", "Start Voltage = 0 V" ... Fields the document leaves out are left out.
std::string setUpText(const PanelFields& fields, const settings::IniDocument& document);

} // namespace series
