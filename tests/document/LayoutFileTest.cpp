#include "document/LayoutFile.h"

#include "LayoutSamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using testing::liveItem;
using testing::randomItem;
using testing::randomLayout;

std::int64_t readLittle(const QByteArray& bytes, qsizetype at, int size) {
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i)
        v |= std::uint64_t(static_cast<std::uint8_t>(bytes.at(at + i))) << (8 * i);
    // sign-extend
    const int bits = 8 * size;
    if (bits < 64 && (v >> (bits - 1)) & 1)
        v |= ~std::uint64_t(0) << bits;
    return static_cast<std::int64_t>(v);
}

QByteArray itemBytes(const LayoutItem& item) {
    LayoutFileContent content;
    content.items.push_back(item);
    return serializeLayout(content).mid(kPageHeaderSize);
}

TEST(LayoutFile, ItemFieldsSitAtTheirRecordOffsets) {
    LayoutItem item;
    item.Top = 1.5f;
    item.Left = -2.25f;
    item.Height = 400;
    item.Reserved2 = 0x11223344;
    item.Live = kTrue;
    item.Category = 3;
    item.MonthSelector = 13;
    item.WeekdayStyle = 7;
    item.Reserved4 = -2;
    item.SpareFont.Size = 11;
    item.DateColor[0] = 0x0000FF;
    item.DateColor[8] = 0x123456;
    item.element(Year1).Shown = kTrue;
    item.element(Year1).Font.Size = 24;
    item.element(Year1).Font.Angle = 90;
    item.element(Year1).Font.Vertical = 2;
    item.element(Year1).Pos = {5, 6};
    item.element(Year1).Style = 29;
    item.element(Year1).HCenterLock = kTrue;
    item.element(Month4).HCenterLock = -7;
    item.element(Day).LowerPos = {70, 71};
    item.element(Day).VCenterLock = 3;
    item.element(Weekday).Pos = {80, 81};
    item.element(Weekday).VCenterLock = 4;
    item.element(Rokuyo).Style = 5;
    item.element(SolarTerm).VCenterLock = 6;
    item.element(Holiday).LowerPos = {90, 91};
    item.RuleBlock[0] = 0xAB;
    item.RuleBlock[kRuleBlockSize - 1] = 0xCD;
    item.DesignWidth = 300;
    item.Reserved5 = 9;
    item.DesignHeight = 200;
    item.HPlacement = 2;
    item.FreeAspect = kTrue;
    item.PictureFile.setText(QStringLiteral("a.bmp"));
    item.CellBackColor[0] = 0xC0FFC0;
    item.CellBackColor[99] = 0x010203;
    item.Reserved6[0] = 0xEE;
    item.Reserved6[kReserved6Size - 1] = 0xEF;
    item.WeekdayNameColor[6] = 0x0000FF;
    item.Reserved7[1] = 17;
    item.VCenterLock[7] = -1;
    item.Align[12] = 2;
    item.Reserved8[0] = 18;
    item.OldCalendarStyle = 3;
    item.SekkiSelection = 4;
    item.Reserved9 = 19;
    item.BackColor = 0xFFFFFF;
    item.Transparent = kTrue;
    item.TransparentColor = 0x00FF00;
    item.Reserved10 = 0xFE;

    const QByteArray b = itemBytes(item);
    ASSERT_EQ(b.size(), kItemRecordSize);

    float f = 0;
    std::memcpy(&f, b.constData() + 0, 4);
    EXPECT_EQ(f, 1.5f);
    std::memcpy(&f, b.constData() + 4, 4);
    EXPECT_EQ(f, -2.25f);
    std::memcpy(&f, b.constData() + 12, 4);
    EXPECT_EQ(f, 400.0f);

    struct Expect {
        qsizetype offset;
        int size;
        std::int64_t value;
    };
    const Expect table[] = {
        {20, 4, 0x11223344}, {32, 2, -1},         {38, 4, 3},        {50, 4, 13},
        {58, 4, 7},          {62, 2, -2},         {64, 2, 0},        {66, 2, 0},
        {68, 2, 0},          {70 + 64, 4, 11},    {216, 4, 0xFF},    {248, 4, 0x123456},
        {252, 2, -1},        {254 + 64, 4, 24},   {254 + 76, 4, 90}, {254 + 144, 2, 2},
        {400, 4, 5},         {404, 4, 6},         {408, 4, 29},      {412, 2, -1},
        {1222, 2, -7},       {1388, 4, 70},       {1392, 4, 71},     {1398, 2, 3},
        {1548, 4, 80},       {1552, 4, 81},       {1558, 2, 4},      {1732, 4, 5},
        {2278, 2, 6},        {2444, 4, 90},       {2448, 4, 91},     {2452, 1, -85},
        {3033, 1, -51},      {3034, 4, 300},      {3038, 2, 9},      {3040, 4, 200},
        {3048, 4, 2},        {3054, 2, -1},       {3056, 1, 'a'},    {3312, 4, 0xC0FFC0},
        {3708, 4, 0x010203}, {3712, 1, -18},      {3829, 1, -17},    {3854, 4, 0xFF},
        {3860, 2, 17},       {3876, 2, -1},       {3902, 2, 2},      {3904, 2, 18},
        {3908, 2, 3},        {3910, 2, 4},        {3912, 2, 19},     {3914, 4, 0xFFFFFF},
        {3918, 2, -1},       {3920, 4, 0x00FF00}, {3924, 1, -2},
    };
    for (const Expect& e : table)
        EXPECT_EQ(readLittle(b, e.offset, e.size), e.value) << "offset " << e.offset;
    // The picture path is padded with blanks to its 256 bytes.
    EXPECT_EQ(b.mid(3056, 256), QByteArray("a.bmp") + QByteArray(251, ' '));
}

