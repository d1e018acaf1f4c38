// What a freshly added item looks like: fonts, colours, design size, the content layout and the
// ruled lines of its kind.
#pragma once

#include "document/LayoutItem.h"

namespace tobirae {

// Fills the item with the defaults of (category, variant) for a page of the given paper size
// in millimetres: common values, the kind's fonts and design size (capped to the page), the
// content layout, the ruled lines and the background colours. False for a kind it does not know
// (the common values and background colours are then still set).
bool applyNewItemDefaults(int category, int variant, LayoutItem& item, float paperWidthMm,
                         float paperHeightMm);

// Resets shown flags, styles, positions, centre locks and dividing lines of the item's kind;
// fonts and colours are left alone.
bool setDefaultContentLayout(LayoutItem& item);

// ＭＳ ゴシック 11 pt regular, black text ("0"), second colour "&HFFFFFF", horizontal.
void setDefaultFontSpec(FontSpec& font);

// All 100 background entries 0, then white for the entries the one-month family (0..50) and
// weekly items (0..10) paint.
void resetBackColours(LayoutItem& item);

} // namespace tobirae
