#include "session.h"

#include "data_path_template.h"

#include <utility>

namespace app {

Session::Subscription::Subscription(Subscription&& other) noexcept
    : session_(std::exchange(other.session_, nullptr)), id_(other.id_) {}

Session::Subscription& Session::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        if (session_)
            session_->observers_.erase(id_);
        session_ = std::exchange(other.session_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

Session::Subscription::~Subscription() {
    if (session_)
        session_->observers_.erase(id_);
}

void Session::setConfigPath(std::string path) {
    if (path == configPath_ && runRecord_.empty())
        return;
    configPath_ = std::move(path);
    runRecord_.clear();
    tell(Change::ConfigPath);
}

void Session::setRunRecord(std::string record) {
    if (record == runRecord_)
        return;
    runRecord_ = std::move(record);
    tell(Change::ConfigPath);
}

void Session::setDataTemplate(std::string path) {
    if (path != dataTemplate_) {
        dataTemplate_ = path;
        tell(Change::DataTemplate);
    }
    if (!hasPlaceholders(dataTemplate_) && path != dataPath_) {
        dataPath_ = std::move(path);
        tell(Change::DataPath);
    }
}

void Session::setDataPath(std::string path) {
    if (!hasPlaceholders(dataTemplate_)) {
        setDataTemplate(std::move(path));
        return;
    }
    if (path == dataPath_)
        return;
    dataPath_ = std::move(path);
    tell(Change::DataPath);
}

void Session::setSample(SampleIdentity sample) {
    if (sample == sample_)
        return;
    sample_ = std::move(sample);
    tell(Change::Sample);
}

Session::Subscription Session::observe(Observer observer) {
    const int id = nextId_++;
    observers_.emplace(id, std::move(observer));
    return Subscription(this, id);
}

// An observer may subscribe or go while it is told: the others are told from a copy.
void Session::tell(Change change) const {
    const std::map<int, Observer> observers = observers_;
    for (const auto& [id, observer] : observers)
        if (observers_.contains(id))
            observer(change);
}

} // namespace app
