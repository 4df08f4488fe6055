#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gpibsim {

// One driver call as the trace shows it.
struct TraceEntry {
    double time = 0.0;
    std::string_view function;
    std::optional<int> board;   // "-" when the call has none
    std::optional<int> address; // "-" when the call has none
    std::string data;           // bytes or text; control bytes are escaped on the way out
    int ibsta = 0;
    int iberr = 0;
    std::vector<std::string> notes; // each becomes a field "note=..."
    std::optional<long> lost;       // total lost readings, when it grew during the call
};

// Appends one tab-separated line per call to a file, flushed at once so the trace survives a
// crash of the program under test:
//   time  function  board  address  data  ibsta=0x...  iberr=N  [note=...]...  [lost=N]
// Lines that belong to no call read: time  note  text.
class TraceWriter {
public:
    // A file that cannot be opened leaves the present trace as it was.
    bool open(const std::string& path);
    void close() { file_.reset(); }
    bool isOpen() const { return file_ != nullptr; }

    void write(const TraceEntry& entry);
    void note(double time, std::string_view text);

    static std::string line(const TraceEntry& entry);
    // CR, LF, tab and backslash as \r, \n, \t, \\; other control bytes as \xHH.
    static std::string escape(std::string_view bytes);

private:
    void put(const std::string& line);

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace gpibsim
