#include "app/SettingsKeeper.h"

namespace tobirae {

SettingsKeeper::SettingsKeeper(std::function<AppSettings()> current, QObject* parent,
                               int gatherMs)
    : QObject(parent), current_(std::move(current)) {
    gather_.setSingleShot(true);
    gather_.setInterval(gatherMs);
    connect(&gather_, &QTimer::timeout, this, &SettingsKeeper::hand);
    worker_ = std::thread([this] { run(); });
}

SettingsKeeper::~SettingsKeeper() {
    // A write already handed over is finished; a change not yet handed over is the owner's to
    // flush while its settings still exist.
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void SettingsKeeper::changed() {
    dirty_ = true;
    gather_.start();
}

void SettingsKeeper::hand() {
    gather_.stop();
    dirty_ = false;
    AppSettings snapshot = current_();
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(snapshot);
    }
    wake_.notify_all();
}

void SettingsKeeper::flush() {
    if (dirty_)
        hand();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !writing_; });
}

std::optional<QString> SettingsKeeper::lastError() const {
    const std::lock_guard lock(mutex_);
    return error_;
}

int SettingsKeeper::writesDone() const {
    const std::lock_guard lock(mutex_);
    return writes_;
}

void SettingsKeeper::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || pending_; });
        if (!pending_) // stopping with nothing left
            return;
        // Only the newest settings matter: later changes replace a write not yet begun.
        AppSettings settings = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        const std::optional<QString> error = saveAppSettings(settings);
        lock.lock();
        writing_ = false;
        error_ = error;
        ++writes_;
        if (!pending_)
            idle_.notify_all();
    }
}

} // namespace tobirae
