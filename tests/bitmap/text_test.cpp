#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "bitmap/QtFont.h"
#include "bitmap/RecordingCanvas.h"

#include <QFontDatabase>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace tobirae {
namespace {

FontSpec fontOf(const QString& face, int size, int vertical = 0, int angle = 0) {
    FontSpec font;
    font.FaceName.setText(face);
    font.Size = size;
    font.Vertical = static_cast<std::int16_t>(vertical);
    font.Angle = angle;
    return font;
}

TEST(FontHeight, NegativeMulDivScaledHalfUp) {
    struct Case {
        int size;
        float scale;
        int height;
    };
    const Case cases[] = {
        {10, 1, -12},      // P = -13; Fix(-12.5) truncates toward zero
        {11, 1, -14},      // P = -15
        {9, 1, -11},       // P = -12
        {10, 3.125f, -40}, // Fix(-40.625 + 0.5)
        {12, 0.5f, -7},    // Fix(-8 + 0.5)
        {10, 0, 0},        // face default
    };
    for (const Case& c : cases)
        EXPECT_EQ(fontPixelHeight(c.size, 96, c.scale), c.height) << c.size << " x " << c.scale;
}

TEST(FontSubstitution, WindowsFacesMapToInstalledJapaneseFonts) {
    const std::pair<const char*, const char*> cases[] = {
        {"ＭＳ ゴシック", "IPAGothic"},
        {"MS Gothic", "IPAGothic"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"MS Mincho", "IPAMincho"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"MS PGothic", "IPAPGothic"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"MS PMincho", "IPAPMincho"},
        {"MS UI Gothic", "IPAPGothic"},
        {"@ＭＳ 明朝", "IPAMincho"},
        {"  ＭＳ ゴシック  ", "IPAGothic"},
        {"No Such Face Anywhere", "IPAGothic"},
        {"", "IPAGothic"},
        {"IPAMincho", "IPAMincho"},
    };
    for (const auto& [face, family] : cases)
        EXPECT_EQ(substituteFace(QString::fromUtf8(face)), QString::fromLatin1(family)) << face;
}

TEST(ResolveFont, WeightStylesAndEscapement) {
    FontSpec font = fontOf(QStringLiteral("ＭＳ 明朝"), 10, 0, 45);
    font.Bold = kTrue;
    font.Underline = kTrue;
    ResolvedFont r = resolveFontSpec(font, -13);
    EXPECT_TRUE(r.bold);
    EXPECT_TRUE(r.underline);
    EXPECT_FALSE(r.italic);
    EXPECT_EQ(r.escapement, 450);
    EXPECT_FALSE(r.verticalWriting);

    font.Vertical = 2;
    EXPECT_EQ(resolveFontSpec(font, -13).escapement, 0);
    font.Vertical = 1;
    EXPECT_EQ(resolveFontSpec(font, -13).escapement, 2700);
    EXPECT_FALSE(resolveFontSpec(font, -13).verticalWriting);
    font.FaceName.setText(QStringLiteral("@ＭＳ 明朝"));
    EXPECT_TRUE(resolveFontSpec(font, -13).verticalWriting);
    font.Vertical = 0;
    EXPECT_FALSE(resolveFontSpec(font, -13).verticalWriting);
}

class RecordedText : public ::testing::Test {
protected:
    void SetUp() override {
        useRecordingSurfaces(ctx);
        canvas = std::make_unique<RecordingCanvas>(400, 400);
    }
    DrawCall onlyText() {
        const auto texts = canvas->texts();
        EXPECT_EQ(texts.size(), 1u);
        return texts.empty() ? DrawCall{} : texts.front();
    }
    RenderContext ctx;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(RecordedText, HeightUsesFontScaleTimesPageScaleAndPWhenScaleIsZero) {
    selectFont(ctx, fontOf(QStringLiteral("ＭＳ ゴシック"), 10));
    setPageDpi(ctx, 300);
    const DrawSurface surface{canvas.get(), 3.125f, 3.125f};
    drawScaledText(ctx, surface, 1, QStringLiteral("1"), 10, 20, 0x0000FF, true);
    drawScaledText(ctx, surface, 0, QStringLiteral("2"), 10, 20, 0x0000FF, true);
    drawScaledText(ctx, surface, 0.5f, QStringLiteral("3"), 10, 20, 0x0000FF, true);
    const auto texts = canvas->texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].font.height, -40);
    EXPECT_EQ(texts[1].font.height, -13);
    EXPECT_EQ(texts[2].font.height, -19); // Fix(1.5625 x -13 + 0.5) = Fix(-19.81)
    EXPECT_EQ(texts[0].x1, 31);           // Fix(31.25 + 0.5)
    EXPECT_EQ(texts[0].y1, 63);           // Fix(62.5 + 0.5)
    EXPECT_EQ(texts[0].colour, 0x0000FF);
    EXPECT_EQ(texts[0].font.family, QStringLiteral("IPAGothic"));
}

