#include "document/LayoutJson.h"

#include "LayoutSamples.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using testing::liveItem;
using testing::randomLayout;

TEST(LayoutJson, RandomLayoutsComeBackByteForByte) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        LayoutFileContent original = randomLayout(rng, round % 3);
        if (round % 5 == 0)
            original.trailing = QByteArray("\x00\x01junk", 6);
        const QByteArray bytes = serializeLayout(original);
        const QByteArray json = layoutToJson(original);
        const LayoutJsonResult back = layoutFromJson(json);
        ASSERT_TRUE(back.content) << back.error.toStdString();
        EXPECT_EQ(serializeLayout(*back.content), bytes) << "round " << round;
    }
}

QJsonObject sampleJson() {
    LayoutFileContent content;
    content.header.PaperWidth = 210;
    LayoutItem item = liveItem(CategoryMonthFamily, VariantBox5);
    item.element(Year1).Font.FaceName.setText(QStringLiteral("ＭＳ 明朝"));
    item.element(Day).Font.ForeColor.bytes = {'2', '5', '5', 0, 'x'};
    item.DesignWidth = 294;
    item.Top = 1.1f;
    item.Left = -0.0f;
    content.items = {item};
    content.header.ItemCount = 1;
    return QJsonDocument::fromJson(layoutToJson(content)).object();
}

TEST(LayoutJson, KeysAreTheRecordFieldNames) {
    const QJsonObject root = sampleJson();
    const QJsonObject page = root.value("PageSettings").toObject();
    EXPECT_EQ(page.value("PaperWidth").toDouble(), 210.0);
    EXPECT_EQ(page.value("ItemCount").toInt(), 1);
    const QJsonObject item = root.value("Items").toArray().at(0).toObject();
    EXPECT_EQ(item.value("Category").toInt(), 1);
    EXPECT_EQ(item.value("DesignWidth").toInt(), 294);
    EXPECT_EQ(static_cast<float>(item.value("Top").toDouble()), 1.1f);
    EXPECT_EQ(item.value("Live").toInt(), -1);
    const QJsonObject year1 = item.value("Year1").toObject();
    EXPECT_EQ(year1.value("Font").toObject().value("FaceName").toString(),
              QStringLiteral("ＭＳ 明朝"));
    EXPECT_TRUE(year1.contains("Style"));
    EXPECT_FALSE(year1.contains("UpperPos"));
    const QJsonObject weekday = item.value("Weekday").toObject();
    EXPECT_FALSE(weekday.contains("UpperPos"));
    EXPECT_TRUE(weekday.contains("VCenterLock"));
    EXPECT_FALSE(item.value("Holiday").toObject().contains("HCenterLock"));
    EXPECT_TRUE(item.value("SpareFont").toObject().value("FaceName").isNull())
        << "a never-assigned text is null";
    EXPECT_EQ(item.value("Day")
                  .toObject()
                  .value("Font")
                  .toObject()
                  .value("ForeColor")
                  .toObject()
                  .value("Hex")
                  .toString()
                  .left(10),
              QStringLiteral("3235350078"));
    EXPECT_EQ(item.value("Left").toObject().value("Hex").toString(), QStringLiteral("00000080"));
    EXPECT_EQ(item.value("RuleBlock").toString().size(), 2 * kRuleBlockSize);
    EXPECT_EQ(item.value("CellBackColor").toArray().size(), 100);
    EXPECT_FALSE(root.contains("TrailingBytes"));
}

TEST(LayoutJson, HandWrittenTextsAreEncoded) {
    QJsonObject root = sampleJson();
    QJsonArray items = root.value("Items").toArray();
    QJsonObject item = items.at(0).toObject();
    item["PictureFile"] = QStringLiteral("写真.bmp");
    item["Top"] = 12.5;
    items[0] = item;
    root["Items"] = items;
    const LayoutJsonResult r = layoutFromJson(QJsonDocument(root).toJson());
    ASSERT_TRUE(r.content) << r.error.toStdString();
    EXPECT_EQ(r.content->items.at(0).PictureFile.text(), QStringLiteral("写真.bmp"));
    EXPECT_EQ(r.content->items.at(0).Top, 12.5f);
}

// Edits the first item of the sample and expects an error that starts with the given path.
void expectItemError(const std::function<void(QJsonObject&)>& edit, const char* path) {
    QJsonObject root = sampleJson();
    QJsonArray items = root.value("Items").toArray();
    QJsonObject item = items.at(0).toObject();
    edit(item);
    items[0] = item;
    root["Items"] = items;
    const LayoutJsonResult r = layoutFromJson(QJsonDocument(root).toJson());
    EXPECT_FALSE(r.content) << path;
    EXPECT_TRUE(r.error.startsWith(QString::fromUtf8(path)))
        << path << " → " << r.error.toStdString();
}

