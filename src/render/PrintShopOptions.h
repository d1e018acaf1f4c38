// What a print shop asks of a PDF beyond the plain pages: bleed, crop marks and PDF/X in CMYK.
#pragma once

#include <QString>

namespace tobirae {

inline constexpr double kMaxBleedMm = 10;
inline constexpr double kCommonBleedMm = 3;  // what Japanese print shops ask for
inline constexpr double kSafetyMarginMm = 3; // texts stay this far inside the trim
inline constexpr double kMarkRoomMm = 12;    // beyond the bleed, holds the crop marks
inline constexpr double kMarkLengthMm = 10;  // each crop mark line
inline constexpr double kMarkWidthMm = 0.1;
inline constexpr double kEdgeToleranceMm = 0.5; // an item this close to a paper edge touches it
inline constexpr int kMinPicturePpi = 350;

struct PrintShopOptions {
    double bleedMm = 0; // 0 .. kMaxBleedMm on every side
    bool marks = false; // Japanese crop marks (トンボ)
    bool pdfx = false;  // PDF/X-3 in CMYK through Ghostscript
    QString profile;    // output intent ICC profile; empty: Ghostscript's own CMYK profile
    QString ghostscript = QStringLiteral("gs"); // program name or path
    int conversionTimeoutMs = 120000;

    // Nothing asked beyond today's plain PDF.
    bool plain() const { return bleedMm <= 0 && !marks && !pdfx; }
};

} // namespace tobirae
