#include "document/OutputPath.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tobirae {

namespace {

namespace fs = std::filesystem;

fs::path nativePath(const QString& path) {
    return fs::path(path.toStdU16String());
}

QString fromNative(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

} // namespace

OutputTarget resolveOutputTarget(const QString& path) {
    fs::path target = nativePath(path);
    std::error_code error;
    // As many links as the system itself follows before giving up.
    for (int hops = 0; fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
        if (hops == 40)
            return {{}, QStringLiteral("%1 はリンクが循環しているため書き込めません。").arg(path)};
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            return {{}, QStringLiteral("%1 のリンク先を読めません。").arg(path)};
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status) && fs::is_directory(status))
        return {{}, QStringLiteral("%1 はフォルダーです。").arg(path)};
    if (fs::exists(status) && !fs::is_regular_file(status))
        return {{}, QStringLiteral("%1 は通常のファイルではないため書き込めません。").arg(path)};
    return {fromNative(target.lexically_normal()), {}};
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
    case EROFS:
        return QStringLiteral("%1 は読み取り専用の場所にあるため書き込めません。").arg(path);
    case EISDIR:
        return QStringLiteral("%1 はフォルダーです。").arg(path);
    case EFBIG:
        return QStringLiteral("%1 は大きすぎて書き込めません。").arg(path);
    default:
        return QStringLiteral("%1 に書き込めませんでした。").arg(path);
    }
}

} // namespace tobirae
