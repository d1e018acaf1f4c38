#include "document/ExtensionCodec.h"

#include "calendar/SelectedDays.h"
#include "document/LayoutFields.h"
#include "document/LayoutFile.h"
#include "owndays/OwnDaysCbor.h"

#include <QCborArray>
#include <QCborValue>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace tobirae {

namespace {

const QString kItemsKey = QStringLiteral("Items");
const QString kTextItemsKey = QStringLiteral("TextItems");
const QString kRecordKey = QStringLiteral("Record");
const QString kOrderKey = QStringLiteral("Order");
const QString kWeekStartKey = QStringLiteral("WeekStart");
const QString kHideOwnNamesKey = QStringLiteral("HideOwnNames");
const QString kOwnDaysKey = QStringLiteral("OwnDays");
const QString kWeekNumbersKey = QStringLiteral("WeekNumbers");
const QString kNamesKey = QStringLiteral("Names");
const QString kStyleKey = QStringLiteral("Style");
// The extra day-cell elements by ExtraElementIndex.
const char* const kExtraElementKeys[kExtraElementCount] = {"SelectedDays", "MoonAge", "MoonPhase"};
const QString kOtherKey = QString::fromLatin1(kOtherValuesKey);

struct LockField {
    const char* key;
    B16 LayoutItem::*member;
};
constexpr LockField kLocks[] = {{"MoveLocked", &LayoutItem::MoveLocked},
                                {"XLocked", &LayoutItem::XLocked},
                                {"YLocked", &LayoutItem::YLocked},
                                {"HCenterLocked", &LayoutItem::HCenterLocked},
                                {"VCenterLocked", &LayoutItem::VCenterLocked}};

// Text items keep their style in the first element's font, as the year display does.
constexpr int kTextFontElement = Year1;

// FontSpec fields as map entries, named and valued as the JSON form of elements has them.
class FontWriter {
public:
    QCborMap map;
    void begin(const char*) {}
    void end() {}
    void field(const char* name, const std::int32_t& v) { map.insert(key(name), v); }
    void field(const char* name, const std::int16_t& v) { map.insert(key(name), v); }
    template <std::size_t N> void field(const char* name, const FixedText<N>& v) {
        const bool unassigned =
            std::all_of(v.bytes.begin(), v.bytes.end(), [](std::uint8_t b) { return b == 0; });
        map.insert(key(name), unassigned ? QCborValue(nullptr) : QCborValue(v.text()));
    }

private:
    static QString key(const char* name) { return QString::fromLatin1(name); }
};

// Reads the entries of one map with the path of the map for messages; the first problem wins.
class MapReader {
public:
    MapReader(const QCborMap& map, QString path, ExtensionSource source, QString& error)
        : m_map(map), m_path(std::move(path)), m_source(source), m_error(error) {}

    bool ok() const { return m_error.isEmpty(); }
    // A reader of a map inside this one; its problems are this reader's.
    MapReader nested(const QCborMap& map, const QString& key) {
        return MapReader(map, pathOf(key), m_source, m_error);
    }
    QString pathOf(const QString& key) const {
        return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
    }
    void fail(const QString& key, const QString& message) {
        if (ok())
            m_error = pathOf(key) + QStringLiteral(": ") + message;
    }

