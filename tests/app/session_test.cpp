// The session keeps the paths and the sample in one place and tells its observers of changes;
// a data path may be a template whose placeholders each test fills in.

#include "app/session/data_path_template.h"
#include "app/session/session.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Change = app::Session::Change;

TEST(Session, TellsEachObserverOfEveryRealChangeUntilItGoes) {
    app::Session session;
    std::vector<Change> heard;
    std::vector<Change> heardToo;
    auto first = session.observe([&](Change change) { heard.push_back(change); });
    {
        auto second = session.observe([&](Change change) { heardToo.push_back(change); });
        session.setConfigPath("/c/iv.ini");
        session.setConfigPath("/c/iv.ini"); // no change, nothing told
        session.setRunRecord("/d/iv.run.ini");
    }
    session.setSample({"W12", "D3", "A. Lab", "after anneal"});
    EXPECT_EQ(heard, (std::vector{Change::ConfigPath, Change::ConfigPath, Change::Sample}));
    EXPECT_EQ(heardToo, (std::vector{Change::ConfigPath, Change::ConfigPath}));
    session.setConfigPath("/c/iv.ini"); // the same path, but it ends the run record's set-up
    EXPECT_EQ(session.runRecord(), "");

    app::Session::Subscription moved = std::move(first);
    session.setSample({});
    EXPECT_EQ(heard.size(), 5u); // a moved subscription still hears
}

TEST(Session, ATemplateIsFilledInForEachTestAndAPlainPathIsItsOwnDataFile) {
    app::Session session;
    session.setSample({"W12/b", "D3", "", ""});
    session.setDataTemplate("/d/{sample}_{device}_{function}_{step}_{value}V.txt");
    EXPECT_EQ(session.dataPath(), "");
    const auto start = std::chrono::system_clock::now();
    app::DataPathValues values = app::dataPathValuesFor(session, hp4140::Function::IV, start);
    values.step = 3;
    values.steps = 12;
    values.value = "2.5";
    session.setDataPath(app::expandDataPath(session.dataTemplate(), values));
    EXPECT_EQ(session.dataPath(), "/d/W12_b_D3_IV_03_2.5V.txt"); // no folder from a value
    EXPECT_EQ(session.dataTemplate(), "/d/{sample}_{device}_{function}_{step}_{value}V.txt");
    values.step.reset();
    EXPECT_EQ(app::expandDataPath("{date}-{step}{nothing}.txt", values).size(),
              std::string("20261208-{nothing}.txt").size());

    session.setDataTemplate("/d/iv.txt");
    EXPECT_EQ(session.dataPath(), "/d/iv.txt");
    session.setDataPath("/d/iv-2.txt"); // "Keep both": the next test counts on from there
    EXPECT_EQ(session.dataTemplate(), "/d/iv-2.txt");
}

} // namespace
