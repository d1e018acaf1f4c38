#include "owndays/DaysFile.h"

#include <QFile>
#include <QFileInfo>

namespace tobirae {

namespace {

// Beyond any real company calendar or family feed; a bigger file is a wrong file.
constexpr qint64 kMaxDaysFileBytes = 64 * 1024 * 1024;

bool isICalendar(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray head = (bytes.startsWith(bom) ? bytes.mid(bom.size(), 64) : bytes.left(64));
    return head.trimmed().toUpper().startsWith("BEGIN:VCALENDAR");
}

} // namespace

DaysReadResult readDaysData(const QByteArray& bytes, const QString& name,
                            const DaysReadOptions& options) {
    return isICalendar(bytes) ? readDaysIcs(bytes, name, options) : readDaysCsv(bytes, name);
}

DaysReadResult readDaysFile(const QString& path, const DaysReadOptions& options) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    DaysReadResult failed;
    if (!info.exists()) {
        failed.problems << QStringLiteral("%1: ファイルがありません。").arg(path);
        return failed;
    }
    if (!info.isFile()) {
        failed.problems << QStringLiteral("%1: 普通のファイルではありません。").arg(path);
        return failed;
    }
    if (info.size() > kMaxDaysFileBytes) {
        failed.problems << QStringLiteral("%1: 大きすぎます。").arg(path);
        return failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed.problems << QStringLiteral("%1: 読めません（%2）。").arg(path, file.errorString());
        return failed;
    }
    return readDaysData(file.readAll(), name, options);
}

} // namespace tobirae
