#include "render/DayCell.h"

#include "calendar/DateHelpers.h"
#include "calendar/DayFacts.h"
#include "render/CellTextFit.h"
#include "render/DayTextBuilders.h"
#include "render/ItemDayFacts.h"
#include "render/MonthText.h"
#include "render/RenderFrame.h"
#include "render/YearMonthText.h"

#include <algorithm>

namespace tobirae {

namespace {

bool hLocked(const LayoutItem& item, int k) {
    return k == Holiday ? item.VCenterLock[kHolidayHLockSlot] != 0
                        : isTrue(item.element(k).HCenterLock);
}

TextPos positionFor(const ContentElement& e, CellHalf half) {
    switch (half) {
    case CellHalf::Upper:
        return e.UpperPos;
    case CellHalf::Lower:
        return e.LowerPos;
    case CellHalf::Normal:
        break;
    }
    return e.Pos;
}

float textWidth(RenderContext& ctx, float scale, const QString& text) {
    return static_cast<float>(measureScaledText(ctx, nullptr, scale, text).width);
}

// Day number, rokuyo and sexagenary name: at the element's position, or trimmed and centred
// across the cell under the centre lock (normal cells only).
bool drawPlain(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item, int k,
               const QString& text, Colour colour, const DayCellPlacement& cell) {
    if (text.isEmpty())
        return true;
    const ContentElement& e = item.element(k);
    selectFont(ctx, e.Font);
    const TextPos p = positionFor(e, cell.half);
    const float y = cell.y0 + static_cast<float>(p.Y) * cell.scaleY;
    if (cell.half == CellHalf::Normal && hLocked(item, k))
        return drawScaledText(ctx, surface, cell.scaleY, text.trimmed(), 0, y, colour, true, cell.x0,
                            cell.cellWidth);
    return drawScaledText(ctx, surface, cell.scaleY, text,
                        cell.x0 + static_cast<float>(p.X) * cell.scaleX, y, colour, true);
}

// Styled elements: the sample text sizes a box (centred in the cell under the lock) and the
// text is aligned inside it. A fitted text (a holiday with the user's names) is kept inside
// the cell.
bool drawInSampleBox(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item, int k,
                     const QString& sample, const QString& text, const DayCellPlacement& cell,
                     bool fitted = false) {
    if (text.isEmpty())
        return true;
    const ContentElement& e = item.element(k);
    selectFont(ctx, e.Font);
    const float sampleWidth = textWidth(ctx, cell.scaleY, sample);
    const TextPos p = positionFor(e, cell.half);
    float x = cell.x0 + static_cast<float>(p.X) * cell.scaleX;
    if (cell.half == CellHalf::Normal && hLocked(item, k))
        x = cell.x0 + (cell.cellWidth - sampleWidth) / 2;
    x += sampleBoxOffset(item.Align[static_cast<std::size_t>(k)], sampleWidth,
                             textWidth(ctx, cell.scaleY, text));
    const FittedText fit =
        fitted ? fitTextInCell(ctx, cell.scaleY, text, x, cell.x0, cell.x0 + cell.cellWidth)
               : FittedText{text, x, cell.scaleY};
    return drawScaledText(ctx, surface, fit.fontScale, fit.text, fit.x,
                        cell.y0 + static_cast<float>(p.Y) * cell.scaleY, fontColour(e.Font),
                        true);
}

// 選日, 月齢 and moon phase: placed as the plain elements are, kept inside the cell.
bool drawExtra(RenderContext& ctx, const DrawSurface& surface, const ContentElement& e,
               const QString& text, const DayCellPlacement& cell) {
    if (text.isEmpty())
        return true;
    selectFont(ctx, e.Font);
    const TextPos p = positionFor(e, cell.half);
    const float y = cell.y0 + static_cast<float>(p.Y) * cell.scaleY;
    float x = cell.x0 + static_cast<float>(p.X) * cell.scaleX;
    if (cell.half == CellHalf::Normal && isTrue(e.HCenterLock))
        x = cell.x0 + (cell.cellWidth - textWidth(ctx, cell.scaleY, text)) / 2;
    const FittedText fit =
        fitTextInCell(ctx, cell.scaleY, text, x, cell.x0, cell.x0 + cell.cellWidth);
    return drawScaledText(ctx, surface, fit.fontScale, fit.text, fit.x, y, fontColour(e.Font),
                        true);
}

} // namespace

QString extraElementText(const LayoutItem& item, int extra, const DayFacts& facts) {
    if (extra < 0 || extra >= kExtraElementCount)
        return {};
    const ContentElement& e = item.ExtraElements[static_cast<std::size_t>(extra)];
    switch (extra) {
    case ExtraSelectedDays:
        return QString::fromStdString(
            selectedDayNames(facts.selectedDays & static_cast<SelectedDayMask>(e.Style), "・"));
    case ExtraMoonAge:
        return QString::fromStdString(moonAgeText(facts.moonAge));
    default:
        if (!facts.moonPhase)
            return {};
        const std::string_view text =
            e.Style == 1 ? moonPhaseName(*facts.moonPhase) : moonPhaseSymbol(*facts.moonPhase);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
}

Colour dayNumberColour(const LayoutItem& item, std::chrono::sys_days date, bool holiday) {
    if (holiday)
        return item.DateColor[kHolidayColourSlot];
    const int w = weekdayIndex(date);
    return item.DateColor[static_cast<std::size_t>(w == 0 ? kSundaySlot : w - 1)];
}

Colour dayNumberColour(const LayoutItem& item, const DayFacts& facts) {
    const std::chrono::sys_days date{facts.date};
    if (facts.isOwnWorkingDay && weekdayIndex(date) == 0)
        return item.DateColor[0];
    return dayNumberColour(item, date, facts.isHolidayColoured());
}

Colour weekdayNameColour(const LayoutItem& item, int weekday) {
    if (weekday < 0 || weekday > 6)
        return 0;
    return item
        .WeekdayNameColor[static_cast<std::size_t>(weekday == 0 ? kSundaySlot : weekday - 1)];
}

bool fillDayCell(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                     std::chrono::year_month_day date, const DayCellPlacement& cell) {
    if (!date.ok())
        return false;
    // No facts: the names stay empty and draw nothing.
    const DayFacts facts = itemDayFacts(ctx, item, date);
    const QString holiday = QString::fromStdString(facts.shownName());
    bool ok = true;

    const Colour dayColour = dayNumberColour(item, facts);
    ok &= drawPlain(ctx, surface, item, Day,
                    dayNumberText(static_cast<int>(unsigned(date.day()))), dayColour, cell);

    if (isTrue(item.element(Rokuyo).Shown))
        ok &= drawPlain(ctx, surface, item, Rokuyo, QString::fromStdString(facts.rokuyoName),
                        fontColour(item.element(Rokuyo).Font), cell);
    if (isTrue(item.element(Eto).Shown))
        ok &= drawPlain(ctx, surface, item, Eto, QString::fromStdString(facts.kanshiName),
                        fontColour(item.element(Eto).Font), cell);
    if (isTrue(item.element(OldCalendar).Shown))
        ok &= drawInSampleBox(ctx, surface, item, OldCalendar,
                              oldDateSample(item.OldCalendarStyle),
                              oldDateTextFor(item.OldCalendarStyle, date), cell);
    if (isTrue(item.element(SolarTerm).Shown))
        ok &= drawInSampleBox(ctx, surface, item, SolarTerm, solarTermSample(item.SekkiSelection),
                              solarTermText(item.SekkiSelection, date), cell);
    if (isTrue(item.element(Holiday).Shown) && !holiday.isEmpty())
        ok &= drawInSampleBox(ctx, surface, item, Holiday, holidaySample(), holiday, cell,
                              !facts.ownName.empty());
    for (int extra = 0; extra < kExtraElementCount; ++extra) {
        const ContentElement& e = item.ExtraElements[static_cast<std::size_t>(extra)];
        if (isTrue(e.Shown))
            ok &= drawExtra(ctx, surface, e, extraElementText(item, extra, facts), cell);
    }
    return ok;
}

bool dayCellContentExtent(RenderContext& ctx, Canvas* surface, const DateRange& range,
                       const LayoutItem& item, int group, ElementExtent& out) {
    int first = Year1;
    int last = Year1;
    switch (group) {
    case 0:
        last = Holiday;
        break;
    case 1:
        last = Year2;
        break;
    case 2:
        first = Month1;
        last = Month4;
        break;
    default:
        break;
    }
    out = ElementExtent{0, 0, 9999, 9999};
    const QChar ideographicSpace(0x3000);
    bool any = false;
    bool ok = true;
    for (int k = first; k <= last; ++k) {
        const ContentElement& e = item.element(k);
        if (!isTrue(e.Shown))
            continue;
        QString sample;
        if (k <= Year2)
            sample = yearText(e.Style, range.first());
        else if (k <= Month4)
            sample = monthText(e.Style, range.firstMonth);
        else if (k == Day)
            sample = QStringLiteral("31");
        else if (k == Weekday)
            sample = weekdaySample(item.WeekdayStyle);
        else if (k == Rokuyo)
            sample = QString::fromUtf16(u"六曜");
        else if (k == Eto)
            sample = QString::fromUtf16(u"干支");
        else if (k == OldCalendar)
            sample = QString::fromUtf16(u"旧 2004/01/01");
        else if (k == SolarTerm)
            sample = QString::fromUtf16(u"二十四節気") + QString(5, ideographicSpace);
        else
            sample = QString::fromUtf16(u"祝日") + QString(5, ideographicSpace);
        selectFont(ctx, e.Font);
        const TextExtent size = measureScaledText(ctx, surface, 1, sample);
        const auto x = static_cast<float>(e.Pos.X);
        const auto y = static_cast<float>(e.Pos.Y);
        out.bottom = std::max(out.bottom, y + static_cast<float>(size.height));
        out.right = std::max(out.right, x + static_cast<float>(size.width));
        out.top = std::min(out.top, y);
        out.left = std::min(out.left, x);
        any = true;
    }
    if (!any) {
        out.top = 0;
        out.left = 0;
    }
    return ok;
}

} // namespace tobirae