    std::optional<QCborValue> take(const QString& key, bool required) {
        if (!ok())
            return std::nullopt;
        m_used.append(key);
        const QCborValue value = m_map.value(key);
        if (value.isUndefined()) {
            if (required)
                fail(key, QStringLiteral("がありません。"));
            return std::nullopt;
        }
        return value;
    }
    template <class T> bool integer(const QString& key, T& out, bool required = true) {
        const auto value = take(key, required);
        if (!value)
            return false;
        const double d = value->isInteger() ? double(value->toInteger()) : value->toDouble();
        constexpr double lo = double(std::numeric_limits<T>::min());
        constexpr double hi = double(std::numeric_limits<T>::max());
        if (!(value->isInteger() || value->isDouble()) || std::trunc(d) != d || d < lo || d > hi) {
            fail(key, QStringLiteral("%1～%2 の整数が必要です。")
                          .arg(static_cast<qint64>(lo))
                          .arg(static_cast<qint64>(hi)));
            return false;
        }
        out = static_cast<T>(d);
        return true;
    }
    void number(const QString& key, float& out) {
        const auto value = take(key, true);
        if (!value)
            return;
        const double d = value->isInteger() ? double(value->toInteger()) : value->toDouble(NAN);
        if (!std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max())) {
            fail(key, QStringLiteral("数値が必要です。"));
            return;
        }
        out = static_cast<float>(d);
    }
    void text(const QString& key, QString& out) {
        const auto value = take(key, true);
        if (!value)
            return;
        if (!value->isString())
            fail(key, QStringLiteral("文字列が必要です。"));
        else
            out = value->toString();
    }
    void boolean(const QString& key, B16& out) {
        const auto value = take(key, false);
        if (!value)
            return;
        if (!value->isBool())
            fail(key, QStringLiteral("true または false が必要です。"));
        else
            out = toB16(value->toBool());
    }
    std::optional<QCborMap> map(const QString& key) {
        const auto value = take(key, true);
        if (!value)
            return std::nullopt;
        if (!value->isMap()) {
            fail(key, QStringLiteral("オブジェクトが必要です。"));
            return std::nullopt;
        }
        return value->toMap();
    }
    std::optional<QCborArray> array(const QString& key) {
        const auto value = take(key, false);
        if (!value)
            return std::nullopt;
        if (!value->isArray()) {
            fail(key, QStringLiteral("配列が必要です。"));
            return std::nullopt;
        }
        return value->toArray();
    }

    // The entries no typed member asked for. From a file they are kept; JSON names the first
    // one, and carries such values under "Extension".
    QCborMap rest() {
        QCborMap kept;
        if (m_source == ExtensionSource::Json) {
            if (const auto other = take(kOtherKey, false)) {
                if (!other->isMap())
                    fail(kOtherKey, QStringLiteral("オブジェクトが必要です。"));
                else
                    kept = other->toMap();
            }
        }
        for (auto it = m_map.constBegin(); it != m_map.constEnd() && ok(); ++it) {
            const QString key = it.key().toString();
            if (m_used.contains(key))
                continue;
            if (m_source == ExtensionSource::Json)
                fail(key, QStringLiteral("不明なキーです。"));
            else
                kept.insert(it.key(), it.value());
        }
        return kept;
    }

    // FontSpec fields through the record visitor.
    void begin(const char*) {}
    void end() {}
    void field(const char* name, std::int32_t& v) { integer(QString::fromLatin1(name), v); }
    void field(const char* name, std::int16_t& v) { integer(QString::fromLatin1(name), v); }
    template <std::size_t N> void field(const char* name, FixedText<N>& v) {
        const QString key = QString::fromLatin1(name);
        const auto value = take(key, true);
        if (!value)
            return;
        if (value->isNull())
            v.bytes.fill(0);
        else if (value->isString())
            v.setText(value->toString());
        else
            fail(key, QStringLiteral("文字列または null が必要です。"));
    }

private:
    const QCborMap& m_map;
    QString m_path;
    ExtensionSource m_source;
    QString& m_error;
    QStringList m_used;
};

void insertSections(QCborMap& map, const QCborMap& sections, ExtensionSource source) {
    if (sections.isEmpty())
        return;
    if (source == ExtensionSource::Json) {
        map.insert(kOtherKey, sections);
        return;
    }
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it)
        map.insert(it.key(), it.value());
}

QCborMap positionMap(const TextPos& p) {
    return QCborMap{{QStringLiteral("X"), p.X}, {QStringLiteral("Y"), p.Y}};
}

