#include "owndays/OwnDaysCbor.h"

#include <QCborArray>
#include <QTimeZone>

namespace tobirae {

namespace {

const QString kDays = QStringLiteral("Days");
const QString kFiles = QStringLiteral("Files");
const QString kTimeZone = QStringLiteral("TimeZone");
const QString kDate = QStringLiteral("Date");
const QString kName = QStringLiteral("Name");
const QString kKind = QStringLiteral("Kind");
const QString kOther = QStringLiteral("Extension");

// The entries of the map that are not `known`: kept from a file, named as an error from JSON
// unless they stand under "Extension".
std::optional<QCborMap> otherEntries(const QCborMap& map, const QStringList& known,
                                     const QString& path, bool asJson, QString& error) {
    QCborMap other;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const QString key = it.key().toString();
        if (known.contains(key))
            continue;
        if (!asJson) {
            other.insert(it.key(), it.value());
        } else if (key == kOther && it.value().isMap()) {
            other = it.value().toMap();
        } else {
            error = QStringLiteral("%1.%2: 不明なキーです。").arg(path, key);
            return std::nullopt;
        }
    }
    return other;
}

void insertOther(QCborMap& map, const QCborMap& other, bool asJson) {
    if (other.isEmpty())
        return;
    if (asJson) {
        map.insert(kOther, other);
        return;
    }
    for (auto it = other.constBegin(); it != other.constEnd(); ++it)
        map.insert(it.key(), it.value());
}

const QString kWeeklyDaysOff = QStringLiteral("WeeklyDaysOff");

// A text entry of the map; an absent entry is empty.
bool textOf(const QCborMap& map, const QString& key, const QString& path, QString& out,
            QString& error) {
    const QCborValue value = map.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isString()) {
        error = QStringLiteral("%1.%2: 文字列が必要です。").arg(path, key);
        return false;
    }
    out = value.toString();
    return true;
}

std::optional<OwnDay> dayFromCbor(const QCborValue& value, const QString& path, bool asJson,
                                  QString& error) {
    if (!value.isMap()) {
        error = path + QStringLiteral(": オブジェクトが必要です。");
        return std::nullopt;
    }
    const QCborMap map = value.toMap();
    QString date, kind;
    OwnDay day;
    if (!textOf(map, kDate, path, date, error) || !textOf(map, kName, path, day.name, error) ||
        !textOf(map, kKind, path, kind, error))
        return std::nullopt;
    auto other = otherEntries(map, {kDate, kName, kKind}, path, asJson, error);
    if (!other)
        return std::nullopt;
    day.sections = std::move(*other);
    QString reason;
    const auto dates = parseOwnDayDates(date, reason);
    if (!dates) {
        error = QStringLiteral("%1.%2: %3").arg(path, kDate, reason);
        return std::nullopt;
    }
    const auto k = ownDayKindFromText(kind);
    if (!k) {
        error = QStringLiteral("%1.%2: %3 は種類ではありません。").arg(path, kKind, kind);
        return std::nullopt;
    }
    day.first = dates->first;
    day.last = dates->last;
    day.everyYear = dates->everyYear;
    day.kind = *k;
    return day;
}

} // namespace

QCborMap ownDaysToCbor(const OwnDaysSettings& settings, bool asJson) {
    QCborMap map;
    if (!settings.days.empty()) {
        QCborArray days;
        for (const OwnDay& d : settings.days) {
            QCborMap entry{{kDate, ownDayDateText(d)}, {kKind, ownDayKindText(d.kind)}};
            if (!d.name.isEmpty())
                entry.insert(kName, d.name);
            insertOther(entry, d.sections, asJson);
            days.append(entry);
        }
        map.insert(kDays, days);
    }
    if (!settings.files.isEmpty())
        map.insert(kFiles, QCborArray::fromStringList(settings.files));
    if (!settings.timeZone.isEmpty())
        map.insert(kTimeZone, settings.timeZone);
    if (settings.weeklyDaysOff) {
        const QString letters =
            QString::fromStdString(weeklyDaysOffText(*settings.weeklyDaysOff, ","));
        map.insert(kWeeklyDaysOff,
                   QCborArray::fromStringList(letters.split(u',', Qt::SkipEmptyParts)));
    }
    insertOther(map, settings.sections, asJson);
    return map;
}

std::optional<OwnDaysSettings> ownDaysFromCbor(const QCborMap& map, const QString& path,
                                               QString& error, bool asJson) {
    OwnDaysSettings out;
    auto other = otherEntries(map, {kDays, kFiles, kTimeZone, kWeeklyDaysOff}, path, asJson, error);
    if (!other)
        return std::nullopt;
    out.sections = std::move(*other);
    const auto arrayOf = [&](const QString& key) -> std::optional<QCborArray> {
        const QCborValue value = map.value(key);
        if (value.isUndefined())
            return QCborArray{};
        if (!value.isArray()) {
            error = QStringLiteral("%1.%2: 配列が必要です。").arg(path, key);
            return std::nullopt;
        }
        return value.toArray();
    };
    const auto days = arrayOf(kDays);
    const auto files = arrayOf(kFiles);
    if (!days || !files)
        return std::nullopt;
    for (qsizetype i = 0; i < days->size(); ++i) {
        auto day = dayFromCbor(days->at(i), QStringLiteral("%1.%2[%3]").arg(path, kDays).arg(i),
                               asJson, error);
        if (!day)
            return std::nullopt;
        out.days.push_back(std::move(*day));
    }
    for (qsizetype i = 0; i < files->size(); ++i) {
        if (!files->at(i).isString() || files->at(i).toString().isEmpty()) {
            error = QStringLiteral("%1.%2[%3]: ファイル名が必要です。").arg(path, kFiles).arg(i);
            return std::nullopt;
        }
        out.files << files->at(i).toString();
    }
    if (!textOf(map, kTimeZone, path, out.timeZone, error))
        return std::nullopt;
    if (map.contains(kWeeklyDaysOff)) {
        const auto letters = arrayOf(kWeeklyDaysOff);
        if (!letters)
            return std::nullopt;
        WeeklyDaysOff off = 0;
        for (qsizetype i = 0; i < letters->size(); ++i) {
            const QString letter = letters->at(i).toString();
            const auto one = parseWeeklyDaysOff(letter.toStdString());
            if (!letters->at(i).isString() || letter.isEmpty() || !one || letter.size() != 1) {
                error = QStringLiteral("%1.%2[%3]: 日 月 火 水 木 金 土 のどれかが必要です。")
                            .arg(path, kWeeklyDaysOff)
                            .arg(i);
                return std::nullopt;
            }
            off = static_cast<WeeklyDaysOff>(off | *one);
        }
        out.weeklyDaysOff = off;
    }
    if (!out.timeZone.isEmpty() && !QTimeZone(out.timeZone.toUtf8()).isValid()) {
        error = QStringLiteral("%1.%2: %3 はタイムゾーンではありません。")
                    .arg(path, kTimeZone, out.timeZone);
        return std::nullopt;
    }
    return out;
}

} // namespace tobirae
