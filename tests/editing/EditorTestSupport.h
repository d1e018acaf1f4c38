// What the editing-layer tests share: a three-item editor, the paper for a canvas, snapshots of
// everything undo must give back, and the record in a slot.
#pragma once

#include "ui/editing/EditorDocument.h"

#include "document/LayoutJson.h"

#include <QByteArray>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace editortest {

using namespace tobirae;

inline constexpr int kCanvasWidth = 794;
inline constexpr int kCanvasHeight = 1123;
// The canvas is the A4 paper rounded to whole pixels; centring centres on the paper itself.
inline constexpr double kPaperWidth = 210 * 96 / 25.4;
inline constexpr double kPaperHeight = 297 * 96 / 25.4;
// Left or top of a centred box of a drawing area of `extent` (the frame adds 4).
constexpr float centredOnPaper(double paper, double extent) {
    return static_cast<float>((paper - extent - 4) / 2);
}

// The paper whose canvas is `width` x `height` layout pixels: the editor makes the canvas.
inline void setPaperForCanvas(PageValues& page, int width, int height) {
    page.PaperWidth = static_cast<float>(width * 25.4 / kLayoutDpi);
    page.PaperHeight = static_cast<float>(height * 25.4 / kLayoutDpi);
}

// Three items: a year heading at (10, 20) in slot 0, a month display in slot 1, a picture in 2.
inline std::unique_ptr<EditorDocument> threeItems() {
    auto document = std::make_unique<LayoutDocument>();
    document->page.CanvasWidth = kCanvasWidth;
    document->page.CanvasHeight = kCanvasHeight;
    auto editor = std::make_unique<EditorDocument>(std::move(document));
    const std::array<std::array<float, 4>, 3> places{
        {{10, 20, 200, 60}, {30, 200, 300, 80}, {400, 500, 120, 90}}};
    const std::array<int, 3> kinds{CategoryYear, CategoryMonthDisplay, CategoryPicture};
    for (std::size_t i = 0; i < 3; ++i) {
        LayoutItem item = newItemRecord(kinds[i], 0, editor->document().page);
        const int slot = *editor->addItem(item);
        editor->placeItem(slot, {places[i][0], places[i][1]}, QSizeF(places[i][2], places[i][3]),
                          QStringLiteral("移動"));
    }
    editor->undoStack().clear();
    return editor;
}

// Everything undo must give back: the saved form (readable in a failure), every record, the
// numbers, lists, anchors and current slot, and the page.
struct Snapshot {
    QByteArray json;
    std::vector<LayoutItem> items;
    SlotBookkeeping bookkeeping;
    PageValues page;

    explicit Snapshot(const LayoutDocument& d)
        : json(layoutToJson(layoutFromDocument(d))), bookkeeping(d.bookkeeping()), page(d.page) {
        for (int s = 0; s < kSlotCount; ++s)
            items.push_back(d.item(s));
    }
};

// The first line of the saved form that differs, with its neighbours, or empty.
inline std::string firstDifference(const QByteArray& a, const QByteArray& b) {
    const QList<QByteArray> left = a.split('\n');
    const QList<QByteArray> right = b.split('\n');
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        if (left.value(i) != right.value(i))
            return "line " + std::to_string(i + 1) + ": " + left.value(i).trimmed().toStdString() +
                   " / " + right.value(i).trimmed().toStdString() + " (after " +
                   left.value(i - 1).trimmed().toStdString() + ")";
    }
    return {};
}

inline void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(firstDifference(a.json, b.json), "");
    EXPECT_TRUE(a.items == b.items);
    EXPECT_TRUE(a.bookkeeping == b.bookkeeping);
    EXPECT_TRUE(a.page == b.page);
}

inline OwnDay ownDay(int y, unsigned m, unsigned day, OwnDayKind kind) {
    const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{m},
                                           std::chrono::day{day}};
    return {date, date, false, QStringLiteral("社内"), kind};
}

inline const LayoutItem& at(const LayoutDocument& d, int slot) {
    return d.item(slot);
}

} // namespace editortest
