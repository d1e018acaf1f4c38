#include "bitmap/QtFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tobirae {

namespace {

constexpr int kDefaultEm = 16;
constexpr int kMaxEm = 20000;

QFont baseFont(const ResolvedFont& font) {
    QFont qfont(font.family);
    qfont.setWeight(font.bold ? QFont::Bold : QFont::Normal);
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