// An extra element as a map; only what differs from an element never used is written, and what
// a newer program left in it goes back where it was read.
QCborMap encodeExtraElement(const ContentElement& e, int index, const QCborMap& kept,
                            ExtensionSource source) {
    QCborMap map;
    if (isTrue(e.Shown))
        map.insert(QStringLiteral("Shown"), true);
    const QCborMap fontKept = kept.value(QStringLiteral("Font")).toMap();
    if (!(e.Font == FontSpec{}) || !fontKept.isEmpty()) {
        FontWriter font;
        detail::visitFontSpec(e.Font, font);
        insertSections(font.map, fontKept, source);
        map.insert(QStringLiteral("Font"), font.map);
    }
    const std::pair<const char*, const TextPos*> positions[] = {
        {"Pos", &e.Pos}, {"UpperPos", &e.UpperPos}, {"LowerPos", &e.LowerPos}};
    for (const auto& [key, pos] : positions) {
        const QCborMap posKept = kept.value(QString::fromLatin1(key)).toMap();
        if (!(*pos == TextPos{}) || !posKept.isEmpty()) {
            QCborMap position = positionMap(*pos);
            insertSections(position, posKept, source);
            map.insert(QString::fromLatin1(key), position);
        }
    }
    if (isTrue(e.HCenterLock))
        map.insert(QStringLiteral("HCenterLock"), true);
    if (e.VCenterLock != 0)
        map.insert(QStringLiteral("VCenterLock"), true);
    if (index == ExtraSelectedDays && e.Style != 0) {
        QCborArray names;
        for (int i = 0; i < kSelectedDayCount; ++i)
            if (e.Style & (1 << i))
                names.append(QString::fromUtf8(selectedDayName(i).data(),
                                               qsizetype(selectedDayName(i).size())));
        map.insert(kNamesKey, names);
    }
    if (index == ExtraMoonPhase && e.Style == 1)
        map.insert(kStyleKey, QStringLiteral("Name"));
    insertSections(map, kept.value(QString()).toMap(), source);
    return map;
}

// Values of the element's inner maps that no field holds go into `kept` under the map's key.
void decodePosition(MapReader& reader, const QString& key, TextPos& out, QCborMap& kept) {
    const auto value = reader.take(key, false);
    if (!value)
        return;
    if (!value->isMap()) {
        reader.fail(key, QStringLiteral("オブジェクトが必要です。"));
        return;
    }
    const QCborMap map = value->toMap();
    MapReader inner = reader.nested(map, key);
    inner.integer(QStringLiteral("X"), out.X);
    inner.integer(QStringLiteral("Y"), out.Y);
    const QCborMap rest = inner.rest();
    if (!rest.isEmpty())
        kept.insert(key, rest);
}

void decodeExtraElement(MapReader& reader, ContentElement& e, int index, QCborMap& kept) {
    reader.boolean(QStringLiteral("Shown"), e.Shown);
    if (const auto font = reader.take(QStringLiteral("Font"), false)) {
        if (!font->isMap()) {
            reader.fail(QStringLiteral("Font"), QStringLiteral("オブジェクトが必要です。"));
        } else {
            const QCborMap fontMap = font->toMap();
            MapReader fontReader = reader.nested(fontMap, QStringLiteral("Font"));
            detail::visitFontSpec(e.Font, fontReader);
            const QCborMap rest = fontReader.rest();
            if (!rest.isEmpty())
                kept.insert(QStringLiteral("Font"), rest);
        }
    }
    decodePosition(reader, QStringLiteral("Pos"), e.Pos, kept);
    decodePosition(reader, QStringLiteral("UpperPos"), e.UpperPos, kept);
    decodePosition(reader, QStringLiteral("LowerPos"), e.LowerPos, kept);
    reader.boolean(QStringLiteral("HCenterLock"), e.HCenterLock);
    B16 vLock = kFalse;
    reader.boolean(QStringLiteral("VCenterLock"), vLock);
    e.VCenterLock = vLock;
    if (index == ExtraSelectedDays) {
        if (const auto names = reader.array(kNamesKey)) {
            for (qsizetype i = 0; i < names->size(); ++i) {
                const int n = selectedDayIndex(names->at(i).toString().toStdString());
                if (!names->at(i).isString() || n < 0) {
                    reader.fail(kNamesKey,
                                QStringLiteral("選日の名前が必要です (%1 番目)。").arg(i));
                    return;
                }
                e.Style |= 1 << n;
            }
        }
    }
    if (index == ExtraMoonPhase) {
        if (const auto style = reader.take(kStyleKey, false)) {
            if (style->toString() == QLatin1String("Name"))
                e.Style = 1;
            else if (style->toString() != QLatin1String("Symbol"))
                reader.fail(kStyleKey, QStringLiteral("\"Symbol\" か \"Name\" が必要です。"));
        }
    }
}

