// One editing area of the day-cell layout editor: a day cell (or the title band) drawn at its
// design size with a margin around it, the element boxes in it, the sub-grid and the dividing
// lines. Boxes and lines move with the mouse and the arrow keys; the rules come from
// ContentLayoutRules.
#pragma once

#include "ui/dialogs/ContentLayoutRules.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

namespace tobirae {

struct ContentBox {
    ContentBoxKey key;
    QSize size;
    QPoint position; // stored X, Y
    QImage face;     // the sample in its font on the box's background
    QImage selectedFace;
    QString tooltip;
    std::vector<LockAxis> locks; // the axes locked to the centre
    bool moved = false;
};

class ContentAreaView final : public QWidget {
    Q_OBJECT
public:
    ContentAreaView(ContentArea area, QSize areaSize, int textTop, const ContentGrid& grid,
                    QWidget* parent = nullptr);

    ContentArea area() const { return area_; }
    QSize areaSize() const { return areaSize_; }
    void setBoxes(std::vector<ContentBox> boxes);
    const std::vector<ContentBox>& boxes() const { return boxes_; }
    void setLines(LineOrientation orientation, std::vector<int> lines);
    const std::vector<int>& lines() const { return lines_; }
    bool linesChanged() const { return linesChanged_; }

    int selected() const { return selected_; }
    void select(int box);
    // Re-centres the box along its locked axes.
    void applyLocks(int box);
    void setLocks(int box, std::vector<LockAxis> locks);

    // Editing as the mouse and keys do it.
    void stepSelected(int key);
    void dragBox(int box, QPoint stored); // the position the pointer asks for; snapped, locked
    void addLine(int position);
    void deleteLine(int line);
    void dragLine(int line, int position, bool released);

    // Widget coordinates of an area point, and where a box is drawn.
    QPoint toWidget(QPoint areaPoint) const;
    QRect boxRect(int box) const;
    int boxAt(QPoint widgetPoint) const;
    int lineAt(QPoint widgetPoint) const;
    QPoint linePoint(int line) const; // a point on the line's handle

    QSize sizeHint() const override;

signals:
    void selectionChanged(int box);
    void positionChanged(int box);
    void boxMenuRequested(int box, QPoint globalPos);
    void lineMenuRequested(int line, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QPoint snapped(QPoint p) const;
    int margin() const;

    ContentArea area_;
    QSize areaSize_;
    int textTop_;
    ContentGrid grid_;
    std::vector<ContentBox> boxes_;
    std::vector<int> order_; // drawing order, front last
    LineOrientation orientation_ = LineOrientation::None;
    std::vector<int> lines_;
    bool linesChanged_ = false;
    int selected_ = -1;
    std::optional<int> draggedBox_;
    QPoint grabOffset_;
    std::optional<int> draggedLine_;
};

} // namespace tobirae
