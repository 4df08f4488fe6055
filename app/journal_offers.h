#pragma once

// The journals of tests that did not end, looked for when the program starts: beside the data
// paths it knows and in <program folder>/data/.

#include <string>
#include <vector>

namespace app {

class frmMain;

// With a window: each journal found is offered ("Recover", "Discard", "Later"), and the readings
// of a recovered one are shown. The window's data path is the one looked beside.
void OfferJournals(frmMain& window);

// What a run nobody watches says of each journal it finds (it leaves them).
std::vector<std::string> JournalsFoundTexts(const std::vector<std::string>& dataPaths);

} // namespace app
