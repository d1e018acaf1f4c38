// Writes the settings file whenever a setting changes, so that a crash loses none: changes close
// together are gathered into one write, which runs on a thread of its own and replaces the file
// atomically (the writer keeps the file's other lines, as at exit).
#pragma once

#include "app/AppSettings.h"

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace tobirae {

class SettingsKeeper final : public QObject {
public:
    // `current` gives the settings as they are now; it is called on this object's thread.
    explicit SettingsKeeper(std::function<AppSettings()> current, QObject* parent = nullptr,
                            int gatherMs = 200);
    // Finishes a write under way; the owner calls flush() first for a change not yet handed over.
    ~SettingsKeeper() override;

    // Something changed: the settings are written shortly.
    void changed();
    // Writes a pending change now and waits until the file is written.
    void flush();
    // Why the last write failed; nothing when it succeeded.
    std::optional<QString> lastError() const;
    int writesDone() const;

private:
    void hand();
    void run();

    std::function<AppSettings()> current_;
    QTimer gather_;
    bool dirty_ = false; // a change not yet handed to the worker
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<AppSettings> pending_;
    bool writing_ = false;
    bool stop_ = false;
    int writes_ = 0;
    std::optional<QString> error_;
    std::thread worker_;
};

} // namespace tobirae