TEST(LayoutFile, HeaderFieldsSitAtTheirOffsets) {
    LayoutFileContent content;
    content.header = {7, 1, 100.5f, 150.0f, 3, kFalse, 0, 5, 0x00ABCDEF};
    content.items = {LayoutItem{}, LayoutItem{}};
    const QByteArray b = serializeLayout(content);
    ASSERT_EQ(b.size(), kPageHeaderSize + 2 * kItemRecordSize);
    EXPECT_EQ(readLittle(b, 0, 4), 7);
    EXPECT_EQ(readLittle(b, 4, 4), 1);
    float w = 0;
    std::memcpy(&w, b.constData() + 8, 4);
    EXPECT_EQ(w, 100.5f);
    EXPECT_EQ(readLittle(b, 16, 4), 3);
    EXPECT_EQ(readLittle(b, 20, 2), 0);
    EXPECT_EQ(readLittle(b, 22, 4), 2) << "ItemCount is the number of records";
    EXPECT_EQ(readLittle(b, 26, 2), 5);
    EXPECT_EQ(readLittle(b, 28, 4), 0x00ABCDEF);
}

TEST(LayoutFile, RandomLayoutsRoundTripByteForByte) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 30; ++round) {
        const LayoutFileContent original = randomLayout(rng, round % 4);
        const QByteArray bytes = serializeLayout(original);
        const LayoutParseResult parsed = parseLayoutBytes(bytes);
        ASSERT_TRUE(parsed.content) << parsed.error.toStdString();
        EXPECT_TRUE(*parsed.content == original) << "round " << round;
        EXPECT_EQ(serializeLayout(*parsed.content), bytes) << "round " << round;
    }
}

