// contentSize of every kind against what its drawing covers: the item takes the content size, its
// view that size + 4, and the drawn calls on the recording must end where the size says.
// Recording metrics: em = |font height|, ASCII advances em / 2, others em.
#include "bitmap/RecordingCanvas.h"
#include "daylist_support.h"
#include "monthbox_support.h"
#include "render/RenderFrame.h"

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using test::RecordingPreview;

// Right and bottom edge of everything drawn (exclusive for areas, the end point for lines).
// Texts count only when asked: a day cell's text may run past its cell, where the view clips it.
QSize coveredBy(const RecordingCanvas& canvas, bool withTexts) {
    int right = 0;
    int bottom = 0;
    RecordingCanvas metrics(1, 1);
    for (const DrawCall& c : canvas.calls()) {
        switch (c.kind) {
        case DrawCall::Text: {
            if (!withTexts)
                break;
            const TextExtent e = metrics.textExtent(c.font, c.text);
            // Text turned to run downward hangs left of and below its reference point.
            const bool down = c.font.escapement == 2700 || c.font.verticalWriting;
            right = std::max(right, down ? c.x1 : c.x1 + e.width);
            bottom = std::max(bottom, c.y1 + (down ? e.width : e.height));
            break;
        }
        case DrawCall::Line:
            right = std::max({right, c.x1, c.x2});
            bottom = std::max({bottom, c.y1, c.y2});
            break;
        case DrawCall::Rect:
            right = std::max(right, c.x2);
            bottom = std::max(bottom, c.y2);
            break;
        case DrawCall::Blit:
        case DrawCall::Picture:
            right = std::max(right, c.x1 + c.x2);
            bottom = std::max(bottom, c.y1 + c.y2);
            break;
        }
    }
    return {right, bottom};
}

LayoutItem labelItem(ItemCategory category, int style, bool vertical = false) {
    LayoutItem item;
    item.Live = kTrue;
    item.Category = category;
    item.MonthSelector = 12;
    item.Width = 37; // anything: the content does not depend on the item's size
    item.Height = 613;
    item.BackColor = 0xFFFFFF;
    ContentElement& element = item.element(category == CategoryYear ? Year1 : Month1);
    element.Shown = kTrue;
    element.Style = style;
    element.Font.FaceName.setText(QStringLiteral("ＭＳ ゴシック"));
    element.Font.Size = 31; // em 40
    element.Font.Vertical = vertical ? 1 : 0;
    return item;
}

LayoutItem textItem(bool vertical) {
    LayoutItem item;
    applyNewItemDefaults(CategoryText, 0, item, 210, 297);
    item.Width = 300.4f;
    item.Height = 99.6f;
    item.Ext.text = QStringLiteral("A\nAB\nABCD");
    item.element(Year1).Font.Vertical = vertical ? 1 : 0;
    return item;
}

struct KindCase {
    const char* name;
    std::function<LayoutItem(const QString& picture)> make;
    QSize size;        // the content size, layout pixels
    QSize covered;     // what the drawing at that size covers
    bool texts = true; // the texts' extents are what sizes the drawing
    QSize coveredFitted = covered;
};

class ContentSize : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(0xFFFF0000);
        picture = dir.filePath(QStringLiteral("red.png"));
        ASSERT_TRUE(image.save(picture));
    }
    QTemporaryDir dir;
    QString picture;
};

TEST_F(ContentSize, EveryKindEndsWhereItsDrawingDoes) {
    const KindCase cases[] = {
        // 703 cut to whole columns of 100; the grid's right line is at 700, and the grid trims
        // the bottom margin inside the content.
        {"five-row box",
         [](const QString&) {
             LayoutItem item = test::newBoxItem();
             item.DesignWidth = 703;
             return item;
         },
         {700, 550},
         {700, 547},
         false,
         {700, 547}},
        {"mini box",
         [](const QString&) {
             LayoutItem item = test::newBoxItem(VariantBoxMini);
             return item;
         },
         {147, 180},
         {147, 180},
         false,
         {147, 173}}, // fitted, the grid trims the bottom to whole rows
        // 29～末日 is three lines: 65 cut to 63.
        {"weekly column",
         [](const QString&) { return test::newListItem(CategoryWeekly, VariantVertical, 9); },
         {560, 63},
         {560, 63},
         false,
         {543, 63}}, // fitted into 63 the cut design height 65 scales the whole list
        {"weekly row",
         [](const QString&) { return test::newListItem(CategoryWeekly, VariantHorizontal, 9); },
         {63, 560},
         {63, 560},
         false,
         {63, 543}},
        // "2004年" is 4 x 20 + 20 wide, 40 high.
        {"year", [](const QString&) { return labelItem(CategoryYear, 16); }, {100, 40}, {100, 40}},
        {"vertical year",
         [](const QString&) { return labelItem(CategoryYear, 16, true); },
         {40, 100},
         {40, 100}},
        // December in style 0 is "12", its own sample.
        {"month",
         [](const QString&) { return labelItem(CategoryMonthDisplay, 0); },
         {40, 40},
         {40, 40}},
        // The picture overlaps the view's frame by one pixel each side: the view is the
        // picture + 2.
        {"picture",
         [](const QString& file) {
             LayoutItem item;
             item.Live = kTrue;
             item.Category = CategoryPicture;
             item.Width = 300;
             item.Height = 300;
             item.PictureFile.setText(file);
             return item;
         },
         {398, 198},
         {400, 201}},
        // A text's content is its lines: the longest across, the lines stacked (right to left
        // when vertical).
        {"text", [](const QString&) { return textItem(false); }, {52, 78}, {0, 0}},
        {"vertical text", [](const QString&) { return textItem(true); }, {78, 52}, {0, 0}},
    };
    for (const KindCase& c : cases) {
        for (const bool fitted : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (fitted ? " fitted" : ""));
            LayoutItem item = c.make(picture);
            item.FitToRect = toB16(fitted);
            RenderContext ctx;
            useRecordingSurfaces(ctx);
            DateRange range = pageDateRange(2004, 12);
            const std::optional<QSize> size = contentSize(ctx, item, range);
            ASSERT_TRUE(size.has_value());
            EXPECT_EQ(*size, c.size);
            // Fitting and the item's size change nothing: the content is at its design size.
            LayoutItem other = item;
            other.Width *= 3;
            other.Height /= 2;
            other.FitToRect = toB16(!fitted);
            DateRange otherRange = pageDateRange(2004, 12);
            EXPECT_EQ(contentSize(ctx, other, otherRange), *size);

            if (item.Category == CategoryText)
                continue; // its letters are placed inside the box, covered by its own tests
            RecordingPreview view(QSize(1, 1));
            ASSERT_TRUE(test::drawAtContentSize(ctx, item, view, pageDateRange(2004, 12)));
            const QSize covered = coveredBy(view.recording(), c.texts);
            if (!fitted ||
                (item.Category != CategoryYear && item.Category != CategoryMonthDisplay)) {
                // A fitted heading fits its view's margins too, so it is left out.
                EXPECT_EQ(covered, fitted ? c.coveredFitted : c.covered);
            }
        }
    }
}

} // namespace
} // namespace tobirae