TEST_F(RecordedText, MeasureUsesOnlyTheFontScaleAndSwapsForVertical) {
    setPageDpi(ctx, 300);                                    // measuring ignores the page scale
    selectFont(ctx, fontOf(QStringLiteral("ＭＳ 明朝"), 9)); // em Fix(-12 + 0.5) = -11
    EXPECT_EQ(measureScaledText(ctx, canvas.get(), 1, QStringLiteral("AB一")), (TextExtent{21, 11}));
    EXPECT_EQ(measureScaledText(ctx, canvas.get(), 2, QStringLiteral("一")),
              (TextExtent{23, 23})); // Fix(-23.5)
    selectFont(ctx, fontOf(QStringLiteral("@ＭＳ 明朝"), 9, 1));
    EXPECT_EQ(measureScaledText(ctx, canvas.get(), 1, QStringLiteral("一二三")),
              (TextExtent{11, 33}));
    // Without a canvas the context measures on a surface of its own kind.
    EXPECT_EQ(measureScaledText(ctx, nullptr, 1, QStringLiteral("一二三")), (TextExtent{11, 33}));
}

TEST_F(RecordedText, HorizontalTextCentresInItsBox) {
    selectFont(ctx, fontOf(QStringLiteral("ＭＳ 明朝"), 9)); // em 11: "AB" is 10 x 11
    const DrawSurface surface{canvas.get(), 1, 1};
    drawScaledText(ctx, surface, 1, QStringLiteral("AB"), 3, 4, 0, true, 10, 100, 20, 31);
    const DrawCall call = onlyText();
    EXPECT_EQ(call.x1, 55); // Fix((100 - 10) / 2 + 10 + 0.5)
    EXPECT_EQ(call.y1, 30); // Fix((31 - 11) / 2 + 20 + 0.5)
}

TEST_F(RecordedText, VerticalTextCentresAlongTheBoxHeightAndShiftsRightByItsThickness) {
    selectFont(ctx, fontOf(QStringLiteral("@ＭＳ 明朝"), 9, 1)); // "一二" 22 long, 11 thick
    const DrawSurface surface{canvas.get(), 1, 1};
    drawScaledText(ctx, surface, 1, QStringLiteral("一二"), 3, 4, 0, true, 0, 50, 0, 100);
    DrawCall call = onlyText();
    EXPECT_EQ(call.y1, 39);      // Fix((100 - 22) / 2 + 0.5)
    EXPECT_EQ(call.x1, 20 + 11); // Fix((50 - 11) / 2 + 0.5) + cy
    EXPECT_EQ(call.font.escapement, 2700);
    EXPECT_TRUE(call.font.verticalWriting);

    canvas->clearCalls();
    drawScaledText(ctx, surface, 1, QStringLiteral("一二"), 3, 4, 0, true);
    call = onlyText();
    EXPECT_EQ(call.x1, 3 + 11); // no box: the scaled x plus the thickness
    EXPECT_EQ(call.y1, 4);
}

// Bounding box of the pixels that differ from white.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(ImageText, HorizontalTextStartsAtItsCellTopLeft) {
    RenderContext ctx;
    selectFont(ctx, fontOf(QStringLiteral("ＭＳ ゴシック"), 30));
    ImageCanvas canvas(300, 200);
    const TextExtent extent = measureScaledText(ctx, &canvas, 1, QStringLiteral("日本"));
    drawScaledText(ctx, DrawSurface{&canvas, 1, 1}, 1, QStringLiteral("日本"), 50, 60, 0, true);
    const QRect ink = inkBounds(*canvas.image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 50);
    EXPECT_GE(ink.top(), 60);
    EXPECT_LE(ink.right(), 50 + extent.width);
    EXPECT_LE(ink.bottom(), 60 + extent.height);
    EXPECT_GT(ink.width(), extent.width / 2);
}

// Both kinds of downward text stay inside the column left of the reference point.
TEST(ImageText, VerticalTextRunsDownwardLeftOfItsReference) {
    for (const char* face : {"@ＭＳ 明朝", "ＭＳ 明朝"}) {
        RenderContext ctx;
        selectFont(ctx, fontOf(QString::fromUtf8(face), 30, 1));
        ImageCanvas canvas(300, 400);
        const QString text = QStringLiteral("一月A1");
        const TextExtent extent = measureScaledText(ctx, &canvas, 1, text); // thickness, length
        ASSERT_GT(extent.height, extent.width) << face;
        drawScaledText(ctx, DrawSurface{&canvas, 1, 1}, 1, text, 100, 50, 0, true);
        const QRect ink = inkBounds(*canvas.image());
        ASSERT_FALSE(ink.isEmpty()) << face;
        // The reference was moved right by the thickness: the column is 100..100 + thickness.
        EXPECT_GE(ink.left(), 100 - 1) << face;
        EXPECT_LE(ink.right(), 100 + extent.width) << face;
        EXPECT_GE(ink.top(), 50) << face;
        EXPECT_LE(ink.bottom(), 50 + extent.height) << face;
        EXPECT_GT(ink.height(), extent.height * 3 / 4) << face;
    }
}

