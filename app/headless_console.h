#pragma once

#include "app/window/run_reporter.h"
#include "platform/message_box.h"

#include <cstdio>
#include <string>

namespace app {

// Standard error of a headless run, the one thing that writes it: the progress line, every
// message box's text (answered with its default, nobody being there), every note, each starting
// on a line of its own, and how the run ended, last. On a terminal the progress line is
// rewritten in place; in a file (a log of a script) a progress line is written at each tenth of
// the run, each on a line of its own.
class HeadlessConsole final : public platform::MessageBox, public RunReporter {
public:
    // Writes to the stream; whether it is a terminal decides how progress is shown.
    explicit HeadlessConsole(std::FILE* stream);
    HeadlessConsole(std::FILE* stream, bool terminal);

    int show(const std::string& text, const std::string& title, int style) override;
    std::size_t ask(const std::string& text, const std::vector<std::string>& answers,
                    std::size_t defaultAnswer) override;

    void progressed(const testrun::TestRun& run) override;
    void note(const std::string& line) override;

    // The end of a run: its last progress line, then "The test ran to its end." (or how else it
    // ended).
    void ended(const testrun::TestRun& run);

private:
    void showProgress(const std::string& text);
    void endProgressLine();
    void line(const std::string& text);

    std::FILE* stream_;
    bool terminal_;
    bool progressOpen_ = false;
    std::size_t progressWidth_ = 0;
    std::string shownText_;
    int tenthsShown_ = -1;
    double lastShownAt_ = -1.0;
};

} // namespace app
