#include "bitmap/VerticalText.h"

#include "bitmap/PainterInk.h"

#include <QFontMetrics>
#include <QList>
#include <QPainter>

namespace tobirae {

namespace {

enum class Placement { Upright, Turned, UpperRight, SmallKana };

bool isSmallKana(char32_t c) {
    static constexpr char32_t kSmall[] = {U'ぁ', U'ぃ', U'ぅ', U'ぇ', U'ぉ', U'っ', U'ゃ', U'ゅ',
                                          U'ょ', U'ゎ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ッ',
                                          U'ャ', U'ュ', U'ョ', U'ヮ', U'ヵ', U'ヶ'};
    for (char32_t s : kSmall)
        if (s == c)
            return true;
    return false;
}

// Characters whose vertical form is the horizontal one turned a quarter: long vowel mark,
// dashes, waves and brackets (the fonts carry no separate vertical glyphs for them).
bool turnsInVertical(char32_t c) {
    switch (c) {
    case U'ー':
    case U'～':
    case U'〜':
    case U'－':
    case U'―':
    case U'—':
    case U'–':
    case U'─':
    case U'＝':
    case U'…':
    case U'‥':
    case U'（':
    case U'）':
    case U'「':
    case U'」':
    case U'『':
    case U'』':
    case U'【':
    case U'】':
    case U'〔':
    case U'〕':
    case U'〈':
    case U'〉':
    case U'《':
    case U'》':
    case U'｛':
    case U'｝':
    case U'［':
    case U'］':
    case U'〖':
    case U'〗':
    case U'＜':
    case U'＞':
    case U'：':
    case U'；':
    case U'＿':
        return true;
    default:
        return false;
    }
}

bool isWide(char32_t c) {
    if (c >= 0xFF61 && c <= 0xFFDC) // half-width katakana and forms
        return false;
    return c >= 0x2E80 || (c >= 0x2460 && c <= 0x27BF) || (c >= 0x2190 && c <= 0x21FF) ||
           c == 0x203B || c == 0x00D7 || c == 0x00F7;
}

Placement placementOf(char32_t c) {
    if (c == U'、' || c == U'。' || c == U'，' || c == U'．')
        return Placement::UpperRight;
    if (turnsInVertical(c) || !isWide(c))
        return Placement::Turned;
    if (isSmallKana(c))
        return Placement::SmallKana;
    return Placement::Upright;
}

} // namespace

void drawVerticalWriting(QPainter& painter, const QFontMetrics& metrics, int x, int y,
                         const QString& text, qreal boldStroke) {
    const int thickness = metrics.height();
    const int ascent = metrics.ascent();
    const int columnLeft = x - thickness;
    int cursor = y;

    const QList<uint> codes = text.toUcs4();
    qsizetype i = 0;
    while (i < codes.size()) {
        const char32_t c = codes[i];
        const Placement placement = placementOf(c);
        if (placement == Placement::Turned) {
            // A run of turned characters is drawn as one line rotated clockwise.
            qsizetype end = i + 1;
            while (end < codes.size() && placementOf(codes[end]) == Placement::Turned)
                ++end;
            const QString run =
                QString::fromUcs4(reinterpret_cast<const char32_t*>(&codes[i]), end - i);
            painter.save();
            painter.translate(x, cursor);
            painter.rotate(90);
            drawTextInk(painter, QPoint(0, ascent), run, boldStroke);
            painter.restore();
            cursor += metrics.horizontalAdvance(run);
            i = end;
            continue;
        }
        const QString glyph = QString::fromUcs4(&c, 1);
        const int advance = metrics.horizontalAdvance(glyph);
        int gx = columnLeft + (thickness - advance) / 2;
        int top = cursor + (advance - thickness) / 2;
        if (placement == Placement::UpperRight) {
            gx += advance * 5 / 8;
            top -= advance * 5 / 8;
        } else if (placement == Placement::SmallKana) {
            gx += advance / 8;
            top -= advance / 8;
        }
        drawTextInk(painter, QPoint(gx, top + ascent), glyph, boldStroke);
        cursor += advance;
        ++i;
    }
}

} // namespace tobirae
