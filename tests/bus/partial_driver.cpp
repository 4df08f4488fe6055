// Exports the first driver functions only.
extern "C" {
void SendIFC(int) {}
void DevClear(int, unsigned short) {}
}