// The values every item with a record may have beyond it.
void encodeItemValues(QCborMap& map, const LayoutItem& item, ExtensionSource source) {
    const ItemExtension& ext = item.Ext;
    if (ext.weekStart == WeekStart::Monday)
        map.insert(kWeekStartKey, QStringLiteral("Monday"));
    if (ext.hideOwnNames)
        map.insert(kHideOwnNamesKey, true);
    if (ext.weekNumbers != WeekNumberColumn::None)
        map.insert(kWeekNumbersKey, ext.weekNumbers == WeekNumberColumn::Iso
                                        ? QStringLiteral("ISO")
                                        : QStringLiteral("FirstJanuary"));
    for (int i = 0; i < kExtraElementCount; ++i) {
        const QString key = QString::fromLatin1(kExtraElementKeys[i]);
        const QCborMap element =
            encodeExtraElement(item.ExtraElements[static_cast<std::size_t>(i)], i,
                               ext.elementSections.value(key).toMap(), source);
        if (!element.isEmpty())
            map.insert(key, element);
    }
    insertSections(map, ext.sections, source);
}

void decodeExtraElements(MapReader& reader, LayoutItem& item) {
    for (int i = 0; i < kExtraElementCount && reader.ok(); ++i) {
        const QString key = QString::fromLatin1(kExtraElementKeys[i]);
        const auto value = reader.take(key, false);
        if (!value)
            continue;
        if (!value->isMap()) {
            reader.fail(key, QStringLiteral("オブジェクトが必要です。"));
            return;
        }
        const QCborMap map = value->toMap();
        MapReader inner = reader.nested(map, key);
        QCborMap kept;
        decodeExtraElement(inner, item.ExtraElements[static_cast<std::size_t>(i)], i, kept);
        // The element's own leftovers stand under the empty key, which no inner map has.
        QCborMap sections;
        if (const QCborMap rest = inner.rest(); !rest.isEmpty())
            sections.insert(QString(), rest);
        for (auto it = kept.constBegin(); it != kept.constEnd(); ++it)
            sections.insert(it.key(), it.value());
        if (!sections.isEmpty())
            item.Ext.elementSections.insert(key, sections);
    }
}

void decodeItemValues(MapReader& reader, ItemExtension& ext) {
    if (const auto value = reader.take(kWeekNumbersKey, false)) {
        if (value->toString() == QLatin1String("ISO"))
            ext.weekNumbers = WeekNumberColumn::Iso;
        else if (value->toString() == QLatin1String("FirstJanuary"))
            ext.weekNumbers = WeekNumberColumn::FirstJanuary;
        else
            reader.fail(kWeekNumbersKey,
                        QStringLiteral("\"ISO\" か \"FirstJanuary\" が必要です。"));
    }
    if (const auto value = reader.take(kWeekStartKey, false)) {
        if (value->toString() == QLatin1String("Monday"))
            ext.weekStart = WeekStart::Monday;
        else if (value->toString() == QLatin1String("Sunday"))
            ext.weekStart = WeekStart::Sunday;
        else
            reader.fail(kWeekStartKey, QStringLiteral("\"Sunday\" か \"Monday\" が必要です。"));
    }
    if (const auto value = reader.take(kHideOwnNamesKey, false)) {
        if (value->isBool())
            ext.hideOwnNames = value->toBool();
        else
            reader.fail(kHideOwnNamesKey, QStringLiteral("true または false が必要です。"));
    }
}

QCborMap encodeTextItem(const LayoutItem& item, qsizetype order, ExtensionSource source) {
    QCborMap map;
    map.insert(kOrderKey, order);
    // A double that was read stays as read while the item keeps the value it gave.
    const auto geometry = [&](const QString& key, float value) {
        const QCborValue read = item.Ext.geometryAsRead.value(key);
        map.insert(key, read.isDouble() && float(read.toDouble()) == value
                            ? read
                            : QCborValue(double(value)));
    };
    geometry(QStringLiteral("Left"), item.Left);
    geometry(QStringLiteral("Top"), item.Top);
    geometry(QStringLiteral("Width"), item.Width);
    geometry(QStringLiteral("Height"), item.Height);
    map.insert(QStringLiteral("Text"), item.Ext.text);
    FontWriter font;
    detail::visitFontSpec(item.element(kTextFontElement).Font, font);
    insertSections(font.map, item.Ext.fontSections, source);
    map.insert(QStringLiteral("Font"), font.map);
    map.insert(QStringLiteral("HPlacement"), item.HPlacement);
    map.insert(QStringLiteral("VPlacement"), item.VPlacement);
    if (item.Ext.textBackground)
        map.insert(QStringLiteral("BackColor"), item.BackColor);
    if (isTrue(item.Transparent))
        map.insert(QStringLiteral("Transparent"), item.TransparentColor);
    for (const LockField& lock : kLocks)
        if (isTrue(item.*lock.member))
            map.insert(QString::fromLatin1(lock.key), true);
    insertSections(map, item.Ext.sections, source);
    return map;
}

