#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

class SizedPreview : public PreviewTarget {
public:
    explicit SizedPreview(QSize size) : size_(size) {}
    QSize size() const override { return size_; }
    void resize(QSize s) { size_ = s; }
    Canvas* canvas() override { return nullptr; }
    void clear(Colour) override {}

private:
    QSize size_;
};

LayoutItem designed(int width, int height, bool fit, bool freeAspect, float itemWidth = 0,
                    float itemHeight = 0) {
    LayoutItem item;
    item.DesignWidth = width;
    item.DesignHeight = height;
    item.FitToRect = toB16(fit);
    item.FreeAspect = toB16(freeAspect);
    item.Width = itemWidth;
    item.Height = itemHeight;
    return item;
}

TEST(FitContent, DesignSizeCutToWholeColumns) {
    const ContentFit fit =
        fitContent(designed(300, 200, false, false, 999, 999), nullptr, ContentFitting::ToTarget);
    EXPECT_EQ(fit.width, 294);
    EXPECT_EQ(fit.height, 200);
    EXPECT_FLOAT_EQ(fit.scaleX, 1);
    EXPECT_FLOAT_EQ(fit.scaleY, 1);
}

TEST(FitContent, KeepsTheAspectWithTheSmallerRatio) {
    // Height ratio 1 is smaller than width ratio 2: both axes scale by 1.
    ContentFit fit =
        fitContent(designed(300, 200, true, false, 600, 200), nullptr, ContentFitting::ToTarget);
    EXPECT_FLOAT_EQ(fit.scaleX, 1);
    EXPECT_FLOAT_EQ(fit.scaleY, 1);
    EXPECT_EQ(fit.width, 294);
    EXPECT_EQ(fit.height, 200);

    // Width ratio 0.5 is the smaller: the height follows it.
    fit = fitContent(designed(300, 200, true, false, 150, 400), nullptr, ContentFitting::ToTarget);
    EXPECT_FLOAT_EQ(fit.scaleX, 0.5f);
    EXPECT_FLOAT_EQ(fit.scaleY, 0.5f);
    EXPECT_EQ(fit.width, 147);
    EXPECT_EQ(fit.height, 100);
}

TEST(FitContent, FreeAspectTakesTheWholeRectangle) {
    const ContentFit fit =
        fitContent(designed(300, 200, true, true, 600, 150), nullptr, ContentFitting::ToTarget);
    EXPECT_FLOAT_EQ(fit.scaleX, 2);
    EXPECT_FLOAT_EQ(fit.scaleY, 0.75f);
    EXPECT_EQ(fit.width, 595);
    EXPECT_EQ(fit.height, 150);
}

TEST(FitContent, OnScreenTheViewLessItsBorderIsAvailableAndNaturalIgnoresFit) {
    SizedPreview view(QSize(154, 404));
    ContentFit fit =
        fitContent(designed(300, 200, true, false, 999, 999), &view, ContentFitting::ToTarget);
    EXPECT_FLOAT_EQ(fit.scaleX, 0.5f);
    EXPECT_EQ(fit.width, 147);
    fit = fitContent(designed(300, 200, true, false, 999, 999), &view, ContentFitting::Natural);
    EXPECT_FLOAT_EQ(fit.scaleX, 1);
    EXPECT_EQ(fit.width, 294);
    // Fitting to the target on the page fits to the item.
    fit = fitContent(designed(300, 200, true, false, 150, 400), nullptr, ContentFitting::ToTarget);
    EXPECT_FLOAT_EQ(fit.scaleX, 0.5f);
}

TEST(FitContent, ListsCutTheirOwnAxis) {
    const ContentFit fit =
        fitContent(designed(300, 200, false, false), nullptr, ContentFitting::ToTarget, 1, 31);
    EXPECT_EQ(fit.width, 300);
    EXPECT_EQ(fit.height, 186);
}

TEST(Placement, OffsetsInsideTheItem) {
    struct Case {
        int placement;
        float item, content;
        int offset;
    };
    const Case cases[] = {
        {0, 300, 200, 0},  {1, 300, 200, 50},
        {2, 300, 200, 99}, {1, 300, 300, 0}, // centre with equal sizes
        {2, 300, 300, -1},                   // right with equal sizes
        {1, 211, 200, 6},                    // 5.5 to even
        {1, 213, 200, 6},                    // 6.5 to even
        {7, 300, 200, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(contentPlacementOffset(c.placement, c.item, c.content), c.offset)
            << c.placement << " " << c.item << " " << c.content;
}

TEST(ColorFromText, NumbersOrTheDefault) {
    const std::pair<const char*, Colour> cases[] = {
        {"&HFF", 255},      {"&hff", 255},          {"&H00FF00", 0x00FF00},
        {"&HFF&", 255},     {"16777215", 0xFFFFFF}, {" 255 ", 255},
        {"0", 0},           {"abc", 0x123456},      {"", 0x123456},
        {"&H", 0x123456},   {"&HXYZ", 0x123456},    {"&H123456789", 0x123456},
        {"1e99", 0x123456},
    };
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(colourFromText(QString::fromLatin1(text), 0x123456), colour) << text;
    EXPECT_EQ(colourFromText(QStringLiteral("nonsense")), 0);
}

TEST(ResolutionTable, BothDirections) {
    const std::pair<int, int> dpiToIndex[] = {{72, 0},  {100, 1}, {150, 2}, {200, 3},
                                              {300, 4}, {96, 5},  {600, 5}, {0, 5}};
    for (const auto& [dpi, index] : dpiToIndex)
        EXPECT_EQ(resolutionIndexOfDpi(dpi), index) << dpi;
    const std::pair<int, int> indexToDpi[] = {{0, 72}, {4, 300}, {5, 96}, {6, 0}, {-1, 0}};
    for (const auto& [index, dpi] : indexToDpi)
        EXPECT_EQ(dpiOfResolutionIndex(index), dpi) << index;
}

TEST(PageSizes, PaperDefaultsAndCanvas) {
    EXPECT_EQ(paperDefaultSize(0), QSizeF(297, 210));
    EXPECT_EQ(paperDefaultSize(1), QSizeF(0, 0));
    EXPECT_EQ(canvasSizeForPaper(210, 297), QSize(794, 1123));
    EXPECT_EQ(canvasSizeForPaper(297, 210), QSize(1123, 794));
}

TEST(CellBackColor, EntryNinePlusSevenRowsPlusColumn) {
    LayoutItem item;
    item.BackColor = 0x111111;
    setCellBackColour(item, 2, 3, 0x00FF00);
    EXPECT_EQ(item.CellBackColor[9 + 14 + 3], 0x00FF00);
    EXPECT_EQ(cellBackColour(item, 2, 3), 0x00FF00);
    setCellBackColour(item, 5, 6, 0x0000FF);
    EXPECT_EQ(item.CellBackColor[50], 0x0000FF);
    // Out of the grid: nothing is written and the item colour is read.
    setCellBackColour(item, 6, 0, 0x0000FF);
    EXPECT_EQ(item.CellBackColor[51], 0);
    EXPECT_EQ(cellBackColour(item, 0, 7), 0x111111);
    EXPECT_FALSE(cellBackPainted(item, 0x111111));
    EXPECT_TRUE(cellBackPainted(item, 0x00FF00));
}

} // namespace
} // namespace tobirae
