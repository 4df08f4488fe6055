#pragma once

namespace app {

class frmMain;
class TestRunPanel;

// What a stop signal (SIGTERM, SIGINT, SIGHUP) does to the program: every dialog that is open
// closes with its safe answer (a journal offer "Later", a save dialog Cancel), a running test
// stops as Abort stops it (the instrument idle, the readings written, nobody asked), and once no
// test runs or ends and no dialog is open, the window closes as File > Exit closes it and the
// program exits with 128 + the signal. A headless run ends on its own, with that status.
void StopOnSignal(frmMain& window, TestRunPanel& panel, int signal, bool headless);

// Closes every modal dialog that is open, each as its Escape key would.
void CloseDialogs();

} // namespace app
