#include "document/ExtensionBlock.h"

#include "LayoutSamples.h"
#include "document/ExtensionCodec.h"
#include "document/LayoutFile.h"
#include "document/LayoutJson.h"
#include "owndays/OwnDay.h"

#include <QCborArray>
#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using testing::liveItem;
using testing::randomLayout;

int readLittle16(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes.at(at)) | static_cast<std::uint8_t>(bytes.at(at + 1))
                                                         << 8;
}

LayoutItem textItem(const QString& text, float left) {
    LayoutItem item = emptyTextItem();
    item.Left = left;
    item.Top = 12.5f;
    item.Width = 300;
    item.Height = 40;
    item.Ext.text = text;
    item.element(Year1).Font.FaceName.setText(QStringLiteral("IPAGothic"));
    item.element(Year1).Font.Size = 18;
    item.element(Year1).Font.Vertical = 1;
    item.HPlacement = 1;
    item.VPlacement = 2;
    return item;
}

OwnDay ownDay(const char* date, const char* name, OwnDayKind kind) {
    QString reason;
    const auto dates = parseOwnDayDates(QString::fromUtf8(date), reason);
    EXPECT_TRUE(dates) << reason.toStdString();
    return {dates->first, dates->last, dates->everyYear, QString::fromUtf8(name), kind};
}

// Random records, a Monday-first box, a box without the user's day names, text items before,
// between and after the records, and the layout's own days.
LayoutFileContent extendedLayout(std::mt19937& rng) {
    LayoutFileContent content = randomLayout(rng, 3);
    for (LayoutItem& item : content.items)
        item.Ext = {};
    content.items[1].Ext.weekStart = WeekStart::Monday;
    content.items[2].Ext.hideOwnNames = true;
    content.items[2].Ext.weekNumbers = WeekNumberColumn::Iso;
    // 選日 naming 一粒万倍日 and 天赦日, and moon phases by name, in the first record.
    ContentElement& senjitsu = content.items[0].ExtraElements[ExtraSelectedDays];
    senjitsu.Shown = kTrue;
    senjitsu.Font.FaceName.setText(QStringLiteral("IPAMincho"));
    senjitsu.Font.Size = 7;
    senjitsu.Font.ForeColor.setText(QStringLiteral("&H0000C0"));
    senjitsu.Pos = {3, 40};
    senjitsu.LowerPos = {-2, 61};
    senjitsu.Style = 0b11;
    senjitsu.HCenterLock = kTrue;
    content.items[0].ExtraElements[ExtraMoonPhase] = senjitsu;
    content.items[0].ExtraElements[ExtraMoonPhase].Style = 1;
    content.items[1].ExtraElements[ExtraMoonAge].Shown = kTrue;
    content.extension.ownDays.weeklyDaysOff = WeeklyDaysOff{(1u << 0) | (1u << 3)}; // 日・水
    content.extension.ownDays.days = {
        ownDay("12-29..01-03", "年末年始休業", OwnDayKind::DayOff),
        ownDay("2027-08-13..2027-08-16", "夏季休業", OwnDayKind::DayOff),
        ownDay("2027/11/6", "", OwnDayKind::WorkingDay),
        ownDay("02-29", "記念日", OwnDayKind::Named)};
    content.extension.ownDays.files = {QStringLiteral("会社.ics"),
                                       QStringLiteral("/共有/家族.csv")};
    content.extension.ownDays.timeZone = QStringLiteral("Europe/Berlin");
    LayoutItem styled = textItem(QStringLiteral("{和暦年度} 年間行事\n株式会社 扉絵"), 7);
    styled.Ext.textBackground = true;
    styled.BackColor = 0x00CCFFFF;
    styled.Transparent = kTrue;
    styled.TransparentColor = 0x00FFFFFF;
    styled.MoveLocked = kTrue;
    content.items.insert(content.items.begin(), styled);
    content.items.insert(content.items.begin() + 2, textItem(QStringLiteral("{{大括弧}"), 8));
    content.items.push_back(textItem(QString(), 9));
    return content;
}