struct PlacedTextItem {
    qint64 order = 0;
    LayoutItem item;
};

std::optional<PlacedTextItem> decodeTextItem(const QCborMap& map, const QString& path,
                                             ExtensionSource source, QString& error) {
    MapReader reader(map, path, source, error);
    PlacedTextItem placed;
    placed.item = emptyTextItem();
    LayoutItem& item = placed.item;
    if (reader.integer(kOrderKey, placed.order) && placed.order < 0)
        reader.fail(kOrderKey, QStringLiteral("0 以上の整数が必要です。"));
    for (const auto& [key, value] : {std::pair{QStringLiteral("Left"), &item.Left},
                                     std::pair{QStringLiteral("Top"), &item.Top},
                                     std::pair{QStringLiteral("Width"), &item.Width},
                                     std::pair{QStringLiteral("Height"), &item.Height}}) {
        reader.number(key, *value);
        // Finer than a float holds: kept so that the file is written back as it was.
        const QCborValue read = map.value(key);
        if (read.isDouble() && double(float(read.toDouble())) != read.toDouble())
            item.Ext.geometryAsRead.insert(key, read);
    }
    reader.text(QStringLiteral("Text"), item.Ext.text);
    if (const auto font = reader.map(QStringLiteral("Font"))) {
        MapReader fontReader(*font, reader.pathOf(QStringLiteral("Font")), source, error);
        detail::visitFontSpec(item.element(kTextFontElement).Font, fontReader);
        item.Ext.fontSections = fontReader.rest();
    }
    for (const char* key : {"HPlacement", "VPlacement"}) {
        std::int32_t& value = key[0] == 'H' ? item.HPlacement : item.VPlacement;
        if (reader.integer(QString::fromLatin1(key), value) && (value < 0 || value > 2))
            reader.fail(QString::fromLatin1(key), QStringLiteral("0～2 の整数が必要です。"));
    }
    item.Ext.textBackground = reader.integer(QStringLiteral("BackColor"), item.BackColor, false);
    item.Transparent =
        toB16(reader.integer(QStringLiteral("Transparent"), item.TransparentColor, false));
    for (const LockField& lock : kLocks)
        reader.boolean(QString::fromLatin1(lock.key), item.*lock.member);
    item.Ext.sections = reader.rest();
    if (!reader.ok())
        return std::nullopt;
    return placed;
}

} // namespace

LayoutItem emptyTextItem() {
    LayoutItem item;
    item.Category = CategoryText;
    item.Live = kTrue;
    // Colours the extension leaves out read back white, as a new text item has them, so a
    // preview without a background is not a black box.
    item.BackColor = 0x00FFFFFF;
    item.TransparentColor = 0x00FFFFFF;
    return item;
}

namespace {

bool mayNeedExtension(std::span<const LayoutItem> items, const DocumentExtension& document) {
    return !document.isEmpty() ||
           std::any_of(items.begin(), items.end(), [](const LayoutItem& item) {
               return isTextCategory(item.Category) || !item.Ext.isEmpty() ||
                      item.ExtraElements != decltype(item.ExtraElements){};
           });
}

} // namespace

bool needsExtension(std::span<const LayoutItem> items, const DocumentExtension& document) {
    // Values only text items use (a text kept after a change of kind) write nothing.
    return mayNeedExtension(items, document) &&
           !encodeExtension(items, document, ExtensionSource::File).isEmpty();
}

std::vector<const LayoutItem*> fixedRecords(std::span<const LayoutItem> items) {
    std::vector<const LayoutItem*> records;
    records.reserve(items.size());
    for (const LayoutItem& item : items)
        if (!isTextCategory(item.Category))
            records.push_back(&item);
    return records;
}

