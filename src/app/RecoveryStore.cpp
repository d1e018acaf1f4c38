#include "app/RecoveryStore.h"

#include "files/AtomicFile.h"
#include "files/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QUrl>
#include <algorithm>

namespace tobirae {

namespace {

const QByteArray kMagic = "Tobirae recovery copy 1";
const QString kSuffix = QStringLiteral(".recovery");
// A recovery copy holds one layout file and a few lines.
constexpr qint64 kMaxCopyBytes = qint64(64) << 20;

QString lockPathOf(const QString& copy) {
    return copy + QStringLiteral(".lock");
}

} // namespace

QByteArray encodeRecoveryCopy(const QByteArray& layoutBytes, const QString& layoutPath,
                              const QDateTime& written) {
    QByteArray out;
    out.reserve(layoutBytes.size() + 256);
    out += kMagic + '\n';
    out += QUrl::toPercentEncoding(layoutPath, "/") + '\n';
    out += written.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    out += layoutBytes;
    return out;
}

std::optional<RecoveryCopy> decodeRecoveryCopy(const QByteArray& bytes) {
    const qsizetype first = bytes.indexOf('\n');
    const qsizetype second = bytes.indexOf('\n', first + 1);
    const qsizetype third = bytes.indexOf('\n', second + 1);
    if (first < 0 || second < 0 || third < 0 || bytes.left(first) != kMagic)
        return std::nullopt;
    RecoveryCopy copy;
    copy.layoutPath = QUrl::fromPercentEncoding(bytes.mid(first + 1, second - first - 1));
    copy.written = QDateTime::fromString(
        QString::fromLatin1(bytes.mid(second + 1, third - second - 1)), Qt::ISODateWithMs);
    if (!copy.written.isValid())
        return std::nullopt;
    copy.layoutBytes = bytes.mid(third + 1);
    return copy;
}

QString RecoveryStore::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tobirae");
}

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {
    writer_.setMaxThreadCount(1); // one at a time, in the order asked
}

RecoveryStore::~RecoveryStore() {
    writer_.waitForDone();
}

void RecoveryStore::ensureOwnCopyName() {
    if (!ownCopy_.isEmpty())
        return;
    QDir().mkpath(folder_);
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ownCopy_ = QDir(folder_).filePath(
        QStringLiteral("edit-%1-%2")
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
        kSuffix);
    lock_ = std::make_unique<QLockFile>(lockPathOf(ownCopy_));
    lock_->setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
    lock_->tryLock(0);
}

void RecoveryStore::keep(const QByteArray& layoutBytes, const QString& layoutPath) {
    ensureOwnCopyName();
    const QString target = ownCopy_;
    const QDateTime now = QDateTime::currentDateTime();
    writer_.start([this, target, layoutBytes, layoutPath, now] {
        std::optional<QString> error =
            writeFileAtomically(target, encodeRecoveryCopy(layoutBytes, layoutPath, now),
                                AtomicFile::Durability::Sync, AtomicFile::Links::Replace);
        {
            QMutexLocker lock(&errorMutex_);
            lastError_ = error;
        }
        if (error && failed_)
            failed_(*error);
    });
}

void RecoveryStore::discard() {
    if (ownCopy_.isEmpty())
        return;
    const QString target = ownCopy_;
    writer_.start([target] { QFile::remove(target); });
}

std::optional<QString> RecoveryStore::lastError() const {
    QMutexLocker lock(&errorMutex_);
    return lastError_;
}

void RecoveryStore::waitForWrites() {
    writer_.waitForDone();
}

std::vector<RecoveryCopy> RecoveryStore::orphanedCopies() const {
    std::vector<RecoveryCopy> copies;
    const QDir folder(folder_);
    std::vector<RecoveryCopy> damaged;
    for (const QString& name :
         folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::System)) {
        const QString path = folder.filePath(name);
        if (path == ownCopy_)
            continue;
        QLockFile lock(lockPathOf(path));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // its editor is still running
        lock.unlock();
        RecoveryCopy bad;
        bad.copyPath = path;
        QFile file;
        switch (openRegularFile(file, path, OpenLinks::Refuse)) {
        case OpenProblem::None:
            break;
        case OpenProblem::Missing:
            continue; // taken by another editor meanwhile
        case OpenProblem::NotRegular:
            bad.damage = QStringLiteral("普通のファイルではありません。");
            damaged.push_back(bad);
            continue;
        case OpenProblem::Unreadable:
            bad.damage = QStringLiteral("読めません。");
            damaged.push_back(bad);
            continue;
        }
        const QByteArray bytes = file.read(kMaxCopyBytes + 1);
        if (bytes.size() > kMaxCopyBytes) {
            bad.damage = QStringLiteral("大きすぎます。");
            damaged.push_back(bad);
        } else if (std::optional<RecoveryCopy> copy = decodeRecoveryCopy(bytes)) {
            copy->copyPath = path;
            copies.push_back(std::move(*copy));
        } else {
            bad.damage = QStringLiteral("途中で切れているか壊れています。");
            damaged.push_back(bad);
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written > b.written; });
    copies.insert(copies.end(), damaged.begin(), damaged.end());
    return copies;
}

void RecoveryStore::removeCopy(const RecoveryCopy& copy) {
    QFile::remove(copy.copyPath);
    QFile::remove(lockPathOf(copy.copyPath));
}

} // namespace tobirae