// The same layout as another reader of the format sees it.
LayoutFileContent withoutExtension(LayoutFileContent content) {
    std::vector<LayoutItem> records;
    for (const LayoutItem* record : fixedRecords(content.items))
        records.push_back(*record);
    content.items = std::move(records);
    for (LayoutItem& item : content.items) {
        item.Ext = {};
        item.ExtraElements = {};
    }
    content.extension = {};
    return content;
}

LayoutFileContent parsed(const QByteArray& bytes, QString* notice = nullptr) {
    const LayoutParseResult result = parseLayoutBytes(bytes);
    EXPECT_TRUE(result.content) << result.error.toStdString();
    if (notice)
        *notice = result.extensionNotice;
    return result.content.value_or(LayoutFileContent{});
}

TEST(ExtensionBlock, LayoutsWithoutExtensionValuesGetNoBlock) {
    std::mt19937 rng(5);
    LayoutFileContent content = randomLayout(rng, 2);
    const QByteArray bytes = serializeLayout(content);
    EXPECT_EQ(bytes.size(), kPageHeaderSize + 2 * kItemRecordSize + content.items[0].Spare1.size() +
                                content.items[0].Spare2.size() + content.items[0].Spare3.size() +
                                content.items[1].Spare1.size() + content.items[1].Spare2.size() +
                                content.items[1].Spare3.size());
    EXPECT_EQ(scanExtensionBlock(bytes.mid(bytes.size() - 1)).state,
              ExtensionBlockScan::State::Absent);
}

TEST(ExtensionBlock, FixedPartIsTheLayoutWithoutExtensionAndEverythingComesBack) {
    std::mt19937 rng(17);
    for (int round = 0; round < 5; ++round) {
        LayoutFileContent content = extendedLayout(rng);
        // A background without transparency, and transparency without a background.
        LayoutItem painted = textItem(QStringLiteral("背景だけ"), 10);
        painted.Ext.textBackground = true;
        painted.BackColor = 0x00FFCCCC;
        painted.Transparent = kFalse;
        LayoutItem clear = textItem(QStringLiteral("透過だけ"), 11);
        clear.Transparent = kTrue;
        clear.TransparentColor = 0x00FF00FF;
        content.items.push_back(painted);
        content.items.insert(content.items.begin() + 1, clear);
        const QByteArray bytes = serializeLayout(content);
        const QByteArray fixed = serializeLayout(withoutExtension(content));
        ASSERT_GT(bytes.size(), fixed.size());
        EXPECT_EQ(bytes.first(fixed.size()), fixed) << "round " << round;
        EXPECT_EQ(scanExtensionBlock(bytes.sliced(fixed.size())).state,
                  ExtensionBlockScan::State::Read);
        EXPECT_EQ(readLittle16(fixed, 22), 3) << "ItemCount counts the records only";

        QString notice;
        const LayoutFileContent back = parsed(bytes, &notice);
        EXPECT_TRUE(notice.isEmpty());
        ASSERT_EQ(back.items.size(), content.items.size());
        for (std::size_t i = 0; i < back.items.size(); ++i)
            EXPECT_EQ(back.items[i], content.items[i]) << "item " << i;
        EXPECT_EQ(back.extension, content.extension);
        EXPECT_EQ(serializeLayout(back), bytes);
    }
}

