// Picture items beyond drawing: remembering a picture's size in the item and telling the caller
// why a picture does not show.
#pragma once

#include "bitmap/PictureFile.h"
#include "document/LayoutItem.h"

#include <QRectF>
#include <QSize>
#include <QString>

namespace tobirae {

// The text a picture item shows while its picture cannot be drawn.
inline constexpr char16_t kPicturePlaceholderText[] = u"ここに画像を貼り付けます。";

// Where the item's picture was found and whether it can be drawn.
struct PictureItemStatus {
    QString path; // the file used, empty when none was found
    PictureProblem problem = PictureProblem::None;
    QString reason; // empty when the picture draws
    QSize size;     // the picture's pixel size when known
};

// Finds and decodes the item's picture (the layout's folder serves paths made elsewhere).
PictureItemStatus pictureItemStatus(const LayoutItem& item, const QString& layoutFolder);

// Where the page drawing puts the item's picture, layout pixels (the item's Left and Top at the
// item's origin).
QRectF pictureDrawnRect(const LayoutItem& item, const QString& layoutFolder);

// Remembers the picture's pixel size in DesignWidth/DesignHeight while DesignWidth is 0, so
// later draws reuse it. True when the item changed.
bool storePictureSize(LayoutItem& item, const QString& layoutFolder);

} // namespace tobirae
