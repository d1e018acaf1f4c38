// The rules of the day-cell layout editor that need no widgets: which editing areas and element
// boxes an item's kind has, the sample texts and tooltips, the centre locks, the bounds of the
// arrow keys, grid snapping, the dividing-line lists and what the property dialog takes back.
#pragma once

#include "app/EditorStartup.h"
#include "document/LayoutItem.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <chrono>
#include <vector>

namespace tobirae {

struct RenderContext;

// The numbers are those the editor remembers as "the area used last".
enum class ContentArea { Day = 1, SecondDay = 2, Heading = 3 };
// Normal position, or the upper / lower day of a cell shared by two dates.
enum class BoxSlot { Normal, Upper, Lower };
enum class LockAxis { Horizontal, Vertical };

// Areas of the kind in the order the editor shows them: Box表示(5段) heading, day, second day;
// the other boxes heading and day; lists day only; other kinds none.
std::vector<ContentArea> contentAreas(int category, int variant);
// "年月設定", "日付設定①", "日付設定②" (five-row box) or "日付設定".
QString contentAreaLabel(ContentArea area, int variant);

// Boxes of the day-cell elements beyond the thirteen: 選日, 月齢 and the moon phase are numbered
// kExtraBoxBase + ExtraElementIndex.
inline constexpr int kExtraBoxBase = kElementCount;
inline constexpr int kEditorElementCount = kElementCount + kExtraElementCount;
ContentElement& editorElement(LayoutItem& item, int element);
const ContentElement& editorElement(const LayoutItem& item, int element);

struct ContentBoxKey {
    int element = 0;
    BoxSlot slot = BoxSlot::Normal;
    bool operator==(const ContentBoxKey&) const = default;
};
// The boxes an area holds, shown or not, in picker order.
std::vector<ContentBoxKey> contentBoxesOf(ContentArea area, int category, int variant);
// Picker text: "年①" … "祝日", with "(上段)" / "(下段)" for the shared-cell slots.
QString contentBoxName(ContentBoxKey key);
QString contentBoxTooltip(ContentBoxKey key);
// The text a box shows and is sized to; `today` gives the year and month samples.
QString contentSample(const LayoutItem& item, int element, std::chrono::year_month_day today);

TextPos& slotPosition(LayoutItem& item, ContentBoxKey key);
const TextPos& slotPosition(const LayoutItem& item, ContentBoxKey key);

// The centre lock fields of an element (the holiday keeps both in VCenterLock[6..7]).
bool isLocked(const LayoutItem& item, int element, LockAxis axis);
void setLocked(LayoutItem& item, int element, LockAxis axis, bool locked);
// The entries of a box's popup "中央に配置": the vertical lock in the day area of a vertical list,
// the horizontal one in other day areas, both in the heading, none for Mini's day area and the
// second day area.
std::vector<LockAxis> lockChoices(ContentArea area, int category, int variant);

// Top-left of a box of the given length centred in the area along one axis.
inline int centredIn(int areaLength, int boxLength) {
    return (areaLength - boxLength) / 2;
}
// One arrow-key step (Qt::Key_Up, Down, Left, Right) inside the area's bounds: up to 1 − box
// height, down to area height − 3, left to 1 − box width, right to area width − 1.
QPoint keyStep(QPoint position, QSize box, QSize area, int key);

// The sub-grid of the options ("日付設定画面").
struct ContentGrid {
    bool shown = false;
    bool snap = false;
    int spacingX = 0; // twips
    int spacingY = 0;
};
// The area's boxes and lines snap as items on the canvas do (snapToGrid, the line at or before
// the position), kept to whole pixels.
int snapToGridPixel(int position, int spacingTwips);

// Dividing lines of the vertical list are vertical, those of the horizontal list horizontal.
enum class LineOrientation { None, Vertical, Horizontal };
LineOrientation dividingLineOrientation(int category, int variant);
inline constexpr int kMaxAddedLines = 10;
// "これ以上、縦罫線は追加できません。" / "これ以上、横罫線は追加できません。"
QString lineLimitMessage(LineOrientation orientation);
std::vector<int> storedDividingLines(const LayoutItem& item, LineOrientation orientation);
// Stores the lines sorted by value and held inside 0..areaLength, the rest of the list cleared.
void storeDividingLines(LayoutItem& item, LineOrientation orientation, std::vector<int> lines,
                        int areaLength);
// Lines that divide an area into regions 0..count: new regions are oldCount + 1 .. newCount and
// their background entries become white.
void whitenNewRegions(LayoutItem& item, int oldCount, int newCount);

// What the property dialog takes back from the editor's copy, accepted or not: positions and
// centre locks of every element, the dividing lines and ruled lines, the background entries of
// new regions and the design size.
void takeBackContentLayout(LayoutItem& work, const LayoutItem& shared);

// Sizes of the editing areas as the renderer lays the item out at its design size: a day cell
// (the title band for the heading). Empty for kinds without the area.
struct ContentAreaSizes {
    QSize day;
    QSize heading;
};
ContentAreaSizes contentAreaSizes(RenderContext& ctx, const LayoutItem& item,
                                  std::chrono::year_month_day today);
// The heading draws its texts this far below their stored Y.
inline constexpr int kHeadingTextTop = 4;

} // namespace tobirae
