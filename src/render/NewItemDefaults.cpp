#include "render/NewItemDefaults.h"

#include "document/ExtensionCodec.h"
#include "render/RuleBlock.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tobirae {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kWhite = 0xFFFFFF;

enum class Kind { Year, MonthDisplay, Box5, Box6, Mini, List, Row, WeekList, WeekRow, Image, None };

Kind kindOf(int category, int variant) {
    switch (category) {
    case CategoryYear:
        return Kind::Year;
    case CategoryMonthDisplay:
        return Kind::MonthDisplay;
    case CategoryPicture:
        return Kind::Image;
    case CategoryMonthFamily:
        switch (variant) {
        case VariantBox5:
            return Kind::Box5;
        case VariantBox6:
            return Kind::Box6;
        case VariantBoxMini:
            return Kind::Mini;
        case VariantVertical:
            return Kind::List;
        case VariantHorizontal:
            return Kind::Row;
        default:
            return Kind::None;
        }
    case CategoryWeekly:
        if (variant == VariantVertical)
            return Kind::WeekList;
        if (variant == VariantHorizontal)
            return Kind::WeekRow;
        return Kind::None;
    default:
        return Kind::None;
    }
}

void setSize(LayoutItem& item, std::initializer_list<int> elements, int points) {
    for (int k : elements)
        item.element(k).Font.Size = points;
}

void makeVertical(FontSpec& font) {
    font.Vertical = 1;
    const QString face = font.FaceName.text();
    if (!face.startsWith(QLatin1Char('@')))
        font.FaceName.setText(QLatin1Char('@') + face);
}

// Length of a weekly item's day axis by its week range.
int weeklyLength(int weekRange) {
    if (weekRange == 9)
        return 65; // 29 to the end of the month
    if (weekRange >= 10 && weekRange <= 13)
        return 340; // half months
    return 150;
}

// Page size in layout pixels minus a margin, as the caps of the design size.
std::int32_t capped(std::int32_t value, double cap) {
    if (value <= cap)
        return value;
    // A page smaller than the margin would give a negative design size.
    return static_cast<std::int32_t>(std::max(0.0, std::nearbyint(cap)));
}

void kindDefaults(Kind kind, LayoutItem& item) {
    const std::initializer_list<int> titles = {Year1, Year2, Month1, Month2, Month3, Month4};
    switch (kind) {
    case Kind::Year:
        item.element(Year1).Font.Size = 72;
        item.LayoutVariant = 0;
        item.DayTextMode = 0;
        break;
    case Kind::MonthDisplay:
        item.element(Month1).Font.Size = 72;
        item.LayoutVariant = 0;
        item.DayTextMode = 0;
        break;
    case Kind::Box5:
    case Kind::Box6:
        item.WeekdayStyle = 2;
        setSize(item, titles, 16);
        setSize(item, {Day, Weekday}, 16);
        setSize(item, {Rokuyo, Eto, OldCalendar, SolarTerm, Holiday}, 10);
        item.DesignWidth = 700;
        item.DesignHeight = 550;
        break;
    case Kind::Mini:
        item.WeekdayStyle = 2;
        setSize(item, {Year1, Year2}, 10);
        setSize(item, {Month1}, 28);
        setSize(item, {Month2, Month3, Month4, Day, Weekday}, 11);
        item.DesignWidth = 150;
        item.DesignHeight = 180;
        break;
    case Kind::List:
        item.WeekdayStyle = 2;
        item.DesignWidth = 560;
        item.DesignHeight = 465;
        break;
    case Kind::Row:
    case Kind::WeekRow:
        item.WeekdayStyle = 0;
        if (kind == Kind::Row) {
            item.DesignWidth = 744;
            item.DesignHeight = 560;
        } else {
            item.DesignWidth = weeklyLength(item.WeekRange);
            item.DesignHeight = 560;
        }
        for (int k : {Weekday, Rokuyo, Eto, OldCalendar, SolarTerm, Holiday})
            makeVertical(item.element(k).Font);
        break;
    case Kind::WeekList:
        item.WeekdayStyle = 2;
        item.DesignWidth = 560;
        item.DesignHeight = weeklyLength(item.WeekRange);
        break;
    case Kind::Image:
        item.DesignWidth = 0;
        item.DesignHeight = 0;
        item.FitToRect = kTrue;
        item.FreeAspect = kTrue;
        item.PictureFile.setText(QString());
        break;
    case Kind::None:
        break;
    }
}

