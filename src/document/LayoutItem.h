#pragma once

#include "document/FixedText.h"
#include "document/LayoutExtension.h"
#include "document/TextStyle.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace tobirae {

struct TextPos {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TextPos&) const = default;
};

// The thirteen content elements; the value is the element index k.
enum ElementIndex : int {
    Year1 = 0,
    Year2,
    Month1,
    Month2,
    Month3,
    Month4,
    Day,
    Weekday,
    Rokuyo,
    Eto,
    OldCalendar,
    SolarTerm,
    Holiday,
};
inline constexpr int kElementCount = 13;

// Day-cell elements beyond the thirteen of the record, kept in the layout's extension block.
enum ExtraElementIndex : int {
    ExtraSelectedDays = 0, // 選日; Style holds the names shown (a SelectedDayMask)
    ExtraMoonAge = 1,      // 月齢
    ExtraMoonPhase = 2, // 新月 上弦 満月 下弦; Style 0 the symbol ●◐○◑, 1 the name
};
inline constexpr int kExtraElementCount = 3;
inline constexpr bool isTitleElement(int k) {
    return k >= Year1 && k <= Month4;
}

// One content element in memory. The file stores only the fields each element has:
//   Year1..Month4: Shown, Font, Pos, Style, HCenterLock
//   Day:           Shown, Font, Pos, UpperPos, LowerPos, HCenterLock, VCenterLock
//   Weekday:       Shown, Font, Pos, HCenterLock, VCenterLock
//   Rokuyo, Eto, OldCalendar, SolarTerm:
//                  Shown, Font, Pos, UpperPos, LowerPos, Style, HCenterLock, VCenterLock
//   Holiday:       Shown, Font, Pos, UpperPos, LowerPos
// The title elements' vertical locks and Holiday's two locks live in LayoutItem::VCenterLock.
inline constexpr int kHolidayVLockSlot = 6;
inline constexpr int kHolidayHLockSlot = 7;
// Slots of LayoutItem::DateColor and WeekdayNameColor besides Monday..Friday (0..4).
inline constexpr int kSaturdaySlot = 5;
inline constexpr int kSundaySlot = 6;
inline constexpr int kHolidayColourSlot = 8; // DateColor only
struct ContentElement {
    B16 Shown = kFalse;
    FontSpec Font;
    TextPos Pos;
    TextPos UpperPos;
    TextPos LowerPos;
    std::int32_t Style = 0;
    B16 HCenterLock = kFalse;
    std::int16_t VCenterLock = 0;

    bool operator==(const ContentElement&) const = default;
};

inline constexpr int kRuleBlockSize = 582;
inline constexpr int kReserved6Size = 118;
inline constexpr int kItemRecordSize = 3925; // in the file, with the three STR fields empty

// Item categories and the variants of categories 1 and 3.
enum ItemCategory : std::int32_t {
    CategoryYear = 0,
    CategoryMonthFamily = 1,
    CategoryMonthDisplay = 2,
    CategoryWeekly = 3,
    CategoryPicture = 4,
    // Kept only in the extension block: other readers of the format never see a text item.
    CategoryText = 5,
};
enum ItemVariant : std::int32_t {
    VariantBox5 = 0,
    VariantBox6 = 1,
    VariantBoxMini = 2,
    VariantVertical = 3,
    VariantHorizontal = 4,
};

// Month boxes, one-month lists and weekly lists: the kinds that draw day cells.
constexpr bool isDayCategory(int category) {
    return category == CategoryMonthFamily || category == CategoryWeekly;
}
constexpr bool isMonthBox(int category, int variant) {
    return category == CategoryMonthFamily && variant >= VariantBox5 && variant <= VariantBoxMini;
}
constexpr bool isDayList(int category, int variant) {
    return isDayCategory(category) && (variant == VariantVertical || variant == VariantHorizontal);
}

// The kinds whose weeks can start on Monday: the month boxes and the weekly lists.
constexpr bool hasWeekStart(int category, int variant) {
    return isMonthBox(category, variant) || category == CategoryWeekly;
}
constexpr bool isTextCategory(int category) {
    return category == CategoryText;
}

// One item of a layout. Field order, widths and signedness are those of the layout file.
struct LayoutItem {
    float Top = 0;
    float Left = 0;
    float Width = 0;
    float Height = 0;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    B16 SizeChangeMode = kFalse;
    B16 MoveLocked = kFalse;
    B16 XLocked = kFalse;
    B16 YLocked = kFalse;
    B16 Live = kFalse;
    B16 HCenterLocked = kFalse;
    B16 VCenterLocked = kFalse;
    std::int32_t Category = 0;
    std::int32_t LayoutVariant = 0;
    std::int32_t DayTextMode = 0;
    std::int32_t MonthSelector = 0;
    std::int32_t WeekRange = 0;
    std::int32_t WeekdayStyle = 0;
    std::int16_t Reserved4 = 0;
    QByteArray Spare1; // STR fields: raw code page 932 bytes, always empty when we write them
    QByteArray Spare2;
    QByteArray Spare3;
    FontSpec SpareFont;
    std::array<Colour, 9>
        DateColor{}; // [0..5] Monday..Saturday, [6] Sunday, [7] unused, [8] holiday
    std::array<ContentElement, kElementCount> Elements{};
    std::array<std::uint8_t, kRuleBlockSize> RuleBlock{};
    std::int32_t DesignWidth = 0;
    std::int16_t Reserved5 = 0;
    std::int32_t DesignHeight = 0;
    std::int32_t VPlacement = 0;
    std::int32_t HPlacement = 0;
    B16 FitToRect = kFalse;
    B16 FreeAspect = kFalse;
    FixedText<256> PictureFile;
    std::array<Colour, 100> CellBackColor{};
    std::array<std::uint8_t, kReserved6Size> Reserved6{};
    std::array<Colour, 7> WeekdayNameColor{}; // [0..5] Monday..Saturday, [6] Sunday
    std::array<std::int16_t, 2> Reserved7{};
    std::array<std::int16_t, 8>
        VCenterLock{}; // [0..5] k = 0..5, [6] Holiday vertical, [7] Holiday horizontal
    std::array<std::int16_t, kElementCount> Align{}; // 0 left, 1 centre, 2 right
    std::array<std::int16_t, 2> Reserved8{};
    std::int16_t OldCalendarStyle = 0;
    std::int16_t SekkiSelection = 0;
    std::int16_t Reserved9 = 0;
    Colour BackColor = 0;
    B16 Transparent = kFalse;
    Colour TransparentColor = 0;
    std::uint8_t Reserved10 = 0;
    // Not part of the record: what the extension block stores for this item.
    ItemExtension Ext;
    std::array<ContentElement, kExtraElementCount> ExtraElements{};

    ContentElement& element(int k) { return Elements.at(static_cast<std::size_t>(k)); }
    const ContentElement& element(int k) const { return Elements.at(static_cast<std::size_t>(k)); }

    bool operator==(const LayoutItem&) const = default;
};

// The label the item lists show for a (Category, LayoutVariant) pair; empty for unknown pairs.
QString itemKindLabel(std::int32_t category, std::int32_t variant);
inline QString itemKindLabel(const LayoutItem& item) {
    return itemKindLabel(item.Category, item.LayoutVariant);
}

} // namespace tobirae