TEST(LayoutFile, NonEmptyTextsOfOtherWritersAreKeptAndMoveLaterFields) {
    LayoutItem item = liveItem(CategoryYear);
    item.Spare2 = QByteArray("\x93\xfa\x96\x7b", 4); // 日本 in code page 932
    item.Reserved10 = 0x5A;
    const QByteArray b = itemBytes(item);
    ASSERT_EQ(b.size(), kItemRecordSize + 4);
    EXPECT_EQ(readLittle(b, 66, 2), 4);
    EXPECT_EQ(b.at(b.size() - 1), 0x5A);
    LayoutFileContent content;
    content.items.push_back(item);
    const auto parsed = parseLayoutBytes(serializeLayout(content));
    ASSERT_TRUE(parsed.content);
    EXPECT_EQ(parsed.content->items.at(0).Spare2, item.Spare2);
}

TEST(FixedTextField, KeepsItsBytesUntilAssigned) {
    FixedText<64> neverAssigned;
    EXPECT_EQ(neverAssigned.text(), QString());
    LayoutItem item;
    item.element(Day).Font.ForeColor.bytes = {'2', '5', '5', 0, 'x', 'y'};
    LayoutFileContent content;
    content.items.push_back(item);
    const auto parsed = parseLayoutBytes(serializeLayout(content));
    ASSERT_TRUE(parsed.content);
    const LayoutItem& back = parsed.content->items.at(0);
    EXPECT_EQ(back.element(Day).Font.ForeColor.text(), QStringLiteral("255"));
    EXPECT_EQ(back.element(Day).Font.ForeColor.bytes, item.element(Day).Font.ForeColor.bytes);
    EXPECT_EQ(back.SpareFont.FaceName.bytes, (std::array<std::uint8_t, 64>{}));
}