void ruleDefaults(Kind kind, LayoutItem& item) {
    RuleBlockWriter rules = ruleBlock(item);
    auto switchOn = [&rules](int first, int last) {
        for (int e = first; e <= last; ++e) {
            rules.setRuleOn(e, true);
            rules.setRuleColor(e, kBlack);
            rules.setRuleWidth(e, 1);
        }
    };
    switch (kind) {
    case Kind::Box5:
        rules.setDrawRules(true);
        switchOn(0, RuleDiagonal);
        break;
    case Kind::Box6:
    case Kind::Mini:
        rules.setDrawRules(true);
        switchOn(0, RuleBottom);
        rules.setRuleOn(RuleDiagonal, false);
        break;
    case Kind::List:
    case Kind::Row:
    case Kind::WeekList:
    case Kind::WeekRow:
        rules.setDrawRules(true);
        switchOn(0, 5);
        break;
    default:
        break;
    }
}

struct TitleDefault {
    int element;
    bool shown;
    int style;
    int x, y;
    bool hLock;
};

void applyTitles(LayoutItem& item, std::initializer_list<TitleDefault> titles) {
    for (const TitleDefault& t : titles) {
        ContentElement& e = item.element(t.element);
        e.Shown = toB16(t.shown);
        e.Style = t.style;
        e.Pos = {t.x, t.y};
        e.HCenterLock = toB16(t.hLock);
    }
}

struct DayDefault {
    int element;
    bool shown;
    TextPos pos, upper, lower;
};

void applyDays(LayoutItem& item, std::initializer_list<DayDefault> days, bool withHalves) {
    for (const DayDefault& d : days) {
        ContentElement& e = item.element(d.element);
        e.Shown = toB16(d.shown);
        e.Pos = d.pos;
        if (withHalves) {
            e.UpperPos = d.upper;
            e.LowerPos = d.lower;
        }
    }
}

void boxLayout(LayoutItem& item, bool sixRows) {
    applyTitles(item, {{Year1, true, 0, 0, 0, true},
                       {Year2, false, 9, 3, 0, false},
                       {Month1, true, 2, 0, 21, true},
                       {Month2, false, 3, 3, 21, false},
                       {Month3, false, 6, 113, 21, false},
                       {Month4, false, 8, 68, 21, false}});
    for (int k : {Month1, Month2, Month3, Month4})
        item.Align[k] = 1;
    applyDays(item,
              {{Day, true, {4, 5}, {4, 5}, {76, 41}},
               {Weekday, true, {0, 0}, {}, {}},
               {Rokuyo, true, {4, 29}, {4, 29}, {45, 63}},
               {Eto, true, {32, 29}, {32, 29}, {72, 63}},
               {OldCalendar, true, {29, 12}, {29, 12}, {42, 77}}},
              !sixRows);
    item.OldCalendarStyle = 7;
    if (sixRows) {
        item.SekkiSelection = 3;
        applyDays(item, {{SolarTerm, true, {60, 29}, {}, {}}, {Holiday, true, {4, 45}, {}, {}}},
                  false);
    } else {
        item.SekkiSelection = 0;
        applyDays(item,
                  {{SolarTerm, true, {60, 29}, {4, 44}, {17, 77}},
                   {Holiday, false, {4, 70}, {4, 44}, {18, 91}}},
                  true);
    }
}

