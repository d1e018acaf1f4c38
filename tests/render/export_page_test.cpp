#include "bitmap/RenderContext.h"
#include "document/LayoutFile.h"
#include "owndays/OwnDayTable.h"
#include "render/NewItemDefaults.h"
#include "render/PageExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cfloat>
#include <climits>
#include <functional>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

// A page job with month-display items at the given positions (small pages keep tests fast).
PageJob smallJob(int items, int dpi = 96) {
    PageJob job;
    job.canvas = QSize(200, 150);
    job.dpi = dpi;
    for (int i = 0; i < items; ++i) {
        ExportEntry e;
        applyNewItemDefaults(CategoryMonthDisplay, 0, e.item, 210, 297);
        e.item.Live = kTrue;
        e.item.Left = static_cast<float>(10 + 60 * i);
        e.item.Top = 10;
        e.item.Width = 40;
        e.item.Height = 30;
        e.drawn = true;
        e.box = QRectF(e.item.Left, e.item.Top, 44, 34);
        job.entries.push_back(e);
    }
    return job;
}

std::uint32_t u32(const QByteArray& b, int offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[offset + i]);
    return v;
}

class ExportPage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir;
};

TEST_F(ExportPage, OneItemRunsFiveProgressSteps) {
    std::vector<ExportProgress> steps;
    ExportOptions options;
    options.progress = [&](const ExportProgress& p) { steps.push_back(p); };
    const ExportResult result = exportPage(smallJob(1), 2027, 1, path("a.bmp"), options);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(steps.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(steps[i].step, i + 1);
        EXPECT_EQ(steps[i].total, 5);
    }
    EXPECT_EQ(steps[0].text, QStringLiteral("ビットマップの作成中"));
    EXPECT_EQ(steps[1].text, QStringLiteral("背景色の設定中"));
    EXPECT_EQ(steps[2].text, QStringLiteral("アイテム1の描画中"));
    EXPECT_EQ(steps[3].text, QStringLiteral("ファイル作成中"));
    EXPECT_EQ(result.itemsDrawn, 1);
}

TEST_F(ExportPage, AnEntryNotDrawnStillCountsInTheItemNumbers) {
    PageJob job = smallJob(3);
    job.entries[1].drawn = false;
    std::vector<QString> texts;
    ExportOptions options;
    options.progress = [&](const ExportProgress& p) {
        texts.push_back(p.text);
        EXPECT_EQ(p.total, 6);
    };
    ASSERT_TRUE(exportPage(job, 2027, 1, path("a.bmp"), options).ok);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[2], QStringLiteral("アイテム1の描画中"));
    EXPECT_EQ(texts[3], QStringLiteral("アイテム3の描画中"));
}

TEST_F(ExportPage, WritesTheBitmapAtThePageResolution) {
    PageJob job = smallJob(1, 300);
    job.pageBackColor = 0x000000FF; // red
    const ExportResult result = exportPage(job, 2027, 1, path("page.bmp"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.pixels, QSize(620, 469)); // 625 -> 620 wide, 468.75 -> 469 high
    QFile file(path("page.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 58 + 620 * 469 * 4);
    EXPECT_EQ(u32(bytes, 18), 620u);
    EXPECT_EQ(u32(bytes, 22), 469u);
    EXPECT_EQ(u32(bytes, 38), 11811u);
    // The bottom-left pixel is page background: blue 0, green 0, red 255, reserved 0xFF.
    EXPECT_EQ(bytes.mid(58, 4), QByteArray::fromHex("0000ffff"));

    // The resolution can be overridden.
    ExportOptions options;
    options.dpi = 96;
    const ExportResult lower = exportPage(job, 2027, 1, path("page96.bmp"), options);
    ASSERT_TRUE(lower.ok);
    EXPECT_EQ(lower.pixels, QSize(196, 150));
}

TEST_F(ExportPage, APageTooLargeForMemoryIsRefusedBeforeAllocating) {
    PageJob job = smallJob(1, 300);
    job.canvas = QSize(18898, 18898); // 5000 x 5000 mm
    const ExportResult result = exportPage(job, 2027, 1, path("huge.bmp"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("MB"))) << result.error.toStdString();
    EXPECT_TRUE(result.pixels.isEmpty()); // nothing was allocated
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ExportPage, AFailedWriteLeavesNoFileAndReportsIt) {
    const QString target = path("no/such/folder/page.bmp");
    const ExportResult result = exportPage(smallJob(1), 2027, 1, target);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));

    // A target that cannot be replaced (a folder) fails without leaving a temporary file.
    QDir(dir.path()).mkdir(QStringLiteral("taken.bmp")); // a folder of that name
    const ExportResult blocked = exportPage(smallJob(1), 2027, 1, path("taken.bmp"));
    EXPECT_FALSE(blocked.ok);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ExportPage, CancelStopsWithoutAFile) {
    std::atomic<bool> cancel{false};
    ExportOptions options;
    options.cancel = &cancel;
    options.progress = [&](const ExportProgress& p) {
        if (p.step == 3)
            cancel = true;
    };
    const ExportResult result = exportPage(smallJob(3), 2027, 1, path("a.bmp"), options);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_LT(result.itemsDrawn, 3);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ExportPage, NothingToDrawOrNoSuchMonthFails) {
    EXPECT_FALSE(exportPage(smallJob(0), 2027, 1, path("a.bmp")).ok);
    EXPECT_FALSE(exportPage(smallJob(1), 2027, 13, path("a.bmp")).ok);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ExportPage, MonthsInParallelEachGetTheirFile) {
    std::vector<int> months{1, 2, 3, 4};
    std::vector<QString> paths;
    for (int m : months)
        paths.push_back(path(QStringLiteral("m%1.bmp").arg(m).toLatin1().constData()));
    std::atomic<int> reported{0};
    const auto results = exportMonths(smallJob(2), 2027, months, paths, {}, 2,
                                      [&](int, const ExportResult& r) { reported += r.ok; });
    ASSERT_EQ(results.size(), 4u);
    for (const ExportResult& r : results)
        EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(reported, 4);
    EXPECT_EQ(files().size(), 4);
}

// Qt's warnings (such as a font pixel size below 1) are collected instead of printed.
QStringList* gWarnings = nullptr;
void collectWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (gWarnings && type != QtDebugMsg && type != QtInfoMsg)
        gWarnings->append(message);
}

