#include "ui/dialogs/ContentAreaView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace tobirae {

namespace {

constexpr int kMinMargin = 16;
constexpr int kLineGrab = 3;
const QColor kLineColour(0x20, 0x40, 0xE0);

} // namespace

ContentAreaView::ContentAreaView(ContentArea area, QSize areaSize, int textTop,
                                 const ContentGrid& grid, QWidget* parent)
    : QWidget(parent), area_(area), areaSize_(areaSize), textTop_(textTop), grid_(grid) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void ContentAreaView::setBoxes(std::vector<ContentBox> boxes) {
    boxes_ = std::move(boxes);
    order_.resize(boxes_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = static_cast<int>(i);
    selected_ = -1;
    // Room for the cell and for boxes pushed out of it up to their bounds.
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

void ContentAreaView::setLines(LineOrientation orientation, std::vector<int> lines) {
    orientation_ = orientation;
    lines_ = std::move(lines);
    update();
}

int ContentAreaView::margin() const {
    int m = kMinMargin;
    for (const ContentBox& b : boxes_)
        m = std::max({m, b.size.width() + 4, b.size.height() + textTop_ + 4});
    return m;
}

QSize ContentAreaView::sizeHint() const {
    const int m = margin();
    return areaSize_ + QSize(2 * m, 2 * m);
}

QPoint ContentAreaView::toWidget(QPoint areaPoint) const {
    const int m = margin();
    return areaPoint + QPoint(m, m);
}

QRect ContentAreaView::boxRect(int box) const {
    if (box < 0 || box >= static_cast<int>(boxes_.size()))
        return {};
    const ContentBox& b = boxes_[static_cast<std::size_t>(box)];
    return QRect(toWidget(b.position + QPoint(0, textTop_)), b.size);
}

int ContentAreaView::boxAt(QPoint p) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it)
        if (boxRect(*it).contains(p))
            return *it;
    return -1;
}

QPoint ContentAreaView::linePoint(int line) const {
    if (line < 0 || line >= static_cast<int>(lines_.size()))
        return {};
    const int pos = lines_[static_cast<std::size_t>(line)];
    if (orientation_ == LineOrientation::Vertical)
        return toWidget(QPoint(pos, areaSize_.height() / 2));
    return toWidget(QPoint(areaSize_.width() / 2, pos));
}

int ContentAreaView::lineAt(QPoint p) const {
    const QRect area(toWidget(QPoint(0, 0)), areaSize_);
    for (int i = static_cast<int>(lines_.size()) - 1; i >= 0; --i) {
        const QPoint on = linePoint(i);
        if (orientation_ == LineOrientation::Vertical) {
            if (std::abs(p.x() - on.x()) <= kLineGrab && p.y() >= area.top() - kLineGrab &&
                p.y() <= area.bottom() + kLineGrab)
                return i;
        } else if (std::abs(p.y() - on.y()) <= kLineGrab && p.x() >= area.left() - kLineGrab &&
                   p.x() <= area.right() + kLineGrab) {
            return i;
        }
    }
    return -1;
}

void ContentAreaView::select(int box) {
    if (box < 0 || box >= static_cast<int>(boxes_.size()))
        return;
    selected_ = box;
    // The chosen box comes in front of the others.
    order_.erase(std::find(order_.begin(), order_.end(), box));
    order_.push_back(box);
    update();
    emit selectionChanged(box);
}

void ContentAreaView::applyLocks(int box) {
    ContentBox& b = boxes_[static_cast<std::size_t>(box)];
    for (LockAxis axis : b.locks) {
        if (axis == LockAxis::Horizontal)
            b.position.rx() = centredIn(areaSize_.width(), b.size.width());
        else
            b.position.ry() = centredIn(areaSize_.height(), b.size.height());
    }
}

void ContentAreaView::setLocks(int box, std::vector<LockAxis> locks) {
    if (box < 0 || box >= static_cast<int>(boxes_.size()))
        return;
    ContentBox& b = boxes_[static_cast<std::size_t>(box)];
    const QPoint before = b.position;
    b.locks = std::move(locks);
    applyLocks(box);
    b.moved = b.moved || b.position != before;
    update();
    emit positionChanged(box);
}

QPoint ContentAreaView::snapped(QPoint p) const {
    if (!grid_.snap)
        return p;
    return {snapToGridPixel(p.x(), grid_.spacingX), snapToGridPixel(p.y(), grid_.spacingY)};
}

void ContentAreaView::stepSelected(int key) {
    if (selected_ < 0)
        return;
    ContentBox& b = boxes_[static_cast<std::size_t>(selected_)];
    b.position = keyStep(b.position, b.size, areaSize_, key);
    applyLocks(selected_);
    b.moved = true;
    update();
    emit positionChanged(selected_);
}

