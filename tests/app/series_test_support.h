#pragma once

// A panel as a series sees it: some keys, and the fields and option groups a series can step.

#include "app/series/panel_fields.h"

namespace seriestest {

inline series::PanelFields panelFields() {
    std::vector<std::string> keys;
    for (int i = 0; i < 8; ++i)
        keys.push_back("txtConfig(" + std::to_string(i) + ")");
    for (int i = 0; i < 5; ++i)
        keys.push_back("optionRamp(" + std::to_string(i) + ")");
    for (const char* key : {"optionVB(0)", "optionVB(1)", "txtSampleRate", "chkYLog"})
        keys.emplace_back(key);
    return series::PanelFields(
        keys, {{"txtConfig(1)", "Stop Voltage", "V", {}},
               {"txtConfig(6)", "VB", "V", {}},
               {"txtSampleRate", "Sample Rate", "s", {}},
               {"optionRamp",
                "Voltage Ramp",
                {},
                {"Sweep up", "Sweep up/dn", "Stair up", "Stair up/dn", "Constant"}}});
}

} // namespace seriestest