// Every kind once, on a small page.
PageJob everyKindJob() {
    PageJob job;
    job.canvas = QSize(300, 400);
    job.dpi = 150;
    const std::pair<int, int> kinds[] = {
        {CategoryYear, 0},
        {CategoryMonthFamily, VariantBox5},
        {CategoryMonthFamily, VariantBox6},
        {CategoryMonthFamily, VariantBoxMini},
        {CategoryMonthFamily, VariantVertical},
        {CategoryMonthFamily, VariantHorizontal},
        {CategoryMonthDisplay, 0},
        {CategoryWeekly, VariantVertical},
        {CategoryWeekly, VariantHorizontal},
        {CategoryPicture, 0},
    };
    for (const auto& [category, variant] : kinds) {
        ExportEntry e;
        applyNewItemDefaults(category, variant, e.item, 210, 297);
        e.item.Live = kTrue;
        e.item.Left = 20;
        e.item.Top = 30;
        e.drawn = true;
        e.box = QRectF(e.item.Left, e.item.Top, e.item.Width + 4, e.item.Height + 4);
        job.entries.push_back(e);
    }
    return job;
}

TEST_F(ExportPage, NumbersNearTheLimitsOfTheirTypesDrawWithoutEndOrWarnings) {
    const auto eachElement = [](const std::function<void(ContentElement&)>& change) {
        return [change](LayoutItem& item) {
            for (ContentElement& element : item.Elements)
                change(element);
        };
    };
    const struct {
        const char* name;
        std::function<void(LayoutItem&)> change;
        bool drawable = true; // an item of no width has no surface: the page says which item
    } cases[] = {
        {"text positions", eachElement([](ContentElement& e) {
             e.Pos.Y = 1432713460;
             e.UpperPos.X = INT_MAX;
             e.LowerPos.Y = INT_MIN;
         })},
        {"smallest font size", eachElement([](ContentElement& e) { e.Font.Size = INT_MIN; })},
        {"largest font size", eachElement([](ContentElement& e) { e.Font.Size = INT_MAX; })},
        {"angle", eachElement([](ContentElement& e) { e.Font.Angle = INT_MIN; })},
        {"height", [](LayoutItem& item) { item.Height = 1e10f; }},
        {"left and top",
         [](LayoutItem& item) {
             item.Left = -3e9f;
             item.Top = 3e9f;
         }},
        {"width", [](LayoutItem& item) { item.Width = -3e9f; }, false},
        {"largest float",
         [](LayoutItem& item) {
             item.Width = FLT_MAX;
             item.Height = FLT_MAX;
         }},
        {"huge item",
         [](LayoutItem& item) {
             item.Left = -5000;
             item.Width = 20000;
             item.Height = 20000;
         }},
    };
    QStringList warnings;
    gWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(collectWarning);
    for (const auto& c : cases) {
        PageJob job = everyKindJob();
        for (ExportEntry& entry : job.entries) {
            c.change(entry.item);
            entry.box = QRectF(entry.item.Left, entry.item.Top, entry.item.Width + 4,
                               entry.item.Height + 4);
        }
        const ExportResult result = exportPage(job, 2027, 2, path("extreme.bmp"));
        EXPECT_EQ(result.ok, c.drawable) << c.name << ": " << result.error.toStdString();
        if (!c.drawable) {
            EXPECT_EQ(result.error, QStringLiteral("アイテム1を描画できませんでした。"));
        }
        EXPECT_TRUE(warnings.isEmpty()) << c.name << ": " << warnings.join(u'\n').toStdString();
        warnings.clear();
    }
    qInstallMessageHandler(previous);
    gWarnings = nullptr;
}

