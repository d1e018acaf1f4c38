#include "bitmap/QtFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tobirae {

namespace {

constexpr int kDefaultEm = 16;
constexpr int kMaxEm = 20000;
// FreeType's own emboldening widens outlines by an em / 24, the weight Qt gives small glyphs.
constexpr qreal kBoldStrokePerEm = 1.0 / 24;

QFont baseFont(const ResolvedFont& font) {
    QFont qfont(font.family);
    // Qt emboldens a face without bold only in its glyph cache: large glyphs, outlines and PDF
    // text lose it. Such a face is drawn regular and stroked instead (boldStrokeWidth); the
    // synthetic bold does not widen advances, so the metrics stay those of bold.
    qfont.setWeight(font.bold && hasBoldFace(font.family) ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    qfont.setKerning(false);
    // Pages go to paper: grey-scale edges only, whatever the desktop's sub-pixel setting, so the
    // editor's export and the command line write the same pixels.
    qfont.setStyleStrategy(QFont::NoSubpixelAntialias);
    return qfont;
}

} // namespace

bool hasBoldFace(const QString& family) {
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::DemiBold;
    });
}

qreal boldStrokeWidth(const ResolvedFont& font, const QFont& drawn) {
    if (!font.bold || drawn.weight() >= QFont::DemiBold)
        return 0;
    return drawn.pixelSize() * kBoldStrokePerEm;
}

QFont qtFont(const ResolvedFont& font) {
    QFont qfont = baseFont(font);
    double em = kDefaultEm;
    if (font.height < 0) {
        em = -static_cast<double>(font.height);
    } else if (font.height > 0) {
        // A cell height: scale the em so that ascent + descent comes to it.
        QFont probe = qfont;
        probe.setPixelSize(100);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        em = cell > 0 ? std::round(font.height * 100.0 / cell) : font.height;
    }
    qfont.setPixelSize(static_cast<int>(std::clamp<double>(em, 1, kMaxEm)));
    return qfont;
}

} // namespace tobirae