TEST(ImageText, VerticalWritingKeepsKanjiUpright) {
    // Upright "一" is a horizontal stroke; turned it would be a vertical one.
    RenderContext ctx;
    for (const auto& [face, wide] : {std::pair{"@ＭＳ ゴシック", true}, {"ＭＳ ゴシック", false}}) {
        selectFont(ctx, fontOf(QString::fromUtf8(face), 40, 1));
        ImageCanvas canvas(200, 200);
        drawScaledText(ctx, DrawSurface{&canvas, 1, 1}, 1, QStringLiteral("一"), 50, 50, 0, true);
        const QRect ink = inkBounds(*canvas.image());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.width() > ink.height(), wide) << face;
    }
}

// Darkness of all pixels: 255 per black pixel.
long long inkOf(const QImage& image) {
    long long ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(row[x]);
    }
    return ink;
}

struct StyledText {
    QImage image;
    TextExtent extent; // page pixels
};

// "2027年" in the face at the page resolution, drawn as an export draws it.
StyledText styledText(const char* face, int points, int dpi, void (*style)(FontSpec&)) {
    RenderContext ctx;
    setPageDpi(ctx, dpi);
    FontSpec font = fontOf(QString::fromUtf8(face), points);
    if (style)
        style(font);
    selectFont(ctx, font);
    const float scale = currentPageScale(ctx).y;
    const QString text = QStringLiteral("2027年");
    const TextExtent extent = measureScaledText(ctx, nullptr, scale, text);
    ImageCanvas canvas(extent.width + 40, extent.height + 40);
    drawScaledText(ctx, DrawSurface{&canvas, scale, scale}, 1, text, 10 / scale, 10 / scale, 0, true);
    return {*canvas.image(), extent};
}

// Faces without a bold of their own are emboldened by their outlines, so bold must show equally
// at small sizes (glyph cache) and large ones (outlines), italic, underline and strike-out too.
TEST(TextStyles, BoldItalicUnderlineAndStrikeOutShowAtEveryResolution) {
    for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
        double lowest = 10;
        double highest = 0;
        for (const auto& [points, dpi] :
             {std::pair{10, 72}, {20, 150}, {20, 300}, {48, 300}, {20, 600}, {48, 600}}) {
            const std::string at = std::string(face) + " " + std::to_string(points) + " pt " +
                                   std::to_string(dpi) + " dpi";
            const StyledText plain = styledText(face, points, dpi, nullptr);
            const long long regular = inkOf(plain.image);
            ASSERT_GT(regular, 0) << at;

            const StyledText bold =
                styledText(face, points, dpi, [](FontSpec& f) { f.Bold = kTrue; });
            EXPECT_EQ(bold.extent, plain.extent) << at;
            const double ratio = static_cast<double>(inkOf(bold.image)) / regular;
            lowest = std::min(lowest, ratio);
            highest = std::max(highest, ratio);

            const StyledText italic =
                styledText(face, points, dpi, [](FontSpec& f) { f.Italic = kTrue; });
            EXPECT_NE(italic.image, plain.image) << at;
            EXPECT_NEAR(static_cast<double>(inkOf(italic.image)) / regular, 1.0, 0.15) << at;

            // A line across the whole text adds at least half a pixel's ink along its width.
            const long long line = 255LL * plain.extent.width / 2;
            const StyledText underline =
                styledText(face, points, dpi, [](FontSpec& f) { f.Underline = kTrue; });
            EXPECT_GT(inkOf(underline.image), regular + line) << at;
            EXPECT_GT(inkBounds(underline.image).bottom(), inkBounds(plain.image).bottom()) << at;
            const StyledText strikeOut =
                styledText(face, points, dpi, [](FontSpec& f) { f.StrikeOut = kTrue; });
            EXPECT_GT(inkOf(strikeOut.image), regular + line) << at;
        }
        EXPECT_GT(lowest, 1.5) << face;
        EXPECT_LT(highest - lowest, 0.3) << face << ": bold varies with the size";
    }
}

TEST(TextStyles, AFaceWithARealBoldIsNotThickenedFurther) {
    // The IPA fonts come without bold; a family that has one draws it as it is.
    EXPECT_FALSE(hasBoldFace(QStringLiteral("IPAMincho")));
    ResolvedFont font;
    font.family = QStringLiteral("IPAMincho");
    font.height = -96;
    font.bold = true;
    const QFont drawn = qtFont(font);
    EXPECT_EQ(drawn.weight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(boldStrokeWidth(font, drawn), 4.0);
    font.bold = false;
    EXPECT_EQ(boldStrokeWidth(font, qtFont(font)), 0);
    for (const QString& family : QFontDatabase::families()) {
        if (!hasBoldFace(family))
            continue;
        font.family = family;
        font.bold = true;
        const QFont real = qtFont(font);
        EXPECT_GE(real.weight(), QFont::DemiBold) << family.toStdString();
        EXPECT_EQ(boldStrokeWidth(font, real), 0) << family.toStdString();
        break;
    }
}

} // namespace
} // namespace tobirae
