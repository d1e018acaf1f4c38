#include "files/OutputPath.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tobirae {

namespace {

// As many links as the system itself follows before giving up.
constexpr int kMaxLinkHops = 40;

QString realFolder(const QString& folder, int* errorNumber) {
    const std::unique_ptr<char, decltype(&std::free)> real(
        ::realpath(QFile::encodeName(folder).constData(), nullptr), &std::free);
    if (!real) {
        *errorNumber = errno;
        return {};
    }
    return QFile::decodeName(real.get());
}

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString linkText(const QString& path) {
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t length =
        ::readlink(QFile::encodeName(path).constData(), buffer.data(), buffer.size());
    return length < 0 ? QString() : QFile::decodeName(buffer.left(length));
}

} // namespace

int maxNameBytes(const QString& folder) {
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<int>(limit) : NAME_MAX;
}

OutputTarget resolveOutputTarget(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0;; ++hops) {
        const QFileInfo entry(current);
        const QString name = entry.fileName();
        if (name.isEmpty() || name == u"." || name == u"..")
            return {{}, QStringLiteral("%1 はフォルダーです。").arg(path)};
        int errorNumber = 0;
        const QString folder = realFolder(entry.absolutePath(), &errorNumber);
        if (folder.isEmpty())
            return {{}, writeFailureMessage(path, errorNumber)};
        if (QFile::encodeName(name).size() > maxNameBytes(folder))
            return {{}, writeFailureMessage(path, ENAMETOOLONG)};
        const QString candidate = joined(folder, name);
        const QByteArray native = QFile::encodeName(candidate);
        struct stat status {};
        if (::lstat(native.constData(), &status) != 0)
            return {candidate, {}}; // a new file
        if (S_ISLNK(status.st_mode)) {
            if (hops == kMaxLinkHops)
                return {{},
                        QStringLiteral("%1 はリンクが循環しているため書き込めません。").arg(path)};
            const QString next = linkText(candidate);
            if (next.isEmpty())
                return {{}, QStringLiteral("%1 のリンク先を読めません。").arg(path)};
            current = next.startsWith(QLatin1Char('/')) ? next : joined(folder, next);
            continue;
        }
        if (S_ISDIR(status.st_mode))
            return {{}, QStringLiteral("%1 はフォルダーです。").arg(path)};
        if (!S_ISREG(status.st_mode))
            return {{},
                    QStringLiteral("%1 は通常のファイルではないため書き込めません。").arg(path)};
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return {{}, writeFailureMessage(path, EACCES)};
        // A read-only file system is told as such, not as missing permission.
        if (::access(native.constData(), W_OK) != 0)
            return {{}, writeFailureMessage(path, errno == EROFS ? EROFS : EACCES)};
        return {candidate, {}};
    }
}

QString writeFailureMessage(const QString& path, int errorNumber, std::int64_t needed) {
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    const bool full = errorNumber == ENOSPC || errorNumber == EDQUOT ||
                      (needed > 0 && disk.isValid() && disk.bytesAvailable() < needed);
    if (full)
        return QStringLiteral("ディスクの空きが足りません。%1 は書き込まれませんでした。")
            .arg(path);
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("%1 に書き込む権限がありません。").arg(path);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("%1 のフォルダーがありません。").arg(path);
    case ENAMETOOLONG:
        return QStringLiteral("%1 は名前が長すぎるため書き込めません。").arg(path);
    case ELOOP:
        return QStringLiteral("%1 はリンクが循環しているため書き込めません。").arg(path);
    case EROFS:
        return QStringLiteral("%1 は読み取り専用の場所 (%2) にあるため書き込めません。")
            .arg(path, QDir::toNativeSeparators(disk.rootPath()));
    case EISDIR:
        return QStringLiteral("%1 はフォルダーです。").arg(path);
    case EFBIG:
        return QStringLiteral("%1 は大きすぎて書き込めません。").arg(path);
    default:
        return QStringLiteral("%1 に書き込めませんでした。").arg(path);
    }
}

} // namespace tobirae
