// Recovery copies of edited layouts, kept in the user's state folder so that a crash or a power
// cut costs no edit. Each running editor has one copy of its own, guarded by a lock file that
// lives as long as the editor: copies whose lock is held belong to an editor still running and
// are never offered to another one.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace tobirae {

struct RecoveryCopy {
    QString copyPath;   // the copy's own file
    QString layoutPath; // the layout's file; empty for a layout that has none yet
    QDateTime written;
    QByteArray layoutBytes; // the layout file's bytes as edited
    QString damage;         // non-empty: the copy cannot be used, and this says why
};

// The copy's file: a first line naming the format, the layout path (percent-encoded UTF-8), the
// time (ISO 8601, UTC), then the layout bytes.
QByteArray encodeRecoveryCopy(const QByteArray& layoutBytes, const QString& layoutPath,
                              const QDateTime& written);
std::optional<RecoveryCopy> decodeRecoveryCopy(const QByteArray& bytes);

class RecoveryStore {
public:
    // $XDG_STATE_HOME/Tobirae, or ~/.local/state/Tobirae.
    static QString defaultFolder();

    explicit RecoveryStore(QString folder = defaultFolder());
    ~RecoveryStore(); // waits for the copy being written; the copy itself stays
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Replaces this editor's copy, atomically, on a worker thread; a link in its place is
    // replaced, never followed. Writes happen in the order asked; the error of the last one
    // that failed is kept, and handed to the failure handler (on the worker thread).
    void keep(const QByteArray& layoutBytes, const QString& layoutPath);
    std::optional<QString> lastError() const;
    void onFailure(std::function<void(const QString&)> handler) { failed_ = std::move(handler); }
    // Removes this editor's copy (after the pending write).
    void discard();
    // Waits until every write and removal asked for has happened.
    void waitForWrites();
    QString ownCopyPath() const { return ownCopy_; }

    // Copies left by editors that are no longer running, newest first; damaged ones (named in
    // `damage`) after them. Links are not followed.
    std::vector<RecoveryCopy> orphanedCopies() const;
    // Removes a copy that was offered (taken back or declined).
    static void removeCopy(const RecoveryCopy& copy);

private:
    void ensureOwnCopyName();

    QString folder_;
    QString ownCopy_;
    std::unique_ptr<QLockFile> lock_;
    std::function<void(const QString&)> failed_;
    mutable QMutex errorMutex_;
    std::optional<QString> lastError_;
    QThreadPool writer_;
};

} // namespace tobirae
