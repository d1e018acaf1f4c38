// The page boxes of a print-shop PDF (MediaBox, CropBox, BleedBox, TrimBox), computed from the
// page the writer really wrote and set or read with qpdf.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace tobirae {

// One page's boxes in PDF points, (x, y) the lower-left corner; an absent box is a null rect.
struct PdfPageBoxes {
    QRectF media;
    QRectF crop;
    QRectF bleed;
    QRectF trim;
};

// The boxes of a page whose written MediaBox is `written`, holding the finished size `trimPt`
// centred: the BleedBox is the trim plus the bleed on each side; with marks the MediaBox is the
// written page (room for the marks beyond the bleed), without them the BleedBox. The CropBox is the
// MediaBox.
PdfPageBoxes printShopBoxes(const QRectF& written, const QSizeF& trimPt, double bleedPt,
                            bool marks);

// The file with its pages' boxes set by printShopBoxes; an error text when the file could not be
// read or written.
std::optional<QString> setPrintShopBoxes(const QByteArray& pdf, const QSizeF& trimPt,
                                         double bleedPt, bool marks, QByteArray* out);

// The file with each page's boxes replaced by boxes[i] (pages beyond the list keep theirs).
std::optional<QString> setPageBoxes(const QByteArray& pdf, const std::vector<PdfPageBoxes>& boxes,
                                    QByteArray* out);

// The boxes of every page of a file; empty with `error` set when it cannot be read.
std::vector<PdfPageBoxes> readPageBoxes(const QByteArray& pdf, QString* error = nullptr);

} // namespace tobirae
