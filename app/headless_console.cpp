#include "app/headless_console.h"

#include "app/testrun/test_run.h"

#include <cmath>
#include <unistd.h>

namespace app {

namespace {

// A run with no end of its own (a Constant ramp) has no tenths: a line now and then instead.
constexpr double kOpenEndedEvery = 60.0;

} // namespace

HeadlessConsole::HeadlessConsole(std::FILE* stream)
    : HeadlessConsole(stream, ::isatty(::fileno(stream)) == 1) {}

HeadlessConsole::HeadlessConsole(std::FILE* stream, bool terminal)
    : stream_(stream), terminal_(terminal) {}

int HeadlessConsole::show(const std::string& text, const std::string& title, int style) {
    line((title.empty() ? platform::kAppTitle : title) + ": " + text);
    return platform::defaultAnswer(style);
}

std::size_t HeadlessConsole::ask(const std::string& text, const std::vector<std::string>& answers,
                                 std::size_t defaultAnswer) {
    line(std::string(platform::kAppTitle) + ": " + text);
    if (defaultAnswer < answers.size())
        line(std::string(platform::kAppTitle) + ": " + answers[defaultAnswer]);
    return defaultAnswer;
}

void HeadlessConsole::progressed(const testrun::TestRun& run) {
    const testrun::RunProgress progress = run.progress();
    if (terminal_) {
        showProgress(progress.text);
        return;
    }
    const double elapsed = run.elapsedSeconds();
    if (progress.fraction) {
        const int tenths = static_cast<int>(std::floor(*progress.fraction * 10.0));
        if (tenths <= tenthsShown_)
            return;
        tenthsShown_ = tenths;
    } else if (lastShownAt_ >= 0.0 && elapsed - lastShownAt_ < kOpenEndedEvery) {
        return;
    }
    lastShownAt_ = elapsed;
    line(progress.text);
}

void HeadlessConsole::note(const std::string& text) {
    line(text);
}

void HeadlessConsole::ended(const testrun::TestRun& run) {
    const std::string last = run.progress().text;
    if (terminal_)
        showProgress(last);
    else if (tenthsShown_ < 10)
        line(last);
    line("The test " + run.lastReport().summary() + ".");
    // The next test (of a series) shows its progress anew.
    tenthsShown_ = -1;
    lastShownAt_ = -1.0;
}

// Blanks cover what a longer text before it left.
void HeadlessConsole::showProgress(const std::string& text) {
    if (progressOpen_ && text == shownText_)
        return;
    shownText_ = text;
    const std::size_t blanks = progressWidth_ > text.size() ? progressWidth_ - text.size() : 0;
    std::fprintf(stream_, "\r%s%*s", text.c_str(), static_cast<int>(blanks), "");
    std::fflush(stream_);
    progressWidth_ = std::max(progressWidth_, text.size());
    progressOpen_ = true;
}

void HeadlessConsole::endProgressLine() {
    if (!progressOpen_)
        return;
    std::fputc('\n', stream_);
    progressOpen_ = false;
    progressWidth_ = 0;
}

void HeadlessConsole::line(const std::string& text) {
    endProgressLine();
    std::fprintf(stream_, "%s\n", text.c_str());
    std::fflush(stream_);
}

} // namespace app
