// CSV days files through libcsv: quoting, doubled quotes and quoted line breaks are the
// library's; the encoding, the header and the meaning of the three columns are ours.
#include "owndays/DaysFile.h"

#include <QStringDecoder>
#include <csv.h>
#include <optional>

namespace tobirae {

namespace {

constexpr int kDateColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kKindColumn = 2;

// UTF-8 when the bytes are valid UTF-8 (a BOM is dropped), else code page 932.
std::optional<QString> decodeCsv(const QByteArray& bytes, QString& reason, QString& warning) {
    static const QByteArray bom("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringDecoder::Utf8);
    if (bytes.startsWith(bom)) {
        QString text = utf8.decode(bytes);
        if (utf8.hasError())
            warning = QStringLiteral("UTF-8 として読めない文字があります（� にしました）。");
        return text;
    }
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (!cp932.isValid()) {
        reason = QStringLiteral("Shift_JIS の文字を読む仕組みがありません。");
        return std::nullopt;
    }
    text = cp932.decode(bytes);
    if (cp932.hasError()) {
        reason = QStringLiteral("UTF-8 でも Shift_JIS でもない文字があります。");
        return std::nullopt;
    }
    return text;
}

struct Record {
    int line = 0;
    QStringList fields;
};

// Records with the line each starts on; libcsv is fed one line at a time for the numbers.
std::vector<Record> splitRecords(const QByteArray& utf8, QString& reason) {
    struct State {
        std::vector<Record> records;
        Record current;
        int line = 0;
    } state;
    const auto onField = [](void* s, std::size_t len, void* data) {
        auto* st = static_cast<State*>(data);
        if (st->current.fields.isEmpty())
            st->current.line = st->line;
        // A stateful decoder would take a leading U+FEFF of the field for a BOM and drop it.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        st->current.fields.push_back(
            utf8.decode(QByteArrayView(static_cast<const char*>(s), static_cast<qsizetype>(len))));
    };
    const auto onRecord = [](int, void* data) {
        auto* st = static_cast<State*>(data);
        st->records.push_back(std::move(st->current));
        st->current = Record{};
    };
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    qsizetype start = 0;
    bool ok = true;
    while (ok && start < utf8.size()) {
        // A line ends in LF, CR LF or a lone CR (old Excel for Mac).
        qsizetype end = start;
        while (end < utf8.size() && utf8[end] != '\n' && utf8[end] != '\r')
            ++end;
        if (end < utf8.size())
            end += utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n' ? 2 : 1;
        ++state.line;
        const auto len = static_cast<std::size_t>(end - start);
        ok = csv_parse(&parser, utf8.constData() + start, len, onField, onRecord, &state) == len;
        start = end;
    }
    ok = ok && csv_fini(&parser, onField, onRecord, &state) == 0;
    if (!ok)
        reason = QStringLiteral("%1行目: 引用符 \" の閉じ忘れか置き場所の誤りがあります。")
                     .arg(state.line);
    csv_free(&parser);
    return state.records;
}

bool isBlank(const QStringList& fields) {
    for (const QString& f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

// Column positions from a header line, or nullopt when the line is an entry.
std::optional<std::array<int, 3>> headerColumns(const QStringList& fields) {
    std::array<int, 3> columns{-1, -1, -1};
    const QStringList names{QStringLiteral("日付"), QStringLiteral("名前"), QStringLiteral("種類")};
    for (int i = 0; i < fields.size(); ++i) {
        const auto k = names.indexOf(fields[i].trimmed());
        if (k >= 0)
            columns[static_cast<std::size_t>(k)] = i;
    }
    if (columns[kDateColumn] < 0)
        return std::nullopt;
    return columns;
}

std::optional<OwnDay> entryOf(const QStringList& fields, const std::array<int, 3>& columns,
                              QString& reason) {
    const auto field = [&](int k) {
        const int i = columns[static_cast<std::size_t>(k)];
        return i >= 0 && i < fields.size() ? fields[i].trimmed() : QString();
    };
    const QString dateText = field(kDateColumn);
    if (dateText.isEmpty()) {
        reason = QStringLiteral("日付がありません。");
        return std::nullopt;
    }
    const auto dates = parseOwnDayDates(dateText, reason);
    if (!dates)
        return std::nullopt;
    if (!dates->everyYear &&
        (!withinCalendarYears(dates->first) || !withinCalendarYears(dates->last))) {
        reason = QStringLiteral("%1 はカレンダーが扱う %2～%3 年の外です。")
                     .arg(dateText)
                     .arg(kFirstDaysYear)
                     .arg(kLastDaysYear);
        return std::nullopt;
    }
    const auto kind = ownDayKindFromText(field(kKindColumn));
    if (!kind) {
        reason = QStringLiteral("%1 は種類ではありません（休日、出勤日、記念日のどれかです）。")
                     .arg(field(kKindColumn));
        return std::nullopt;
    }
    OwnDay day{dates->first, dates->last, dates->everyYear, field(kNameColumn), *kind};
    if (day.kind == OwnDayKind::Named && day.name.isEmpty()) {
        reason = QStringLiteral("名前がありません。");
        return std::nullopt;
    }
    return day;
}

QByteArray csvField(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(static_cast<qsizetype>(utf8.size() * 2 + 2), '\0');
    const std::size_t n = csv_write(out.data(), static_cast<std::size_t>(out.size()),
                                    utf8.constData(), static_cast<std::size_t>(utf8.size()));
    out.truncate(static_cast<qsizetype>(n));
    return out;
}

} // namespace

QString daysLineProblem(const QString& name, int line, const QString& reason) {
    return QStringLiteral("%1: %2行目: %3").arg(name).arg(line).arg(reason);
}

DaysReadResult readDaysCsv(const QByteArray& bytes, const QString& name) {
    DaysReadResult result;
    QString reason;
    QString warning;
    const std::optional<QString> text = decodeCsv(bytes, reason, warning);
    if (!text) {
        result.problems << name + QStringLiteral(": ") + reason;
        return result;
    }
    if (!warning.isEmpty())
        result.problems << name + QStringLiteral(": ") + warning;
    const std::vector<Record> records = splitRecords(text->toUtf8(), reason);
    if (!reason.isEmpty()) {
        result.problems << name + QStringLiteral(": ") + reason;
        return result;
    }
    result.readable = true;
    std::array<int, 3> columns{kDateColumn, kNameColumn, kKindColumn};
    bool first = true;
    for (const Record& r : records) {
        if (isBlank(r.fields))
            continue;
        if (first) {
            first = false;
            if (const auto header = headerColumns(r.fields)) {
                columns = *header;
                continue;
            }
        }
        if (auto day = entryOf(r.fields, columns, reason))
            result.days.push_back(std::move(*day));
        else
            result.problems << daysLineProblem(name, r.line, reason);
    }
    return result;
}

QByteArray writeDaysCsv(const std::vector<OwnDay>& days) {
    QByteArray out("\xEF\xBB\xBF");
    out += QStringLiteral("日付,名前,種類\r\n").toUtf8();
    for (const OwnDay& d : days) {
        out += ownDayDateText(d).toUtf8() + ',' + csvField(d.name) + ',' +
               ownDayKindText(d.kind).toUtf8() + "\r\n";
    }
    return out;
}

} // namespace tobirae