TEST(ExtensionBlock, DamagedAndNewerBlocksLeaveTheFixedPartReadable) {
    std::mt19937 rng(3);
    const LayoutFileContent content = extendedLayout(rng);
    const QByteArray bytes = serializeLayout(content);
    const qsizetype fixedSize = serializeLayout(withoutExtension(content)).size();
    const LayoutFileContent plain = withoutExtension(content);

    QByteArray flipped = bytes;
    flipped[flipped.size() - 3] = char(flipped.at(flipped.size() - 3) ^ 0x40);
    QByteArray newer = bytes;
    newer[fixedSize + 8] = char(kExtensionVersion + 1);
    // A sound frame around a map that names a record the file does not have.
    QCborMap wrongRecord;
    QCborMap entry;
    entry.insert(QStringLiteral("Record"), 9);
    wrongRecord.insert(QStringLiteral("Items"), QCborArray{entry});
    const QByteArray badMap =
        bytes.first(fixedSize) + frameExtensionBlock(QCborValue(wrongRecord).toCbor());
    const QByteArray notCbor = bytes.first(fixedSize) + frameExtensionBlock("\xff\x00zz");
    // 60,000 text items are refused by the length of the list alone.
    QCborArray many;
    for (int i = 0; i < 60000; ++i)
        many.append(QCborMap{});
    const QByteArray tooMany =
        bytes.first(fixedSize) +
        frameExtensionBlock(QCborValue(QCborMap{{QStringLiteral("TextItems"), many}}).toCbor());
    // {"TextItems": [{"Order": -2^64}]}: the least integer CBOR has, not 0.
    const QByteArray hugeOrder =
        bytes.first(fixedSize) +
        frameExtensionBlock(QByteArray("\xa1\x69TextItems\x81\xa1\x65Order\x3b") +
                            QByteArray(8, '\xff'));

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* noticeWord;
    } cases[] = {{"flipped", flipped, "壊れて"},
                 {"cut", bytes.first(bytes.size() - 5), "壊れて"},
                 {"header only", bytes.first(fixedSize + 10), "壊れて"},
                 {"newer", newer, "新しい版"},
                 {"record out of range", badMap, "Record"},
                 {"not CBOR", notCbor, "CBOR"},
                 {"60,000 text items", tooMany, "100 個を超えます"},
                 {"order of -2^64", hugeOrder, "範囲外の整数"}};
    for (const Case& c : cases) {
        QString notice;
        const LayoutFileContent back = parsed(c.bytes, &notice);
        EXPECT_TRUE(notice.contains(QString::fromUtf8(c.noticeWord))) << c.name;
        ASSERT_EQ(back.items.size(), plain.items.size()) << c.name;
        for (std::size_t i = 0; i < back.items.size(); ++i)
            EXPECT_EQ(back.items[i], plain.items[i]) << c.name;
        // The block stays as bytes, so an exact copy is still exact.
        EXPECT_EQ(back.trailing, c.bytes.sliced(fixedSize)) << c.name;
        EXPECT_EQ(serializeLayout(back), c.bytes) << c.name;
    }
}

