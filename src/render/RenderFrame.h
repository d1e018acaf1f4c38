// The rendering frame: the entry points that turn one item and a page month into pixels
// (drawLayoutItem), into the extent the drawing would reach (measureLayoutItem) or into the size
// its content takes (contentSize), and
// the helpers every kind renderer shares: shown month and weekly day ranges, fit to the item
// rectangle, placement offsets, colour texts, the resolution table and cell background colours.
#pragma once

#include "bitmap/Primitives.h"
#include "bitmap/RenderContext.h"
#include "document/LayoutItem.h"
#include "render/DateRange.h"
#include "render/KindRenderers.h"
#include "render/RenderArgs.h"

#include <QSize>
#include <QSizeF>
#include <QString>
#include <chrono>
#include <optional>

namespace tobirae {

class PreviewTarget;

// --- entry points -------------------------------------------------------------------------------
// Draws the item for the page month in range (rewritten to the item's shown range). preview
// nullptr: page target (the context's page bitmap and page scale must exist, or page.dc names
// another page canvas). Offsets are page pixels.
// The preview is drawn at the size it has; drawing never changes it.
bool drawLayoutItem(RenderContext& ctx, const LayoutItem& item, PreviewTarget* preview,
                    DateRange& range, DrawSurface page, int xOffset, int yOffset,
                    const QString& layoutFolder = {});

// Right and bottom edge (page pixels) the page drawing would reach; nullopt on failure.
std::optional<ItemExtent> measureLayoutItem(RenderContext& ctx, const LayoutItem& item,
                                                DateRange& range, const QString& layoutFolder = {});

// Layout pixels the item's content takes at its design size for the page month in range
// (rewritten as for drawing): the size an item that fits its contents gets, whether or not it is
// fitted to its box. Kinds whose content is their box (text, and kinds that draw nothing) answer
// the item's size rounded. Computed from the geometry drawing uses, without drawing; nullopt
// when the item could not be drawn either.
std::optional<QSize> contentSize(RenderContext& ctx, const LayoutItem& item, DateRange& range,
                                 const QString& layoutFolder = {});
// The item's Width and Height rounded to whole layout pixels.
QSize itemBoxSize(const LayoutItem& item);

// --- shown month and days -----------------------------------------------------------------------
// The range an item shows for the page month (year, month): the month from MonthSelector, and for
// weekly items the days from WeekRange. rows receives the fixed row count of weekly items (0 =
// one row per day) and the box rows of box kinds (5, 6, 6 for mini), else 0.
DateRange shownRange(const LayoutItem& item, int pageYear, int pageMonth, int* rows = nullptr);
// The year a year-display item shows.
int shownYearOf(int monthSelector, int pageYear, int pageMonth);
// (year, month) a month-family, month-display or weekly item shows.
std::chrono::year_month shownMonthOf(int monthSelector, int pageYear, int pageMonth);
// First day, last day and row count of week range 0..13 inside a month.
struct WeekSpan {
    std::chrono::sys_days first;
    std::chrono::sys_days last;
    int rows = 0;
};
// The five week choices follow weeks that begin on firstWeekday (0 Sunday, 1 Monday).
WeekSpan weekSpanOf(int weekRange, std::chrono::year_month month, int firstWeekday = 0);
// mode 0: week n of the date's year, 1: week n of its month. Sunday weeks count from the week
// of 1 January or the 1st; Monday weeks of the year are ISO 8601 weeks (week 1 holds 4 January),
// of the month they count from the week of the 1st.
std::chrono::sys_days weekStartDate(int mode, int n, std::chrono::sys_days date,
                                        int firstWeekday = 0);

// --- fit and placement --------------------------------------------------------------------------
struct ContentFit {
    int width = 0; // content size in layout pixels
    int height = 0;
    float scaleX = 1; // multiply element positions, band heights and font sizes
    float scaleY = 1;
};
// Natural: the content at its design size, as an item that fits its contents takes it.
enum class ContentFitting { ToTarget, Natural };
// Design size cut to a multiple of cutX across and cutY down (box kinds 7 and 1; 0 or 1 = no
// cut), then fitted to the view (screen, view size - 4) or the item's Width/Height (page) when
// FitToRect is set and the fitting is ToTarget. The cut is applied again after fitting.
ContentFit fitContent(const LayoutItem& item, const PreviewTarget* preview, ContentFitting fitting,
                      int cutX = 7, int cutY = 1);
// Offset of content of the given size inside the item: 0 start, 1 centre, 2 end (end - 1).
int contentPlacementOffset(int placement, float itemSize, float contentSize);

// Offset that aligns a text of textWidth inside an element's sample box: alignment 0 left,
// 1 centre, 2 right.
float sampleBoxOffset(int align, float sampleWidth, float textWidth);

// Right/bottom edge in page pixels of content of the given size at the item's position.
ItemExtent itemPageExtent(const RenderContext& ctx, const LayoutItem& item, float contentWidth,
                          float contentHeight);

// --- small shared helpers -----------------------------------------------------------------------
// Decimal or "&H" hexadecimal colour text; the default for anything else.
Colour colourFromText(const QString& text, Colour defaultColour = 0);
// The colour a font's text is drawn in.
Colour fontColour(const FontSpec& font);
// 72, 100, 150, 200, 300 -> 0..4, anything else 5.
int resolutionIndexOfDpi(int dpi);
// 0..4 as above, 5 the screen resolution (96), anything else 0.
int dpiOfResolutionIndex(int index);
// Millimetres (width, height) of paper index 0 (A4, 297 x 210), 0 x 0 otherwise.
QSizeF paperDefaultSize(int paperIndex);
// The editing canvas (layout pixels) for paper of the given millimetres.
QSize canvasSizeForPaper(float paperWidthMm, float paperHeightMm);
// Entry 9 + 7 x row + column of CellBackColor (row 0..5, column 0..6 Sunday first); entries
// 0..8 (bands, weekday header) are read from CellBackColor directly.
Colour cellBackColour(const LayoutItem& item, int row, int column);
void setCellBackColour(LayoutItem& item, int row, int column, Colour colour);
// An entry equal to the item's BackColor is not painted.
inline bool cellBackPainted(const LayoutItem& item, Colour colour) {
    return colour != item.BackColor;
}

} // namespace tobirae