QCborMap encodeExtension(std::span<const LayoutItem> items, const DocumentExtension& document,
                         ExtensionSource source) {
    QCborMap map;
    if (!mayNeedExtension(items, document))
        return map;
    QCborArray records;
    QCborArray textItems;
    qsizetype recordIndex = 0;
    for (qsizetype order = 0; order < static_cast<qsizetype>(items.size()); ++order) {
        const LayoutItem& item = items[static_cast<std::size_t>(order)];
        if (isTextCategory(item.Category)) {
            textItems.append(encodeTextItem(item, order, source));
            continue;
        }
        QCborMap values;
        encodeItemValues(values, item, source);
        if (!values.isEmpty()) {
            QCborMap entry;
            entry.insert(kRecordKey, recordIndex);
            for (auto it = values.constBegin(); it != values.constEnd(); ++it)
                entry.insert(it.key(), it.value());
            records.append(entry);
        }
        ++recordIndex;
    }
    if (!records.isEmpty())
        map.insert(kItemsKey, records);
    if (!textItems.isEmpty())
        map.insert(kTextItemsKey, textItems);
    if (!document.ownDays.isEmpty())
        map.insert(kOwnDaysKey, ownDaysToCbor(document.ownDays, source == ExtensionSource::Json));
    insertSections(map, document.sections, source);
    return map;
}

ExtensionDecoded decodeExtension(const QCborMap& map, std::vector<LayoutItem> records,
                                 ExtensionSource source) {
    ExtensionDecoded result;
    MapReader reader(map, QString(), source, result.error);

    if (const auto entries = reader.array(kItemsKey)) {
        if (entries->size() > static_cast<qsizetype>(records.size()))
            reader.fail(kItemsKey, QStringLiteral("アイテムより多くの項目があります。"));
        for (qsizetype i = 0; i < entries->size() && reader.ok(); ++i) {
            const QString path = QStringLiteral("Items[%1]").arg(i);
            const QCborValue value = entries->at(i);
            if (!value.isMap()) {
                reader.fail(QStringLiteral("Items[%1]").arg(i),
                            QStringLiteral("オブジェクトが必要です。"));
                break;
            }
            const QCborMap entryMap = value.toMap();
            MapReader entry(entryMap, path, source, result.error);
            qint64 index = -1;
            if (entry.integer(kRecordKey, index) &&
                (index < 0 || index >= static_cast<qint64>(records.size()))) {
                entry.fail(kRecordKey, QStringLiteral("アイテム %1 はありません。").arg(index));
            }
            if (!entry.ok())
                break;
            ItemExtension& ext = records[static_cast<std::size_t>(index)].Ext;
            decodeItemValues(entry, ext);
            decodeExtraElements(entry, records[static_cast<std::size_t>(index)]);
            ext.sections = entry.rest();
        }
    }

    std::vector<PlacedTextItem> placed;
    if (const auto entries = reader.array(kTextItemsKey)) {
        // Refused before any entry is decoded: a huge list would cost minutes.
        if (entries->size() + static_cast<qsizetype>(records.size()) > kMaxItemCount)
            reader.fail(kTextItemsKey,
                        QStringLiteral("アイテムが %1 個を超えます。").arg(kMaxItemCount));
        for (qsizetype i = 0; i < entries->size() && reader.ok(); ++i) {
            const QString path = QStringLiteral("TextItems[%1]").arg(i);
            if (!entries->at(i).isMap()) {
                reader.fail(path, QStringLiteral("オブジェクトが必要です。"));
                break;
            }
            auto item = decodeTextItem(entries->at(i).toMap(), path, source, result.error);
            if (!item)
                break;
            placed.push_back(std::move(*item));
        }
    }
    if (const auto value = reader.take(kOwnDaysKey, false)) {
        QString error;
        if (!value->isMap())
            reader.fail(kOwnDaysKey, QStringLiteral("オブジェクトが必要です。"));
        else if (auto own = ownDaysFromCbor(value->toMap(), kOwnDaysKey, error,
                                            source == ExtensionSource::Json))
            result.document.ownDays = std::move(*own);
        else if (result.error.isEmpty())
            result.error = error;
    }
    result.document.sections = reader.rest();
    if (!reader.ok())
        return result;

    // Each text item goes to its place in the drawing order; places beyond the end append.
    std::stable_sort(
        placed.begin(), placed.end(),
        [](const PlacedTextItem& a, const PlacedTextItem& b) { return a.order < b.order; });
    result.items = std::move(records);
    for (PlacedTextItem& text : placed) {
        const auto at = std::min<qint64>(text.order, static_cast<qint64>(result.items.size()));
        result.items.insert(result.items.begin() + at, std::move(text.item));
    }
    return result;
}

} // namespace tobirae
