// Every field of the layout records, in file order, with its record name. The binary reader and
// writer and the JSON forms all walk the records through these functions, so the four cannot
// drift apart. A visitor offers field(name, value&) for each field type and begin(name)/end()
// around nested records.
#pragma once

#include "document/LayoutItem.h"
#include "document/PageSettings.h"

#include <array>

namespace tobirae::detail {

inline constexpr std::array<const char*, kElementCount> kElementNames{
    "Year1",   "Year2",  "Month1", "Month2",      "Month3",    "Month4", "Day",
    "Weekday", "Rokuyo", "Eto",    "OldCalendar", "SolarTerm", "Holiday"};

// Which optional fields an element has in the file.
inline constexpr bool elementHasSplitPos(int k) {
    return k == Day || k >= Rokuyo;
}
inline constexpr bool elementHasStyle(int k) {
    return isTitleElement(k) || (k >= Rokuyo && k <= SolarTerm);
}
inline constexpr bool elementHasLocks(int k) {
    return k != Holiday;
}
inline constexpr bool elementHasVCenterLock(int k) {
    return k >= Day && k <= SolarTerm;
}

template <class Page, class V> void visitPageSettings(Page& p, V& v) {
    v.field("FormatVersion", p.FormatVersion);
    v.field("PaperSize", p.PaperSize);
    v.field("PaperWidth", p.PaperWidth);
    v.field("PaperHeight", p.PaperHeight);
    v.field("Resolution", p.Resolution);
    v.field("Portrait", p.Portrait);
    v.field("ItemCount", p.ItemCount);
    v.field("Reserved", p.Reserved);
    v.field("PageBackColor", p.PageBackColor);
}

template <class Font, class V> void visitFontSpec(Font& f, V& v) {
    v.field("FaceName", f.FaceName);
    v.field("Size", f.Size);
    v.field("Bold", f.Bold);
    v.field("Italic", f.Italic);
    v.field("Underline", f.Underline);
    v.field("StrikeOut", f.StrikeOut);
    v.field("Angle", f.Angle);
    v.field("ForeColor", f.ForeColor);
    v.field("BackColor", f.BackColor);
    v.field("Vertical", f.Vertical);
}

template <class Font, class V> void visitFontSpec(const char* name, Font& f, V& v) {
    v.begin(name);
    visitFontSpec(f, v);
    v.end();
}

template <class Pos, class V> void visitTextPos(const char* name, Pos& p, V& v) {
    v.begin(name);
    v.field("X", p.X);
    v.field("Y", p.Y);
    v.end();
}

template <class Element, class V> void visitElement(int k, Element& e, V& v) {
    v.begin(kElementNames[static_cast<std::size_t>(k)]);
    v.field("Shown", e.Shown);
    visitFontSpec("Font", e.Font, v);
    visitTextPos("Pos", e.Pos, v);
    if (elementHasSplitPos(k)) {
        visitTextPos("UpperPos", e.UpperPos, v);
        visitTextPos("LowerPos", e.LowerPos, v);
    }
    if (elementHasStyle(k))
        v.field("Style", e.Style);
    if (elementHasLocks(k))
        v.field("HCenterLock", e.HCenterLock);
    if (elementHasVCenterLock(k))
        v.field("VCenterLock", e.VCenterLock);
    v.end();
}

template <class Item, class V> void visitLayoutItem(Item& it, V& v) {
    v.field("Top", it.Top);
    v.field("Left", it.Left);
    v.field("Width", it.Width);
    v.field("Height", it.Height);
    v.field("Reserved1", it.Reserved1);
    v.field("Reserved2", it.Reserved2);
    v.field("SizeChangeMode", it.SizeChangeMode);
    v.field("MoveLocked", it.MoveLocked);
    v.field("XLocked", it.XLocked);
    v.field("YLocked", it.YLocked);
    v.field("Live", it.Live);
    v.field("HCenterLocked", it.HCenterLocked);
    v.field("VCenterLocked", it.VCenterLocked);
    v.field("Category", it.Category);
    v.field("LayoutVariant", it.LayoutVariant);
    v.field("DayTextMode", it.DayTextMode);
    v.field("MonthSelector", it.MonthSelector);
    v.field("WeekRange", it.WeekRange);
    v.field("WeekdayStyle", it.WeekdayStyle);
    v.field("Reserved4", it.Reserved4);
    v.field("Spare1", it.Spare1);
    v.field("Spare2", it.Spare2);
    v.field("Spare3", it.Spare3);
    visitFontSpec("SpareFont", it.SpareFont, v);
    v.field("DateColor", it.DateColor);
    for (int k = 0; k < kElementCount; ++k)
        visitElement(k, it.Elements[static_cast<std::size_t>(k)], v);
    v.field("RuleBlock", it.RuleBlock);
    v.field("DesignWidth", it.DesignWidth);
    v.field("Reserved5", it.Reserved5);
    v.field("DesignHeight", it.DesignHeight);
    v.field("VPlacement", it.VPlacement);
    v.field("HPlacement", it.HPlacement);
    v.field("FitToRect", it.FitToRect);
    v.field("FreeAspect", it.FreeAspect);
    v.field("PictureFile", it.PictureFile);
    v.field("CellBackColor", it.CellBackColor);
    v.field("Reserved6", it.Reserved6);
    v.field("WeekdayNameColor", it.WeekdayNameColor);
    v.field("Reserved7", it.Reserved7);
    v.field("VCenterLock", it.VCenterLock);
    v.field("Align", it.Align);
    v.field("Reserved8", it.Reserved8);
    v.field("OldCalendarStyle", it.OldCalendarStyle);
    v.field("SekkiSelection", it.SekkiSelection);
    v.field("Reserved9", it.Reserved9);
    v.field("BackColor", it.BackColor);
    v.field("Transparent", it.Transparent);
    v.field("TransparentColor", it.TransparentColor);
    v.field("Reserved10", it.Reserved10);
}

} // namespace tobirae::detail