TEST(ExtensionBlock, TrailingBytesAndValuesOfNewerProgramsAreKept) {
    LayoutFileContent content;
    content.items = {liveItem(CategoryMonthFamily, VariantBox6)};
    content.trailing = QByteArray("\x00 not a block", 13);
    QString notice;
    EXPECT_EQ(parsed(serializeLayout(content), &notice).trailing, content.trailing);
    EXPECT_TRUE(notice.isEmpty());

    content.items[0].Ext.weekStart = WeekStart::Monday;
    content.items[0].Ext.sections.insert(QStringLiteral("Future"), 42);
    // A text item's entry keeps what a newer program wrote on it, as a record's does.
    LayoutItem text = textItem(QStringLiteral("新しい版の文字"), 5);
    text.Ext.sections.insert(QStringLiteral("Outline"), QCborMap{{QStringLiteral("Width"), 2}});
    content.items.push_back(text);
    content.extension.sections.insert(QStringLiteral("Later"),
                                      QCborMap{{QStringLiteral("Entries"), QCborArray{1, 2}}});
    // At every level: the own days, one of their entries, a text item's font.
    content.extension.ownDays.days = {ownDay("2027-08-13", "夏季休業", OwnDayKind::DayOff)};
    content.extension.ownDays.days[0].sections.insert(QStringLiteral("Colour"), 255);
    content.extension.ownDays.sections.insert(QStringLiteral("WeeklyRule"), QStringLiteral("x"));
    LayoutItem fontText = textItem(QStringLiteral("行事"), 3);
    fontText.Ext.fontSections.insert(QStringLiteral("Outline"), true);
    content.items.push_back(fontText);
    // …and inside the extra day-cell elements: the element, its font and a position, also of an
    // element whose own values are all defaults.
    ContentElement& senjitsu = content.items[0].ExtraElements[ExtraSelectedDays];
    senjitsu.Shown = kTrue;
    senjitsu.Font.Size = 8;
    senjitsu.Style = 0b101;
    content.items[0].Ext.elementSections.insert(
        QStringLiteral("SelectedDays"),
        QCborMap{{QString(), QCborMap{{QStringLiteral("Ruby"), QStringLiteral("ふりがな")}}},
                 {QStringLiteral("Font"), QCborMap{{QStringLiteral("Outline"), 2}}},
                 {QStringLiteral("LowerPos"), QCborMap{{QStringLiteral("Z"), 1}}}});
    content.items[0].Ext.elementSections.insert(
        QStringLiteral("MoonAge"), QCborMap{{QString(), QCborMap{{QStringLiteral("Digits"), 2}}}});
    const QByteArray bytes = serializeLayout(content);
    const LayoutFileContent back = parsed(bytes);
    EXPECT_EQ(back.trailing, content.trailing);
    EXPECT_EQ(back.items[0].Ext, content.items[0].Ext);
    EXPECT_EQ(back.items[0].ExtraElements, content.items[0].ExtraElements);
    ASSERT_EQ(back.items.size(), 3u);
    EXPECT_EQ(back.items[1].Ext.sections, text.Ext.sections);
    EXPECT_EQ(back.items[1], text);
    EXPECT_EQ(back.items[2].Ext, content.items[2].Ext);
    EXPECT_EQ(back.extension, content.extension);
    EXPECT_EQ(serializeLayout(back), bytes);
    const LayoutJsonResult json = layoutFromJson(layoutToJson(back));
    ASSERT_TRUE(json.content) << json.error.toStdString();
    EXPECT_EQ(serializeLayout(*json.content), bytes);

    // A position written as a double finer than a float stays as written.
    const QByteArray fixed = serializeLayout(withoutExtension(content));
    const qsizetype records = fixed.size() - content.trailing.size();
    QCborMap map = QCborValue::fromCbor(scanExtensionBlock(bytes.sliced(records)).payload).toMap();
    QCborArray texts = map.value(QStringLiteral("TextItems")).toArray();
    QCborMap first = texts.at(0).toMap();
    first.insert(QStringLiteral("Left"), 0.1);
    texts[0] = first;
    map.insert(QStringLiteral("TextItems"), texts);
    const QByteArray fine =
        fixed.first(records) + frameExtensionBlock(QCborValue(map).toCbor()) + content.trailing;
    const LayoutFileContent readFine = parsed(fine);
    ASSERT_EQ(readFine.items.size(), 3u);
    EXPECT_EQ(readFine.items[1].Left, 0.1f);
    EXPECT_EQ(serializeLayout(readFine), fine);
}

