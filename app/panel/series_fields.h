#pragma once

#include "app/series/panel_fields.h"

namespace settings {
class ControlRegistry;
}

namespace app {

class FieldDescriptions;

// The window's keys and the fields a series can step, named as the window shows them: each
// numeric field by its legend name (the description's, else its caption without a unit in
// parentheses: "dV/dt" for "dV/dt (V/s)") and its unit; each option group by the title of its
// frame (with the label of its column, as "Current Limits VB") and its buttons' captions.
series::PanelFields seriesFieldsOf(const settings::ControlRegistry& controls,
                                   const FieldDescriptions& fields);

} // namespace app
