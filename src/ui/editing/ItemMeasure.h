// What decides an item's size besides the user: the size its drawing takes when it fits its
// contents (year and month display items always do, unless fitted to their box; any item once
// when it is added or "基準枠に合わせる"), found from the geometry its drawing uses, without
// drawing it.
#pragma once

#include "bitmap/RenderContext.h"
#include "document/ItemFrame.h"
#include "document/LayoutItem.h"

namespace tobirae {
class FontCache;
class PictureCache;
} // namespace tobirae

#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

namespace tobirae {

// Year and month display items that are not fitted to their box take the size of their text.
bool autoSized(const LayoutItem& item);

class ItemMeasure {
public:
    // Pictures are decoded through the cache when there is one (the editor's, shared with its
    // previews); it must outlive the measure.
    explicit ItemMeasure(PictureCache* pictures = nullptr);

    // The drawing area the item takes when it fits its contents for the page month; nullopt
    // when it could not be drawn.
    std::optional<QSizeF> contentSize(const LayoutItem& item, int year, int month,
                                      const QString& layoutFolder);

private:
    RenderContext ctx_;
    std::shared_ptr<FontCache> fonts_; // measures each text once across measurements
};

} // namespace tobirae