void miniLayout(LayoutItem& item) {
    applyTitles(item, {{Year1, true, 0, 2, 21, false},
                       {Year2, false, 2, 0, 21, true},
                       {Month1, true, 0, 0, 0, true},
                       {Month2, false, 8, 96, 19, false},
                       {Month3, false, 6, 30, 19, false},
                       {Month4, false, 7, 127, 19, false}});
    for (int k : {Day, Weekday}) {
        item.element(k).Shown = kTrue;
        item.element(k).Pos = {0, 0};
    }
    for (int k : {Rokuyo, Eto, OldCalendar, SolarTerm, Holiday})
        item.element(k).Shown = kFalse;
}

void columnLayout(LayoutItem& item) {
    applyTitles(item, {{Year1, true, 0, 4, 0, false},
                       {Month1, true, 2, 36, 0, false},
                       {Month2, false, 6, 36, 0, false},
                       {Month3, false, 8, 36, 0, false}});
    item.element(Year2).Shown = kFalse;
    ContentElement& month4 = item.element(Month4);
    month4.Shown = kFalse;
    month4.Style = 9;
    month4.Pos.X = 36;
    const std::initializer_list<std::pair<int, int>> days = {
        {Day, 67},          {Weekday, 88},    {Rokuyo, 112}, {Eto, 148},
        {OldCalendar, 184}, {SolarTerm, 292}, {Holiday, 448}};
    for (auto [k, x] : days) {
        item.element(k).Shown = kTrue;
        item.element(k).Pos = {x, 0};
    }
    item.OldCalendarStyle = 3;
    item.SekkiSelection = 0;
    for (int k = Year1; k <= Month4; ++k)
        item.VCenterLock[k] = kTrue;
    for (int k = Day; k < Holiday; ++k)
        item.element(k).VCenterLock = kTrue;
    item.VCenterLock[kHolidayVLockSlot] = kTrue;

    RuleBlockWriter rules = ruleBlock(item);
    const int lines[] = {84, 108, 144, 180, 288, 444};
    rules.setVLineCount(6);
    for (int i = 0; i < 6; ++i)
        rules.setVLinePos(i, lines[i]);
}

void rowLayout(LayoutItem& item) {
    applyTitles(item, {{Year1, true, 10, 0, 2, true},
                       {Year2, false, 11, 0, 2, true},
                       {Month1, true, 0, 0, 19, true},
                       {Month2, false, 4, 0, 19, true},
                       {Month3, false, 8, 0, 19, true},
                       {Month4, false, 9, 0, 19, true}});
    const std::initializer_list<std::pair<int, int>> days = {
        {Day, 36},          {Weekday, 56},    {Rokuyo, 104}, {Eto, 140},
        {OldCalendar, 176}, {SolarTerm, 284}, {Holiday, 440}};
    for (auto [k, y] : days) {
        item.element(k).Shown = kTrue;
        item.element(k).Pos = {0, y};
    }
    item.OldCalendarStyle = 3;
    item.SekkiSelection = 0;
    for (int k = Day; k < Holiday; ++k)
        item.element(k).HCenterLock = kTrue;
    item.VCenterLock[kHolidayHLockSlot] = kTrue;

    RuleBlockWriter rules = ruleBlock(item);
    const int lines[] = {52, 100, 136, 172, 280, 436};
    rules.setHLineCount(6);
    for (int i = 0; i < 6; ++i)
        rules.setHLinePos(i, lines[i]);
}

} // namespace

void setDefaultFontSpec(FontSpec& font) {
    font.FaceName.setText(QString::fromUtf16(u"ＭＳ ゴシック"));
    font.Size = 11;
    font.Bold = kFalse;
    font.Italic = kFalse;
    font.Underline = kFalse;
    font.StrikeOut = kFalse;
    font.Angle = 0;
    font.ForeColor.setText(QStringLiteral("0"));
    font.BackColor.setText(QStringLiteral("&HFFFFFF"));
    font.Vertical = 0;
}