TEST(LayoutJson, ErrorsNameTheField) {
    expectItemError([](QJsonObject& i) { i.remove("Category"); }, "Items[0].Category:");
    expectItemError([](QJsonObject& i) { i["Category"] = "one"; }, "Items[0].Category:");
    expectItemError([](QJsonObject& i) { i["Reserved4"] = 40000; }, "Items[0].Reserved4:");
    expectItemError([](QJsonObject& i) { i["Reserved10"] = -1; }, "Items[0].Reserved10:");
    expectItemError([](QJsonObject& i) { i["DesignWidth"] = 1.5; }, "Items[0].DesignWidth:");
    expectItemError([](QJsonObject& i) { i["Colour"] = 1; }, "Items[0].Colour:");
    expectItemError([](QJsonObject& i) { i["RuleBlock"] = "00"; }, "Items[0].RuleBlock:");
    expectItemError([](QJsonObject& i) { i["Top"] = "x"; }, "Items[0].Top:");
    expectItemError([](QJsonObject& i) { i["Top"] = 1e39; }, "Items[0].Top:");
    expectItemError(
        [](QJsonObject& i) {
            i["Top"] = QJsonObject{{"Hex", "0000807f"}};
        },
        "Items[0]:");
    expectItemError([](QJsonObject& i) { i["Align"] = QJsonArray{0, 1}; }, "Items[0].Align:");
    expectItemError(
        [](QJsonObject& i) {
            QJsonArray a = i["Align"].toArray();
            a[12] = "x";
            i["Align"] = a;
        },
        "Items[0].Align[12]:");
    expectItemError([](QJsonObject& i) { i["PictureFile"] = QString(257, QLatin1Char('a')); },
                    "Items[0].PictureFile:");
    expectItemError([](QJsonObject& i) { i["PictureFile"] = QStringLiteral("😀"); },
                    "Items[0].PictureFile:");
    expectItemError(
        [](QJsonObject& i) {
            i["Spare1"] = QJsonObject{{"Hex", "zz"}};
        },
        "Items[0].Spare1:");
    expectItemError(
        [](QJsonObject& i) {
            QJsonObject year = i["Year1"].toObject();
            QJsonObject font = year["Font"].toObject();
            font["Size"] = QJsonValue();
            year["Font"] = font;
            i["Year1"] = year;
        },
        "Items[0].Year1.Font.Size:");
    expectItemError(
        [](QJsonObject& i) {
            QJsonObject weekday = i["Weekday"].toObject();
            weekday["UpperPos"] = QJsonObject{{"X", 0}, {"Y", 0}};
            i["Weekday"] = weekday;
        },
        "Items[0].Weekday.UpperPos:");
}

TEST(LayoutJson, DocumentLevelErrors) {
    EXPECT_FALSE(layoutFromJson("{").error.isEmpty());
    EXPECT_FALSE(layoutFromJson("[]").error.isEmpty());
    QJsonObject root = sampleJson();
    root["Extra"] = 1;
    EXPECT_TRUE(layoutFromJson(QJsonDocument(root).toJson()).error.startsWith("Extra:"));

    root = sampleJson();
    QJsonObject page = root["PageSettings"].toObject();
    page["ItemCount"] = 2;
    root["PageSettings"] = page;
    EXPECT_TRUE(
        layoutFromJson(QJsonDocument(root).toJson()).error.startsWith("PageSettings.ItemCount:"));

    // A paper side that is no number is named by its own field.
    for (const char* side : {"PaperWidth", "PaperHeight"}) {
        root = sampleJson();
        page = root["PageSettings"].toObject();
        page[side] = QJsonObject{{"Hex", "0000c07f"}};
        root["PageSettings"] = page;
        const QString error = layoutFromJson(QJsonDocument(root).toJson()).error;
        EXPECT_TRUE(error.startsWith(QStringLiteral("PageSettings.%1:").arg(side)))
            << error.toStdString();
    }

    root = sampleJson();
    root["TrailingBytes"] = "abc";
    EXPECT_TRUE(layoutFromJson(QJsonDocument(root).toJson()).error.startsWith("TrailingBytes:"));

    root = sampleJson();
    QJsonArray many;
    for (int i = 0; i < 101; ++i)
        many.append(root["Items"].toArray().at(0));
    root["Items"] = many;
    EXPECT_TRUE(layoutFromJson(QJsonDocument(root).toJson()).error.startsWith("Items:"));
}

} // namespace
} // namespace tobirae
