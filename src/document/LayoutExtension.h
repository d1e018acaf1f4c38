// What a layout holds beyond the fixed records: per-item values (the first day of the week, the
// text of a text item) and document-wide sections. The layout file keeps them in an extension
// block after the last item record, which other readers of the format skip.
//
// A feature that needs room of its own adds a typed member here and its encoding to
// ExtensionCodec.cpp under a key of its own. Keys that no typed member knows (a newer program
// wrote them) are kept in `sections` as read and written back unchanged.
#pragma once

#include "owndays/OwnDaysSettings.h"

#include <QCborMap>
#include <QString>
#include <cstdint>

namespace tobirae {

// The first day of the week of month boxes, mini boxes and weekly items.
enum class WeekStart : std::uint8_t { Sunday = 0, Monday = 1 };

// A column of week numbers on the weeks' side of month boxes.
enum class WeekNumberColumn : std::uint8_t { None = 0, Iso = 1, FirstJanuary = 2 };

// Travels inside LayoutItem, so copies, the clipboard and undo carry it with the record.
struct ItemExtension {
    WeekStart weekStart = WeekStart::Sunday;
    QString text; // text items: the text with its fields ({年}, {和暦年度}, …)
    bool textBackground = false; // text items: BackColor is painted behind the text
    bool hideOwnNames = false;   // the user's own days colour the days but print no names
    WeekNumberColumn weekNumbers = WeekNumberColumn::None;
    QCborMap sections;           // this item's values that no typed member holds
    QCborMap fontSections;       // text items: values of the font that no field holds
    QCborMap geometryAsRead;     // text items: Left, Top, Width, Height as the file had them
    // Extra day-cell elements: by element key, the values no field holds, with those of its
    // Font and positions in maps under their own keys.
    QCborMap elementSections;

    bool isEmpty() const {
        return weekStart == WeekStart::Sunday && text.isEmpty() && !textBackground &&
               !hideOwnNames && weekNumbers == WeekNumberColumn::None && sections.isEmpty() &&
               fontSections.isEmpty() && elementSections.isEmpty();
    }
    bool operator==(const ItemExtension&) const = default;
};

// Document-wide values beyond the page header.
struct DocumentExtension {
    OwnDaysSettings ownDays; // the user's own days: entries, linked days files, time zone
    QCborMap sections;       // named sections that no typed member holds

    bool isEmpty() const { return ownDays.isEmpty() && sections.isEmpty(); }
    bool operator==(const DocumentExtension&) const = default;
};

} // namespace tobirae
