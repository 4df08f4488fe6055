// A test cut short by SIGKILL in real time: what its journal holds, against what the instrument
// sent, and what the window does with it when the program starts again.

#include "app/application.h"
#include "app/datafile/data_collection.h"
#include "app/datafile/data_file_text.h"
#include "app/datafile/file_dialogs.h"
#include "app/journal_offers.h"
#include "app/panel/field_descriptions.h"
#include "app/window/frm_main.h"
#include "hp4140/parse_hp4140_data.h"
#include "platform/message_box.h"
#include "program_folder_support.h"
#include "quenta/numtext/numtext.h"
#include "support/sim_library.h"
#include "support/started_process.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The replies the instrument sent, in order, as the trace shows them (CR LF left off).
std::vector<std::string> repliesIn(const std::string& trace) {
    std::vector<std::string> replies;
    for (const std::string& line : split(trace, "\n")) {
        const std::vector<std::string> fields = split(line, "\t");
        if (fields.size() > 4 && fields[1] == "Receive")
            replies.push_back(fields[4].substr(0, fields[4].find("\\r\\n")));
    }
    return replies;
}

// The line the data file holds for reading `index`, read as the reply says, at the time the
// journal gives (the one thing the trace cannot tell).
std::string dataFileLine(std::int32_t index, const std::string& reply, const std::string& raw,
                         const std::string& time) {
    EXPECT_TRUE(raw.starts_with(reply) && raw.find_first_not_of(' ', reply.size()) == raw.npos)
        << raw;
    HP4140DataType reading;
    reading.Index = index;
    reading.RawData = raw;
    reading.Timerel = static_cast<float>(numtext::readNumber(time));
    EXPECT_TRUE(ParseHP4140Data(reading, nullptr)) << reply;
    std::string line;
    datafile::appendDataFileLine(line, reading, "Amps");
    return line;
}

TEST(JournalRecovery, AKilledTestLeavesItsReadingsInAJournalThatTheWindowRecovers) {
    apptest::ScopedProgramFolder programFolder;
    testsupport::TempFolder folder;
    testsupport::putFile(folder / "i.ini", "[FORM]\noptionFunction(0)=1\ntxtSampleRate=0.1\n"
                                           "txtTotalTestTime=600\ntxtGPIBAddress=16\n");
    const fs::path data = programFolder / "data/i.txt";
    const fs::path journal = programFolder / "data/i.txt.partial";
    {
        testsupport::Started tarvix({(testsupport::buildDir() / "bin" / "tarvix4140").string(),
                                     "--app-dir", programFolder.program().string(), "--driver",
                                     "sim", "--run", (folder / "i.ini").string(), "--data",
                                     data.string()},
                                    {"QT_QPA_PLATFORM=offscreen", "HOME=" + folder.path().string(),
                                     "TARVIX_GPIBSIM_TRACE=" + (folder / "trace.txt").string()});
        ASSERT_TRUE(testsupport::waitFor(
            [&] { return repliesIn(fileText(folder / "trace.txt")).size() >= 5; }));
        EXPECT_EQ(tarvix.stop(SIGKILL), -1);
    }
    const std::vector<std::string> replies = repliesIn(fileText(folder / "trace.txt"));
    ASSERT_TRUE(fs::exists(journal));
    std::vector<std::string> lines = split(fileText(journal), "\r\n");
    ASSERT_EQ(lines.back(), ""); // every line the journal holds is whole
    lines.pop_back();
    ASSERT_EQ(lines.front(), datafile::kDataFileHeader);
    const std::size_t taken = lines.size() - 1;
    EXPECT_TRUE(taken == replies.size() || taken + 1 == replies.size())
        << taken << " readings in the journal, " << replies.size() << " read";
    for (std::size_t i = 1; i <= taken; ++i) {
        const std::vector<std::string> fields = split(lines[i], "\t");
        ASSERT_EQ(fields.size(), 7u) << lines[i];
        EXPECT_EQ(lines[i],
                  dataFileLine(static_cast<std::int32_t>(i), replies[i - 1], fields[6], fields[1]));
    }

    app::Application application({}, 0);
    app::frmMain window(application, app::FieldDescriptions::load(app::kMainWindowFields),
                        std::make_unique<app::ScriptedFileDialogs>());
    platform::ScopedRecordingMessageBox box; // answers as Enter would: "Recover", then OK
    app::OfferJournals(window);
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].answers, (std::vector<std::string>{"Recover", "Discard", "Later"}));
    EXPECT_NE(box->shown()[0].text.find(journal.string()), std::string::npos);
    const fs::path recovered = programFolder / "data/i-recovered.txt";
    EXPECT_NE(box->shown()[1].text.find(recovered.string()), std::string::npos);
    std::ostringstream expected;
    for (const std::string& line : lines)
        expected << line << "\r\n";
    EXPECT_EQ(fileText(recovered), expected.str());
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(application.readings().Count(), taken);
}

} // namespace