TEST(ExtensionBlock, JsonShowsTheExtensionInPlace) {
    std::mt19937 rng(11);
    LayoutFileContent content = extendedLayout(rng);
    content.header.ItemCount = 3;
    content.extension.sections.insert(QStringLiteral("Later"), true);
    const QByteArray json = layoutToJson(content);
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    const QJsonArray items = root.value("Items").toArray();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items.at(1).toObject().value("WeekStart").toString(), "Monday");
    EXPECT_FALSE(items.at(0).toObject().contains("WeekStart"));
    const QJsonArray texts = root.value("TextItems").toArray();
    ASSERT_EQ(texts.size(), 3);
    const QJsonObject first = texts.at(0).toObject();
    EXPECT_EQ(first.value("Order").toInt(), 0);
    EXPECT_EQ(first.value("Text").toString(), QStringLiteral("{和暦年度} 年間行事\n株式会社 扉絵"));
    EXPECT_EQ(first.value("Font").toObject().value("Size").toInt(), 18);
    EXPECT_EQ(first.value("BackColor").toInt(), 0x00CCFFFF);
    EXPECT_EQ(first.value("Transparent").toInt(), 0x00FFFFFF);
    EXPECT_TRUE(first.value("MoveLocked").toBool());
    EXPECT_FALSE(texts.at(1).toObject().contains("BackColor"));
    EXPECT_EQ(texts.at(2).toObject().value("Order").toInt(), 5);
    EXPECT_TRUE(root.value("Extension").toObject().value("Later").toBool());
    EXPECT_TRUE(items.at(2).toObject().value("HideOwnNames").toBool());
    EXPECT_FALSE(items.at(1).toObject().contains("HideOwnNames"));
    const QJsonObject own = root.value("OwnDays").toObject();
    EXPECT_EQ(own.value("Days").toArray().at(0).toObject().value("Date").toString(),
              "12-29..01-03");
    EXPECT_EQ(own.value("Days").toArray().at(2).toObject().value("Kind").toString(),
              QStringLiteral("出勤日"));
    EXPECT_EQ(own.value("Files").toArray().at(0).toString(), QStringLiteral("会社.ics"));
    EXPECT_EQ(own.value("TimeZone").toString(), "Europe/Berlin");
    EXPECT_EQ(own.value("WeeklyDaysOff").toArray(),
              (QJsonArray{QStringLiteral("水"), QStringLiteral("日")}));
    EXPECT_EQ(items.at(2).toObject().value("WeekNumbers").toString(), "ISO");
    const QJsonObject senjitsu = items.at(0).toObject().value("SelectedDays").toObject();
    EXPECT_EQ(senjitsu.value("Names").toArray(),
              (QJsonArray{QStringLiteral("一粒万倍日"), QStringLiteral("天赦日")}));
    EXPECT_EQ(senjitsu.value("Pos").toObject().value("Y").toInt(), 40);
    EXPECT_FALSE(senjitsu.contains("UpperPos"));
    EXPECT_EQ(senjitsu.value("Font").toObject().value("FaceName").toString(), "IPAMincho");
    EXPECT_EQ(items.at(0).toObject().value("MoonPhase").toObject().value("Style").toString(),
              "Name");
    EXPECT_EQ(items.at(1).toObject().value("MoonAge").toObject(), (QJsonObject{{"Shown", true}}));

    const LayoutJsonResult back = layoutFromJson(json);
    ASSERT_TRUE(back.content) << back.error.toStdString();
    EXPECT_EQ(serializeLayout(*back.content), serializeLayout(content));
}

