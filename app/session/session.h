#pragma once

#include <functional>
#include <map>
#include <string>

namespace app {

// Who and what is measured: the sample, the device on it, who measures, and a word about it.
struct SampleIdentity {
    std::string sample;
    std::string device;
    std::string operatorName;
    std::string comment;

    bool operator==(const SampleIdentity&) const = default;
};

// What the user works on, kept in one place: the configuration file in use, the data file the
// next test writes and the sample's identity. Each has one setter; whoever shows one (the path
// box, the caption) observes the session instead of keeping a copy of its own.
class Session {
public:
    enum class Change { ConfigPath, DataTemplate, DataPath, Sample };
    using Observer = std::function<void(Change)>;

    // An observer's place in the session; the observer is forgotten when it goes.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription();

    private:
        friend class Session;
        Subscription(Session* session, int id) : session_(session), id_(id) {}

        Session* session_ = nullptr;
        int id_ = 0;
    };

    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The configuration file in use, empty when none: read from the application settings at
    // start-up, changed whenever a configuration is loaded or saved, written back at exit. A
    // configuration loaded or saved also ends a set-up taken from a run record.
    const std::string& configPath() const { return configPath_; }
    void setConfigPath(std::string path);
    // The run record whose set-up the panel holds (loaded with File > Load Config), empty while
    // the panel holds a configuration's. The configuration in use stays what it was, but is not
    // saved into while the panel holds another run's set-up.
    const std::string& runRecord() const { return runRecord_; }
    void setRunRecord(std::string record);
    // The data path as the user gives it (the path box shows it): a file, or a name with
    // placeholders ({sample}, {date} ...) that each test's start fills in.
    const std::string& dataTemplate() const { return dataTemplate_; }
    // A template without placeholders is the data path itself.
    void setDataTemplate(std::string path);
    // The data file the next test writes (the template filled in), empty when none is chosen.
    const std::string& dataPath() const { return dataPath_; }
    // The data file for this test (a name "Keep both" chose, say); it becomes the template too
    // unless the template holds placeholders, which the next test fills in anew.
    void setDataPath(std::string path);
    const SampleIdentity& sample() const { return sample_; }
    void setSample(SampleIdentity sample);

    // Tells the observer after every change that changes something.
    [[nodiscard]] Subscription observe(Observer observer);

private:
    void tell(Change change) const;

    std::string configPath_;
    std::string runRecord_;
    std::string dataTemplate_;
    std::string dataPath_;
    SampleIdentity sample_;
    std::map<int, Observer> observers_;
    int nextId_ = 1;
};

} // namespace app