void resetBackColours(LayoutItem& item) {
    item.CellBackColor.fill(0);
    int whiteUpTo = -1;
    if (item.Category == CategoryMonthFamily)
        whiteUpTo = 50;
    else if (item.Category == CategoryWeekly)
        whiteUpTo = 10;
    for (int i = 0; i <= whiteUpTo; ++i)
        item.CellBackColor[static_cast<std::size_t>(i)] = kWhite;
}

bool setDefaultContentLayout(LayoutItem& item) {
    ruleBlock(item).clearDividingLines();
    for (int k = Day; k < Holiday; ++k) {
        item.element(k).HCenterLock = kFalse;
        item.element(k).VCenterLock = 0;
    }
    item.VCenterLock[kHolidayVLockSlot] = 0;
    item.VCenterLock[kHolidayHLockSlot] = 0;

    switch (kindOf(item.Category, item.LayoutVariant)) {
    case Kind::Box5:
        boxLayout(item, false);
        return true;
    case Kind::Box6:
        boxLayout(item, true);
        return true;
    case Kind::Mini:
        miniLayout(item);
        return true;
    case Kind::MonthDisplay:
        item.Align[Month1] = 1;
        return true;
    case Kind::List:
    case Kind::WeekList:
        columnLayout(item);
        return true;
    case Kind::Row:
    case Kind::WeekRow:
        rowLayout(item);
        return true;
    case Kind::Year:
    case Kind::Image:
        return true;
    case Kind::None:
        return false;
    }
    return false;
}

namespace {

// A text item holds only what the extension stores, so it reads back as it was made.
void textItemDefaults(LayoutItem& item) {
    LayoutItem text = emptyTextItem();
    text.Live = item.Live;
    text.Top = item.Top;
    text.Left = item.Left;
    text.Width = 240;
    text.Height = 48;
    FontSpec& font = text.element(Year1).Font;
    setDefaultFontSpec(font);
    font.Size = 20;
    text.Ext.text = QStringLiteral("テキスト");
    item = text;
}

} // namespace

bool applyNewItemDefaults(int category, int variant, LayoutItem& item, float paperWidthMm,
                         float paperHeightMm) {
    if (category == CategoryText) {
        textItemDefaults(item);
        return true;
    }
    item.Ext = {};
    item.Category = category;
    item.LayoutVariant = variant;
    item.MonthSelector = 12;
    item.VPlacement = 0;
    item.HPlacement = 0;
    item.FitToRect = kFalse;
    item.FreeAspect = kFalse;

    for (ContentElement& e : item.Elements)
        setDefaultFontSpec(e.Font);
    setDefaultFontSpec(item.SpareFont);
    item.element(Holiday).Font.ForeColor.setText(QStringLiteral("255"));

    item.DateColor[kHolidayColourSlot] = kRed;
    item.DateColor[kSaturdaySlot] = kBlue;
    item.DateColor[kSundaySlot] = kRed;
    item.WeekdayNameColor[kSaturdaySlot] = kBlue;
    item.WeekdayNameColor[kSundaySlot] = kRed;
    item.BackColor = kWhite;
    item.TransparentColor = kWhite;

    // Paper millimetres to layout pixels the way the editor has always estimated them.
    const double pageHeightPx = static_cast<double>(paperHeightMm) * 3.8;
    const double pageWidthPx = static_cast<double>(paperWidthMm) * 3.8;

    const Kind kind = kindOf(category, variant);
    kindDefaults(kind, item);
    // A heading's text starts centred in its box, so centring the box centres what is seen.
    if (category == CategoryYear || category == CategoryMonthDisplay)
        item.HPlacement = 1;
    // A month box fits its rows into the size it is given rather than cutting the last off.
    if (isMonthBox(category, variant))
        item.FitToRect = kTrue;
    item.DesignHeight = capped(item.DesignHeight, pageHeightPx - 76);
    item.DesignWidth = capped(item.DesignWidth, pageWidthPx - 76);

    const bool layoutOk = setDefaultContentLayout(item);
    ruleDefaults(kind, item);
    resetBackColours(item);
    return kind != Kind::None && layoutOk;
}

} // namespace tobirae
