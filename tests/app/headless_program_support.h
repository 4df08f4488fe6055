#pragma once

// The program itself, run headless on the simulator as a lab script would run it, with what it
// writes kept for the test to read.

#include "support/sim_library.h"
#include "support/started_process.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace headlesstest {

namespace fs = std::filesystem;
using testsupport::fileText;
using testsupport::putFile;
using testsupport::Started;
using testsupport::waitFor;

inline std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

inline fs::path example(const char* name) {
    return testsupport::buildDir() / "share" / "tarvix-4140" / "config" / name;
}

inline long lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

class HeadlessProgram : public testing::Test {
protected:
    // Runs the program with the arguments; standard error is kept in errors().
    int run(const std::string& arguments, const std::string& faults = "") {
        putFile(folder / "sim.ini", "[faults]\n" + faults);
        const std::string command = environment() + quoted(program()) + " --app-dir " +
                                    quoted(folder / "program") + " " + arguments + " 2>" +
                                    quoted(folder / "stderr.txt");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A dry run of the configuration into out.txt.
    int dryRun(const fs::path& config, const std::string& faults = "",
               const std::string& more = "") {
        return run("--driver sim --dry-run --run " + quoted(config) + " --data " +
                       quoted(folder / "out.txt") + " " + more,
                   faults);
    }

    std::string environment() const {
        return "TARVIX_GPIBSIM_TRACE=" + quoted(folder / "trace.txt") +
               " TARVIX_GPIBSIM_CONFIG=" + quoted(folder / "sim.ini") + " ";
    }
    static fs::path program() { return testsupport::buildDir() / "bin" / "tarvix4140"; }
    std::string errors() const { return fileText(folder / "stderr.txt"); }
    std::string lastError() const {
        std::string text = errors();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text.substr(text.find_last_of("\n\r") + 1);
    }
    std::string trace() const { return fileText(folder / "trace.txt"); }
    std::string data() const { return fileText(folder / "out.txt"); }

    testsupport::TempFolder folder;
};

// The example's sweep with other settings ("txtConfig(1)=20" and the like).
inline fs::path exampleWith(const fs::path& folder, const std::vector<std::string>& changes) {
    std::string config = fileText(example("IV_diode_sweep.ini"));
    for (const std::string& change : changes) {
        const std::string key = change.substr(0, change.find('=') + 1);
        const std::size_t at = config.find("\n" + key);
        if (at == std::string::npos)
            config += change + "\n";
        else
            config.replace(at + 1, config.find('\n', at + 1) - at - 1, change);
    }
    putFile(folder / "changed.ini", config);
    return folder / "changed.ini";
}

inline std::vector<std::string> offscreenEnvironment(const fs::path& folder) {
    return {"QT_QPA_PLATFORM=offscreen", "HOME=" + folder.string(),
            "TARVIX_GPIBSIM_TRACE=" + (folder / "trace.txt").string()};
}

} // namespace headlesstest