TEST(ExtensionBlock, JsonRefusesWhatItDoesNotKnowByName) {
    std::mt19937 rng(12);
    LayoutFileContent content = extendedLayout(rng);
    content.header.ItemCount = 3;
    const QJsonObject root = QJsonDocument::fromJson(layoutToJson(content)).object();
    auto edited = [&](auto change) {
        QJsonObject copy = root;
        change(copy);
        return layoutFromJson(QJsonDocument(copy).toJson()).error.toStdString();
    };
    // One key of one entry of a list set to the value, or removed for an undefined one.
    const auto withEntry = [](QJsonObject list, const QString& name, int index, const char* key,
                              const QJsonValue& value) {
        QJsonArray entries = list[name].toArray();
        QJsonObject entry = entries[index].toObject();
        if (value.isUndefined())
            entry.remove(QString::fromLatin1(key));
        else
            entry[QString::fromLatin1(key)] = value;
        entries[index] = entry;
        list[name] = entries;
        return list;
    };
    const auto entryEdited = [&](const char* name, int index, const char* key, QJsonValue value) {
        return edited([&](QJsonObject& r) {
            r = withEntry(r, QString::fromLatin1(name), index, key, value);
        });
    };
    EXPECT_EQ(entryEdited("TextItems", 0, "Colour", 1), "TextItems[0].Colour: 不明なキーです。");
    // "Sunday", the default, is read as well as written out by other programs.
    {
        QJsonObject sunday = withEntry(root, QStringLiteral("Items"), 1, "WeekStart", "Sunday");
        const LayoutJsonResult read = layoutFromJson(QJsonDocument(sunday).toJson());
        ASSERT_TRUE(read.content) << read.error.toStdString();
        const auto records = fixedRecords(read.content->items);
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[1]->Ext.weekStart, WeekStart::Sunday);
    }
    EXPECT_EQ(entryEdited("Items", 2, "WeekStart", "Tuesday"),
              "Items[2].WeekStart: \"Sunday\" か \"Monday\" が必要です。");
    EXPECT_EQ(entryEdited("TextItems", 1, "Text", QJsonValue(QJsonValue::Undefined)),
              "TextItems[1].Text: がありません。");
    EXPECT_EQ(entryEdited("TextItems", 1, "HPlacement", 3),
              "TextItems[1].HPlacement: 0～2 の整数が必要です。");
    EXPECT_EQ(edited([](QJsonObject& r) { r["TextItem"] = QJsonArray(); }),
              "TextItem: 不明なキーです。");
    EXPECT_EQ(entryEdited("Items", 2, "HideOwnNames", 1),
              "Items[2].HideOwnNames: true または false が必要です。");
    const auto ownDaysEdit = [&](const char* key, QJsonValue value) {
        return edited([&](QJsonObject& r) {
            r["OwnDays"] =
                withEntry(r["OwnDays"].toObject(), QStringLiteral("Days"), 1, key, value);
        });
    };
    EXPECT_EQ(ownDaysEdit("Date", "2027-02-30"),
              "OwnDays.Days[1].Date: 2027-02-30 は存在しない日付です。");
    EXPECT_EQ(ownDaysEdit("Kind", QStringLiteral("祝日")),
              "OwnDays.Days[1].Kind: 祝日 は種類ではありません。");
    EXPECT_EQ(edited([](QJsonObject& r) { r["OwnDays"] = 3; }),
              "OwnDays: オブジェクトが必要です。");
    EXPECT_EQ(edited([](QJsonObject& r) {
                  QJsonObject own = r["OwnDays"].toObject();
                  own["WeeklyDaysOff"] = QJsonArray{QStringLiteral("土"), QStringLiteral("Sun")};
                  r["OwnDays"] = own;
              }),
              "OwnDays.WeeklyDaysOff[1]: 日 月 火 水 木 金 土 のどれかが必要です。");
    EXPECT_EQ(entryEdited("Items", 2, "WeekNumbers", "US"),
              "Items[2].WeekNumbers: \"ISO\" か \"FirstJanuary\" が必要です。");
    EXPECT_EQ(entryEdited("Items", 0, "SelectedDays",
                          QJsonObject{{"Names", QJsonArray{QStringLiteral("大安")}}}),
              "Items[0].SelectedDays.Names: 選日の名前が必要です (0 番目)。");
    EXPECT_EQ(entryEdited("Items", 0, "MoonPhase", QJsonObject{{"Pos", QJsonObject{{"X", 1}}}}),
              "Items[0].MoonPhase.Pos.Y: がありません。");
    EXPECT_EQ(entryEdited("Items", 0, "MoonAge", QJsonObject{{"Colour", 1}}),
              "Items[0].MoonAge.Colour: 不明なキーです。");
    EXPECT_EQ(edited([&](QJsonObject& r) {
                  QJsonObject senjitsu =
                      r["Items"].toArray()[0].toObject()["SelectedDays"].toObject();
                  QJsonObject font = senjitsu["Font"].toObject();
                  font["Outline"] = 2;
                  senjitsu["Font"] = font;
                  r = withEntry(r, QStringLiteral("Items"), 0, "SelectedDays", senjitsu);
              }),
              "Items[0].SelectedDays.Font.Outline: 不明なキーです。");
}

} // namespace
} // namespace tobirae
