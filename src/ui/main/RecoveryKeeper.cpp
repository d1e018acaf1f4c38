#include "ui/main/RecoveryKeeper.h"

#include "document/LayoutFile.h"
#include "ui/editing/EditorDocument.h"

namespace tobirae {

RecoveryKeeper::RecoveryKeeper(EditorDocument& editor, const QString& folder, QObject* parent)
    : QObject(parent), editor_(editor), store_(folder) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&editor_, &EditorDocument::modifiedChanged, this, &RecoveryKeeper::changed);
    // The store calls on its writer thread; the message belongs to the interface thread.
    store_.onFailure([this](const QString& error) {
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                if (failureSaid_)
                    return;
                failureSaid_ = true;
                emit copyFailed(QStringLiteral("復元用のコピーを保存できません。異常終了すると"
                                               "編集内容が失われます。\r\n") +
                                error);
            },
            Qt::QueuedConnection);
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    store_.waitForWrites();
    store_.onFailure({});
}

void RecoveryKeeper::changed() {
    if (editor_.isModified()) {
        if (!timer_.isActive())
            timer_.start();
        return;
    }
    timer_.stop();
    store_.discard();
}

void RecoveryKeeper::writeCopy() {
    if (!editor_.isModified()) {
        store_.discard();
        return;
    }
    // Serialising a full layout takes well under a millisecond; the disk is the worker's.
    store_.keep(serializeLayout(layoutFromDocument(editor_.document())), editor_.document().path());
}

void RecoveryKeeper::layoutKept() {
    timer_.stop();
    store_.discard();
}

void RecoveryKeeper::flush() {
    if (timer_.isActive()) {
        timer_.stop();
        writeCopy();
    }
    store_.waitForWrites();
}

} // namespace tobirae
