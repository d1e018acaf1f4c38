// Shared by the list tests: new list items with the defaults of their kind, drawn on a recording
// view of their own size, and small filters over what was recorded.
#pragma once

#include "monthbox_support.h"
#include "owndays/OwnDayTable.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>

namespace tobirae::test {

// A new list item on an A4 landscape page (no design size capped), at the origin and exactly its
// design size.
inline LayoutItem newListItem(int category, int variant, int weekRange = 0) {
    LayoutItem item;
    item.WeekRange = weekRange;
    applyNewItemDefaults(category, variant, item, 297, 210);
    item.Live = kTrue;
    item.Width = static_cast<float>(item.DesignWidth);
    item.Height = static_cast<float>(item.DesignHeight);
    return item;
}

// Hides every element except the listed ones; the day number is drawn regardless.
inline void showOnly(LayoutItem& item, std::initializer_list<int> shown) {
    for (int k = 0; k < kElementCount; ++k)
        item.element(k).Shown = toB16(std::find(shown.begin(), shown.end(), k) != shown.end());
}

// Background entries equal to the item background: no region is painted.
inline void noBackgrounds(LayoutItem& item) {
    item.CellBackColor.fill(item.BackColor);
}

// Entry e of the ruled-line table on, in colour 0x100 + e and width w(e).
inline void distinctRules(
    LayoutItem& item, int (*width)(int) = [](int) { return 1; }) {
    RuleBlockWriter rules = ruleBlock(item);
    rules.setDrawRules(true);
    for (int e = 0; e <= 5; ++e) {
        rules.setRuleOn(e, true);
        rules.setRuleColor(e, 0x100 + e);
        rules.setRuleWidth(e, static_cast<std::int16_t>(width(e)));
    }
}

// What the item draws on a screen view (scale 1, coordinates in layout pixels) for the page
// month.
inline RecordingCanvas drawListOnScreen(const LayoutItem& item, int year, int month,
                                        const OwnDayTable* ownDays = nullptr) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    ctx.ownDays = ownDays;
    RecordingPreview view(
        QSize(static_cast<int>(item.Width) + 4, static_cast<int>(item.Height) + 4));
    DateRange range = pageDateRange(year, month);
    EXPECT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    return view.recording();
}

inline std::vector<DrawCall> linesOfColour(const RecordingCanvas& canvas, Colour colour) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : canvas.lines())
        if (c.colour == colour)
            out.push_back(c);
    return out;
}

inline QStringList textsOf(const RecordingCanvas& canvas) {
    QStringList out;
    for (const DrawCall& c : canvas.texts())
        out << c.text;
    return out;
}

} // namespace tobirae::test