TEST(FixedTextField, JapaneseNamesAreCutAtWholeCharactersToFit) {
    const QString kanji = QString(40, QChar(0x660E)); // 明 × 40: 80 bytes in code page 932
    FixedText<64> face;
    face.setText(kanji);
    EXPECT_EQ(face.text(), QString(32, QChar(0x660E)));
    EXPECT_EQ(face.bytes[62], 0x96);
    EXPECT_EQ(face.bytes[63], 0xBE);

    // One byte less room after an ASCII letter: the character that does not fit is dropped
    // and the gap padded, never half a character written.
    face.setText(QStringLiteral("A") + kanji);
    EXPECT_EQ(face.text(), QStringLiteral("A") + QString(31, QChar(0x660E)));
    EXPECT_EQ(face.bytes[63], ' ');

    face.setText(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(face.text(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(face.bytes[0], 0x82); // Ｍ
    EXPECT_EQ(face.bytes[1], 0x6C);
}

QByteArray twoItemFile() {
    LayoutFileContent content;
    content.header.Resolution = 4;
    LayoutItem first = liveItem(CategoryMonthFamily, VariantBox6);
    first.Spare1 = "x"; // a text of another writer, so truncations hit an STR length too
    first.SpareFont.FaceName.setText(QStringLiteral("ＭＳ 明朝"));
    content.items = {first, liveItem(CategoryPicture)};
    return serializeLayout(content);
}

TEST(LayoutFileDamage, EveryTruncationIsRefusedWithAReason) {
    const QByteArray full = twoItemFile();
    ASSERT_TRUE(parseLayoutBytes(full).content);
    for (qsizetype n = 0; n < full.size(); ++n) {
        const LayoutParseResult r = parseLayoutBytes(full.left(n));
        ASSERT_FALSE(r.content) << "length " << n;
        ASSERT_FALSE(r.error.isEmpty()) << "length " << n;
    }
    EXPECT_TRUE(parseLayoutBytes(full.left(31)).error.contains(QStringLiteral("ヘッダー")));
    EXPECT_TRUE(parseLayoutBytes(full.left(40)).error.contains(QStringLiteral("アイテム 1 / 2")));
    EXPECT_TRUE(parseLayoutBytes(full.left(full.size() - 1))
                    .error.contains(QStringLiteral("アイテム 2 / 2")));
}

TEST(LayoutFileDamage, BadCountsAndLengthsAreRefused) {
    const QByteArray full = twoItemFile();
    struct Case {
        const char* name;
        qsizetype offset;
        QByteArray bytes;
        const char16_t* reason;
    };
    const Case cases[] = {
        {"negative count", 22, QByteArray("\xFF\xFF\xFF\xFF", 4), u"アイテム数 -1"},
        {"count above 100", 22, QByteArray("\x65\x00\x00\x00", 4), u"アイテム数 101"},
        {"huge count", 22, QByteArray("\xFF\xFF\xFF\x7F", 4), u"アイテム数 2147483647"},
        {"text past the end", 32 + 64, QByteArray("\xFF\xFF", 2), u"Spare1 の長さ (65535 バイト)"},
        {"paper width NaN", 8, QByteArray("\x00\x00\xC0\x7F", 4), u"用紙"},
        {"item top infinite", 32 + 0, QByteArray("\x00\x00\x80\x7F", 4), u"アイテム 1 の位置"},
    };
    for (const Case& c : cases) {
        QByteArray damaged = full;
        damaged.replace(c.offset, c.bytes.size(), c.bytes);
        const LayoutParseResult r = parseLayoutBytes(damaged);
        EXPECT_FALSE(r.content) << c.name;
        EXPECT_TRUE(r.error.contains(QString::fromUtf16(c.reason)))
            << c.name << ": " << r.error.toStdString();
    }
}

TEST(LayoutFileDamage, TrailingBytesAreIgnoredButKept) {
    const QByteArray full = twoItemFile() + QByteArray("tail", 4);
    const LayoutParseResult r = parseLayoutBytes(full);
    ASSERT_TRUE(r.content);
    EXPECT_EQ(r.content->items.size(), 2u);
    EXPECT_EQ(r.content->trailing, QByteArray("tail"));
    EXPECT_EQ(serializeLayout(*r.content), full);
}

TEST(LayoutFileDamage, SeededMutationsNeverCrashAndReadableResultsRoundTrip) {
    const QByteArray full = twoItemFile();
    std::mt19937 rng(7);
    int readable = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = full;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(rng() % static_cast<unsigned>(damaged.size()));
            switch (rng() % 4) {
            case 0: // header fields and text lengths are the interesting places
                damaged[static_cast<qsizetype>(rng() % 40)] = static_cast<char>(rng());
                break;
            case 1:
                damaged[at] = static_cast<char>(rng());
                break;
            case 2:
                damaged.truncate(at);
                break;
            default:
                damaged.insert(at, static_cast<char>(rng()));
            }
            if (damaged.isEmpty())
                damaged = full.left(1);
        }
        const LayoutParseResult r = parseLayoutBytes(damaged);
        ASSERT_NE(r.content.has_value(), !r.error.isEmpty());
        if (r.content) {
            ++readable;
            ASSERT_LE(r.content->items.size(), 100u);
            ASSERT_EQ(serializeLayout(*r.content), damaged) << "round " << round;
        }
    }
    EXPECT_GT(readable, 0);
}

TEST(LayoutFileName, EndsInClfInAnyCase) {
    const struct {
        const char* name;
        bool isLayout;
    } cases[] = {
        {"cal.CLF", true},
        {"  cal.clf  ", true},
        {"C:\\a b\\x.Clf", true},
        {"cal.clf.bak", false},
        {"cal.bmp", false},
        {"clf", false},
        {"", false},
        {".CLF", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isLayoutFileName(QString::fromUtf8(c.name)), c.isLayout) << c.name;
}

class LayoutFileOnDisk : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(LayoutFileOnDisk, SavedDrawingOrderBecomesSlotOrderWhenRead) {
    LayoutDocument doc;
    const std::int32_t kinds[3] = {CategoryYear, CategoryMonthDisplay, CategoryPicture};
    for (int k : kinds) {
        const auto where = doc.findSlotForNewItem();
        ASSERT_TRUE(where);
        doc.item(where->slot) = liveItem(k);
        doc.item(where->slot).Width = 100.0f + static_cast<float>(k);
        doc.commitNewItem(where->slot);
    }
    // drawing order slot 2, 0, 1
    ASSERT_EQ(doc.moveInDrawingOrder(2, -1), 1);
    ASSERT_EQ(doc.moveInDrawingOrder(1, -1), 0);
    ASSERT_EQ(doc.liveSlotsInDrawingOrder(), (std::vector<int>{2, 0, 1}));
    doc.page.ResolutionIndex = 4;
    doc.page.ResolutionDpi = 300;

    ASSERT_EQ(writeLayoutFile(doc, path("order.CLF")), std::nullopt);
    QFile file(path("order.CLF"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(readLittle(bytes, 22, 4), 3);
    EXPECT_EQ(readLittle(bytes, 16, 4), 4);
    EXPECT_EQ(readLittle(bytes, 28, 4), 0x00FFFFFF);
    EXPECT_EQ(readLittle(bytes, 0, 4), 1);

    const ReadResult read = readLayoutFile(path("order.CLF"));
    ASSERT_TRUE(read.document) << read.error.toStdString();
    const LayoutDocument& back = *read.document;
    EXPECT_EQ(back.path(), path("order.CLF"));
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(back.itemNumber(s), s + 1);
        EXPECT_TRUE(back.item(s) == doc.item((s + 2) % 3)) << "slot " << s;
    }
    EXPECT_EQ(back.liveSlotsInDrawingOrder(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(back.drawingOrder().at(0).text, QStringLiteral(" 1 画像表示"));
    EXPECT_EQ(back.highestItemNumber(), 3);
    // Saving the read document again gives the same bytes.
    ASSERT_EQ(writeLayoutFile(back, path("again.CLF")), std::nullopt);
    QFile again(path("again.CLF"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
}

TEST_F(LayoutFileOnDisk, HeaderResolutionIndexGivesDotsPerInch) {
    LayoutFileContent content;
    content.header.FormatVersion = 7;
    content.header.Resolution = 1;
    content.header.PaperSize = 1;
    content.header.PaperWidth = 100;
    content.header.PaperHeight = 150;
    content.header.Portrait = kFalse;
    content.items = {liveItem(CategoryYear)};
    ASSERT_EQ(writeFileAtomically(path("a.clf"), serializeLayout(content)), std::nullopt);
    ReadResult read = readLayoutFile(path("a.clf"), 120);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(read.document->page.ResolutionDpi, 100);
    EXPECT_EQ(read.document->page.PaperWidth, 100.0f);
    EXPECT_FALSE(read.document->page.Portrait);

    content.header.Resolution = 5;
    ASSERT_EQ(writeFileAtomically(path("a.clf"), serializeLayout(content)), std::nullopt);
    read = readLayoutFile(path("a.clf"), 120);
    ASSERT_TRUE(read.document);
    EXPECT_EQ(read.document->page.ResolutionDpi, 120);
}

TEST_F(LayoutFileOnDisk, MissingAndDamagedFilesGiveReasonsAndNoDocument) {
    const ReadResult missing = readLayoutFile(path("none.CLF"));
    EXPECT_FALSE(missing.document);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("見つかりません")));

    ASSERT_EQ(writeFileAtomically(path("short.CLF"), twoItemFile().left(100)), std::nullopt);
    const ReadResult cut = readLayoutFile(path("short.CLF"));
    EXPECT_FALSE(cut.document);
    EXPECT_TRUE(cut.error.contains(QStringLiteral("途中")));

    const ReadResult folder = readLayoutFile(dir.path());
    EXPECT_FALSE(folder.document);
    EXPECT_FALSE(folder.error.isEmpty());
}

TEST_F(LayoutFileOnDisk, SaveIntoAMissingFolderFailsAndLeavesNothing) {
    LayoutDocument doc;
    const auto error = writeLayoutFile(doc, path("no/such/folder/x.CLF"));
    ASSERT_TRUE(error);
    EXPECT_FALSE(QFile::exists(path("no/such/folder/x.CLF")));
}

} // namespace
} // namespace tobirae