TEST(PagesInFlight, BoundedByThreadsPagesAndMemory) {
    constexpr std::uint64_t GB = 1ull << 30;
    const struct {
        unsigned threads;
        std::size_t pages;
        std::uint64_t pageBytes, available;
        unsigned expected;
    } cases[] = {
        {8, 12, GB / 4, 64 * GB, 8}, // memory to spare: one page per thread
        {8, 3, GB / 4, 64 * GB, 3},  // never more than there are pages
        {8, 12, GB, 5 * GB, 2},      // 1600-dpi pages: two pages and their item surfaces fit
        {8, 12, GB, GB, 1},          // always at least one
        {8, 12, GB, 0, 8},           // unknown memory: the threads decide
    };
    for (const auto& c : cases)
        EXPECT_EQ(pagesInFlight(c.threads, c.pages, c.pageBytes, c.available), c.expected)
            << c.threads << " threads, " << c.pages << " pages, " << c.available << " bytes";
}

TEST(PageJobFromDocument, BoxesAreTheItemsPlusTheirFrame) {
    PageSettings header;
    std::vector<LayoutItem> records(2);
    for (LayoutItem& item : records) {
        item.Live = kTrue;
        item.Category = CategoryMonthDisplay;
        item.Left = 5;
        item.Top = 6;
        item.Width = 70;
        item.Height = 30;
    }
    const auto document = LayoutDocument::fromRecords(header, records, 96);
    const PageJob job = pageJobFromDocument(*document, 0x00FF00);
    EXPECT_EQ(job.canvas, QSize(794, 1123));
    EXPECT_EQ(job.dpi, 300);
    EXPECT_EQ(job.pageBackColor, 0x00FF00);
    ASSERT_EQ(job.entries.size(), 2u);
    EXPECT_TRUE(job.entries[0].drawn);
    EXPECT_EQ(job.entries[0].box, QRectF(5, 6, 74, 34));
    EXPECT_TRUE(job.entries[1].drawn);

    // Whether an entry is drawn is the record's Live, whatever became of a view.
    auto ended = LayoutDocument::fromRecords(header, records, 96);
    ended->item(1).Live = kFalse;
    EXPECT_FALSE(pageJobFromDocument(*ended, 0).entries[1].drawn);
}

TEST(PageJobFromDocument, OwnDaysAreTheLayoutsAndItsFilesReadAtEveryJob) {
    using namespace std::chrono;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto writeFile = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    writeFile("会社.csv", "2027-05-06,臨時休業,休日\n");
    const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//JA\r\n"
                           "BEGIN:VEVENT\r\nUID:1\r\nDTSTART:20270506T230000Z\r\n"
                           "SUMMARY:遅い会議\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    writeFile("events.ics", ics);

    PageSettings header;
    std::vector<LayoutItem> records(1);
    records[0].Live = kTrue;
    records[0].Category = CategoryMonthDisplay;
    auto document = LayoutDocument::fromRecords(header, records, 96);
    document->setPath(dir.filePath(QStringLiteral("layout.CLF")));
    EXPECT_EQ(pageJobFromDocument(*document, 0).ownDays, nullptr);

    OwnDaysSettings& own = document->extension.ownDays;
    own.days = {{year{2027} / 5 / 7, year{2027} / 5 / 7, false, QStringLiteral("創立記念日"),
                 OwnDayKind::Named}};
    own.files = {QStringLiteral("会社.csv"), QStringLiteral("events.ics"),
                 QStringLiteral("ない.csv")};
    PageJob job = pageJobFromDocument(*document, 0);
    ASSERT_NE(job.ownDays, nullptr);
    EXPECT_TRUE(job.ownDays->lookup(year{2027} / 5 / 6).dayOff);
    // 23:00 UTC is the next morning in Tokyo.
    EXPECT_EQ(job.ownDays->lookup(year{2027} / 5 / 7).names,
              (QStringList{QStringLiteral("創立記念日"), QStringLiteral("遅い会議")}));
    ASSERT_EQ(job.ownDaysProblems.size(), 1);
    EXPECT_TRUE(job.ownDaysProblems[0].contains(QStringLiteral("ない.csv")));

    // The layout's time zone; the command line's files join the layout's.
    own.timeZone = QStringLiteral("UTC");
    job = pageJobFromDocument(*document, 0);
    EXPECT_EQ(job.ownDays->lookup(year{2027} / 5 / 6).names,
              (QStringList{QStringLiteral("臨時休業"), QStringLiteral("遅い会議")}));
    writeFile("extra.ics", ics);
    addDaysFiles(job, {dir.filePath(QStringLiteral("extra.ics"))});
    EXPECT_EQ(job.ownDays->lookup(year{2027} / 5 / 6).names.size(), 2) << "one name once";
    EXPECT_EQ(job.ownDays->days().size(), 4u);

    // A changed file counts at the next job.
    writeFile("会社.csv", "2027-05-10,棚卸し,出勤日\n");
    job = pageJobFromDocument(*document, 0);
    EXPECT_FALSE(job.ownDays->lookup(year{2027} / 5 / 6).dayOff);
    EXPECT_TRUE(job.ownDays->lookup(year{2027} / 5 / 10).workingDay);
}

} // namespace
} // namespace tobirae
