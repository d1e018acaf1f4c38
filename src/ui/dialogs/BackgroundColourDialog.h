// The background-colour dialog "背景色詳細設定": one colour per band, header cell, day cell or
// list region of an item, chosen on buttons laid out like the item.
#pragma once

#include "document/LayoutItem.h"

#include <QDialog>
#include <QList>
#include <array>

class QPushButton;

namespace tobirae {

class UserPrompts;

class BackgroundColourDialog final : public QDialog {
    Q_OBJECT
public:
    BackgroundColourDialog(const LayoutItem& item, UserPrompts& prompts, QWidget* parent = nullptr);

    // The record with the edited table after OK; the record passed in otherwise.
    const LayoutItem& item() const { return item_; }

    // The table entry each region button edits and whether OK stores it (the regions the item
    // shows).
    struct Region {
        QPushButton* button;
        int entry;
        bool stored;
    };
    const QList<Region>& regions() const { return regions_; }

private:
    QWidget* buildMonthBoxFrame();
    QWidget* buildRegionFrame(bool vertical);
    QPushButton* addRegion(const QString& caption, const QString& name, int entry, bool enabled,
                           QWidget* parent);
    void pick(int regionIndex);
    void paintAll(int firstEntry, int lastEntry);
    void acceptEntries();

    LayoutItem item_;
    UserPrompts& prompts_;
    std::array<Colour, 100> colours_{};
    QList<Region> regions_;
};

} // namespace tobirae
