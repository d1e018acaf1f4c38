// Keeps the recovery copy of the layout being edited in step with it: a short while after each
// change the copy is written (on a worker thread), a layout back at its saved state or replaced
// loses it, and at start-up copies left by an editor that ended without saving are offered.
#pragma once

#include "app/RecoveryStore.h"

#include <QObject>
#include <QTimer>
#include <optional>

namespace tobirae {

class EditorDocument;

class RecoveryKeeper final : public QObject {
    Q_OBJECT
public:
    // How long after a change the copy is written: a drag or a run of typing is one write.
    static constexpr int kDelayMs = 1000;

    RecoveryKeeper(EditorDocument& editor, const QString& folder, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // The layout was saved or its changes deliberately thrown away: no copy is kept.
    void layoutKept();
    // Writes the copy now if one is due, and waits until it is on disk.
    void flush();
    RecoveryStore& store() { return store_; }

signals:
    // The copy could not be written (a full or read-only state folder); said once per editor.
    void copyFailed(const QString& message);

private:
    void changed();
    void writeCopy();

    EditorDocument& editor_;
    RecoveryStore store_;
    QTimer timer_;
    bool failureSaid_ = false;
};

} // namespace tobirae
