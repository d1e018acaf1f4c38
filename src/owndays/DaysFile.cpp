#include "owndays/DaysFile.h"

#include "files/RegularFile.h"

#include <QFileInfo>

namespace tobirae {

namespace {

bool isICalendar(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray head = (bytes.startsWith(bom) ? bytes.mid(bom.size(), 64) : bytes.left(64));
    return head.trimmed().toUpper().startsWith("BEGIN:VCALENDAR");
}

} // namespace

DaysReadResult readDaysData(const QByteArray& bytes, const QString& name,
                            const DaysReadOptions& options) {
    DaysReadResult result =
        isICalendar(bytes) ? readDaysIcs(bytes, name, options) : readDaysCsv(bytes, name);
    // A wrong file (a log, /proc/self/maps) would otherwise echo every line of itself.
    if (result.problems.size() > kMaxProblemsPerFile) {
        const qsizetype more = result.problems.size() - kMaxProblemsPerFile;
        result.problems.resize(kMaxProblemsPerFile);
        result.problems << QStringLiteral("%1: ほかに %2 行読めません。").arg(name).arg(more);
    }
    return result;
}

DaysReadResult readDaysFile(const QString& path, const DaysReadOptions& options) {
    const QString name = QFileInfo(path).fileName();
    const QString shown = printableText(path);
    DaysReadResult failed;
    QFile file;
    switch (openRegularFile(file, path)) {
    case OpenProblem::None:
        break;
    case OpenProblem::Missing:
        failed.problems << QStringLiteral("%1: ファイルがありません。").arg(shown);
        return failed;
    case OpenProblem::NotRegular:
        failed.problems << QStringLiteral("%1: 普通のファイルではありません。").arg(shown);
        return failed;
    case OpenProblem::Unreadable:
        failed.problems << QStringLiteral("%1: 読めません。").arg(shown);
        return failed;
    }
    // The size a file claims is not to be trusted (/proc reports 0): read one byte past the limit.
    const QByteArray bytes = file.read(kMaxDaysFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        failed.problems << QStringLiteral("%1: 読めません（%2）。").arg(shown, file.errorString());
        return failed;
    }
    if (bytes.size() > kMaxDaysFileBytes) {
        failed.problems << QStringLiteral("%1: 大きすぎます（%2 MB まで）。")
                               .arg(shown)
                               .arg(kMaxDaysFileBytes >> 20);
        return failed;
    }
    return readDaysData(bytes, name, options);
}

QString printableText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Line breaks, tabs, ESC, BEL and bidi overrides would break a row or drive a terminal.
        const bool control = u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) ||
                             (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) ||
                             u == 0x200E || u == 0x200F || u == 0x061C;
        out += control ? QChar(u < 0x20 ? 0x2400 + u : 0xFFFD) : c;
    }
    return out;
}

} // namespace tobirae
