// The drawing of an item's grid in the ruled-line dialog: every numbered line in its entry's
// colour (hidden while the entry is off) with its number beside it. Clicking a line or its number
// picks the entry; double-clicking also toggles it.
#pragma once

#include "document/LayoutItem.h"
#include "ui/dialogs/RuleDialogRules.h"

#include <QLineF>
#include <QRectF>
#include <QWidget>
#include <vector>

namespace tobirae {

class RuleDiagram final : public QWidget {
    Q_OBJECT
public:
    explicit RuleDiagram(QWidget* parent = nullptr);

    // Lays the diagram out for the item's family and line count, and paints its table.
    void showItem(const LayoutItem& item);
    void setSelected(int entry);

    // The entry whose line or number is at the point; -1 when none.
    int entryAt(QPointF point) const;
    // Where entry's number stands (for tests and the hit test).
    QRectF labelRect(int entry) const;
    // A point on the entry's first line segment.
    QPointF pointOnLine(int entry) const;

    QSize sizeHint() const override { return {380, 280}; }

signals:
    void entryClicked(int entry);
    void entryDoubleClicked(int entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Line {
        int entry;
        std::vector<QLineF> segments;
        QPointF labelAt;
    };
    struct Caption {
        QRectF rect;
        QString text;
    };
    void layoutMonthBox(bool diagonal);
    void layoutList();

    std::vector<Line> lines_;
    std::vector<Caption> captions_;
    LayoutItem item_;
    int selected_ = 0;
};

} // namespace tobirae
