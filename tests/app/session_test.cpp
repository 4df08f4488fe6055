// The session keeps the paths and the sample in one place and tells its observers of changes.

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
        session.setDataPath("/d/iv.txt");
        session.setDataPath("/d/iv.txt"); // no change, nothing told
        session.setConfigPath("/c/iv.ini");
    }
    session.setSample({"W12", "D3", "A. Lab", "after anneal"});
    EXPECT_EQ(heard, (std::vector{Change::DataPath, Change::ConfigPath, Change::Sample}));
    EXPECT_EQ(heardToo, (std::vector{Change::DataPath, Change::ConfigPath}));
    EXPECT_EQ(session.sample().device, "D3");

    app::Session::Subscription moved = std::move(first);
    session.setDataPath("");
    EXPECT_EQ(heard.size(), 4u); // a moved subscription still hears
}

} // namespace