void ContentAreaView::dragBox(int box, QPoint stored) {
    if (box < 0 || box >= static_cast<int>(boxes_.size()))
        return;
    ContentBox& b = boxes_[static_cast<std::size_t>(box)];
    b.position = snapped(stored);
    applyLocks(box);
    b.moved = true;
    update();
    emit positionChanged(box);
}

void ContentAreaView::addLine(int position) {
    lines_.push_back(position);
    linesChanged_ = true;
    update();
}

void ContentAreaView::deleteLine(int line) {
    if (line < 0 || line >= static_cast<int>(lines_.size()))
        return;
    lines_.erase(lines_.begin() + line);
    linesChanged_ = true;
    update();
}

void ContentAreaView::dragLine(int line, int position, bool released) {
    if (line < 0 || line >= static_cast<int>(lines_.size()))
        return;
    const bool vertical = orientation_ == LineOrientation::Vertical;
    int pos = std::clamp(position, 0, vertical ? areaSize_.width() : areaSize_.height());
    if (released && grid_.snap)
        pos = snapToGridPixel(pos, vertical ? grid_.spacingX : grid_.spacingY);
    lines_[static_cast<std::size_t>(line)] = pos;
    linesChanged_ = true;
    update();
}

void ContentAreaView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area(toWidget(QPoint(0, 0)), areaSize_);
    p.fillRect(area, Qt::white);
    if (grid_.shown && grid_.spacingX > 0 && grid_.spacingY > 0) {
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        const double sx = static_cast<double>(grid_.spacingX) / kTwipsPerPixel;
        const double sy = static_cast<double>(grid_.spacingY) / kTwipsPerPixel;
        for (double y = 0; y < areaSize_.height(); y += sy)
            for (double x = 0; x < areaSize_.width(); x += sx)
                p.drawPoint(area.topLeft() + QPoint(static_cast<int>(x), static_cast<int>(y)));
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(area.adjusted(-1, -1, 0, 0));
    for (int i : order_) {
        const ContentBox& b = boxes_[static_cast<std::size_t>(i)];
        p.drawImage(boxRect(i).topLeft(), i == selected_ ? b.selectedFace : b.face);
    }
    // The line handles stay on top of the boxes.
    p.setPen(QPen(kLineColour, 1));
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const QPoint on = linePoint(i);
        if (orientation_ == LineOrientation::Vertical) {
            p.drawLine(on.x(), area.top() - 4, on.x(), area.bottom() + 4);
            p.fillRect(on.x() - 2, area.top() - 6, 5, 4, kLineColour);
        } else {
            p.drawLine(area.left() - 4, on.y(), area.right() + 4, on.y());
            p.fillRect(area.left() - 6, on.y() - 2, 4, 5, kLineColour);
        }
    }
}

void ContentAreaView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    const int line = lineAt(at);
    if (line >= 0) {
        if (event->button() == Qt::LeftButton)
            draggedLine_ = line;
        else if (event->button() == Qt::RightButton)
            emit lineMenuRequested(line, event->globalPosition().toPoint());
        return;
    }
    const int box = boxAt(at);
    if (box < 0)
        return;
    select(box);
    if (event->button() == Qt::LeftButton) {
        draggedBox_ = box;
        grabOffset_ = at - boxRect(box).topLeft();
    } else if (event->button() == Qt::RightButton) {
        emit boxMenuRequested(box, event->globalPosition().toPoint());
    }
}

void ContentAreaView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (draggedBox_)
        dragBox(*draggedBox_, at - grabOffset_ - toWidget(QPoint(0, textTop_)));
    else if (draggedLine_) {
        const QPoint inArea = at - toWidget(QPoint(0, 0));
        dragLine(*draggedLine_, orientation_ == LineOrientation::Vertical ? inArea.x() : inArea.y(),
                 false);
    }
}

void ContentAreaView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (draggedBox_ && event->button() == Qt::LeftButton) {
        dragBox(*draggedBox_, at - grabOffset_ - toWidget(QPoint(0, textTop_)));
        draggedBox_.reset();
    } else if (draggedLine_ && event->button() == Qt::LeftButton) {
        const QPoint inArea = at - toWidget(QPoint(0, 0));
        dragLine(*draggedLine_, orientation_ == LineOrientation::Vertical ? inArea.x() : inArea.y(),
                 true);
        draggedLine_.reset();
    }
}

void ContentAreaView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        stepSelected(event->key());
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool ContentAreaView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int box = boxAt(help->pos());
        if (box >= 0)
            QToolTip::showText(help->globalPos(), boxes_[static_cast<std::size_t>(box)].tooltip,
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace tobirae
