#include "render/PdfBoxes.h"

#include "render/PdfBytes.h"

#include <exception>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace tobirae {

namespace {

QRectF rectOf(QPDFObjectHandle box) {
    if (!box.isRectangle())
        return {};
    const QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();
    return QRectF(QPointF(r.llx, r.lly), QPointF(r.urx, r.ury)).normalized();
}

QPDFObjectHandle boxOf(const QRectF& r) {
    return QPDFObjectHandle::newArray(
        QPDFObjectHandle::Rectangle(r.left(), r.top(), r.right(), r.bottom()));
}

QString readError(const std::exception& e) {
    return QStringLiteral("PDF を読み書きできませんでした: %1")
        .arg(QString::fromLocal8Bit(e.what()));
}

void readInto(QPDF& pdf, const QByteArray& bytes) {
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("page boxes", bytes.constData(), static_cast<size_t>(bytes.size()));
}

void setBoxes(QPDFPageObjectHelper& page, const PdfPageBoxes& boxes) {
    QPDFObjectHandle dict = page.getObjectHandle();
    dict.replaceKey("/MediaBox", boxOf(boxes.media));
    dict.replaceKey("/CropBox", boxOf(boxes.crop));
    dict.replaceKey("/BleedBox", boxOf(boxes.bleed));
    dict.replaceKey("/TrimBox", boxOf(boxes.trim));
}

} // namespace

PdfPageBoxes printShopBoxes(const QRectF& writtenBox, const QSizeF& trimPt, double bleedPt,
                            bool marks) {
    PdfPageBoxes boxes;
    const QPointF centre = writtenBox.center();
    boxes.trim = QRectF(centre.x() - trimPt.width() / 2, centre.y() - trimPt.height() / 2,
                        trimPt.width(), trimPt.height());
    boxes.bleed = boxes.trim.adjusted(-bleedPt, -bleedPt, bleedPt, bleedPt);
    boxes.media = marks ? writtenBox : boxes.bleed;
    boxes.crop = boxes.media;
    return boxes;
}

std::optional<QString> setPrintShopBoxes(const QByteArray& bytes, const QSizeF& trimPt,
                                         double bleedPt, bool marks, QByteArray* out) {
    try {
        QPDF pdf;
        readInto(pdf, bytes);
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
            setBoxes(page, printShopBoxes(rectOf(page.getMediaBox()), trimPt, bleedPt, marks));
        *out = writtenPdfBytes(pdf);
        return std::nullopt;
    } catch (const std::exception& e) {
        return readError(e);
    }
}

std::optional<QString> setPageBoxes(const QByteArray& bytes, const std::vector<PdfPageBoxes>& boxes,
                                    QByteArray* out) {
    try {
        QPDF pdf;
        readInto(pdf, bytes);
        std::size_t i = 0;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            if (i < boxes.size())
                setBoxes(page, boxes[i]);
            ++i;
        }
        *out = writtenPdfBytes(pdf);
        return std::nullopt;
    } catch (const std::exception& e) {
        return readError(e);
    }
}

std::vector<PdfPageBoxes> readPageBoxes(const QByteArray& bytes, QString* error) {
    std::vector<PdfPageBoxes> pages;
    try {
        QPDF pdf;
        readInto(pdf, bytes);
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle dict = page.getObjectHandle();
            PdfPageBoxes boxes;
            boxes.media = rectOf(page.getMediaBox());
            boxes.crop = rectOf(dict.getKey("/CropBox"));
            boxes.bleed = rectOf(dict.getKey("/BleedBox"));
            boxes.trim = rectOf(dict.getKey("/TrimBox"));
            pages.push_back(boxes);
        }
    } catch (const std::exception& e) {
        pages.clear();
        if (error)
            *error = readError(e);
    }
    return pages;
}

} // namespace tobirae
