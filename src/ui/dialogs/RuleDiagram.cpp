#include "ui/dialogs/RuleDiagram.h"

#include "render/RuleBlock.h"
#include "ui/dialogs/ColourConversion.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tobirae {

namespace {

constexpr double kHitDistance = 4;
constexpr double kLabelSize = 16;

double distanceTo(const QLineF& line, QPointF p) {
    const QPointF d = line.p2() - line.p1();
    const double length2 = d.x() * d.x() + d.y() * d.y();
    double t = 0;
    if (length2 > 0)
        t = std::clamp(QPointF::dotProduct(p - line.p1(), d) / length2, 0.0, 1.0);
    const QPointF nearest = line.p1() + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

} // namespace

RuleDiagram::RuleDiagram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
    setObjectName(QStringLiteral("ruleDiagramView"));
}

void RuleDiagram::showItem(const LayoutItem& item) {
    item_ = item;
    lines_.clear();
    captions_.clear();
    switch (ruleFamily(item)) {
    case RuleFamily::MonthBox:
        layoutMonthBox(item.LayoutVariant == VariantBox5);
        break;
    case RuleFamily::List:
        layoutList();
        break;
    case RuleFamily::None:
        break;
    }
    update();
}

void RuleDiagram::setSelected(int entry) {
    selected_ = entry;
    update();
}

// A month box: year band, month band, weekday header and a five-row grid of seven columns.
void RuleDiagram::layoutMonthBox(bool diagonal) {
    const double l = 50, r = 330, top = 20, yearB = 50, monthB = 80, headB = 105, bottom = 255;
    const double rowH = (bottom - headB) / 5, colW = (r - l) / 7;
    const double bands[] = {top, yearB, monthB, headB, bottom};
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? l : r;
        const double labelX = side == 0 ? l - 30 : r + 12;
        for (int band = 0; band < 4; ++band)
            lines_.push_back({side * 4 + band,
                              {QLineF(x, bands[band], x, bands[band + 1])},
                              {labelX, (bands[band] + bands[band + 1]) / 2 - kLabelSize / 2}});
    }
    Line header{RuleInnerHeader, {}, {l + colW + 2, monthB + 2}};
    Line grid{RuleInnerGrid, {}, {l + 2 * colW + 2, headB + 2}};
    for (int c = 1; c < 7; ++c) {
        header.segments.emplace_back(l + c * colW, monthB, l + c * colW, headB);
        grid.segments.emplace_back(l + c * colW, headB, l + c * colW, bottom);
    }
    lines_.push_back(header);
    lines_.push_back(grid);
    const double labelRight = r - 4 * colW + 4;
    lines_.push_back({RuleTop, {QLineF(l, top, r, top)}, {labelRight, top - 18}});
    lines_.push_back({RuleUnderYear, {QLineF(l, yearB, r, yearB)}, {labelRight, yearB - 17}});
    lines_.push_back({RuleUnderMonth, {QLineF(l, monthB, r, monthB)}, {labelRight, monthB - 17}});
    lines_.push_back({RuleUnderHeader, {QLineF(l, headB, r, headB)}, {r - colW + 4, headB + 2}});
    Line rows{RuleInnerRows, {}, {r - colW + 4, headB + rowH + 2}};
    for (int i = 1; i < 5; ++i)
        rows.segments.emplace_back(l, headB + i * rowH, r, headB + i * rowH);
    lines_.push_back(rows);
    lines_.push_back({RuleBottom, {QLineF(l, bottom, r, bottom)}, {labelRight, bottom + 2}});
    if (diagonal)
        lines_.push_back({RuleDiagonal,
                          {QLineF(l + colW, bottom - rowH, l, bottom)},
                          {l + colW + 2, bottom - rowH + 2}});
    // Captions stay left of the numbers that stand in the bands' middle.
    captions_ = {
        {QRectF(l, top, 3 * colW, yearB - top), QStringLiteral("年表示領域")},
        {QRectF(l, yearB, 3 * colW, monthB - yearB), QStringLiteral("月表示領域")},
        {QRectF(l + 3 * colW, monthB, r - l - 3 * colW, headB - monthB),
         QStringLiteral("曜日表示領域")},
        {QRectF(l + 3 * colW, headB + 2 * rowH, 3 * colW, rowH), QStringLiteral("日付表示領域")}};
}

// A framed table with two inner lines each way.
void RuleDiagram::layoutList() {
    const double l = 50, r = 330, top = 30, bottom = 250;
    const double innerX[] = {l + (r - l) / 3, l + 2 * (r - l) / 3};
    const double rowH = (bottom - top) / 5;
    lines_.push_back({0, {QLineF(l, top, l, bottom)}, {l - 30, (top + bottom) / 2}});
    lines_.push_back({1, {QLineF(r, top, r, bottom)}, {r + 12, (top + bottom) / 2}});
    Line inner{2, {}, {innerX[0] - 8, top - 20}};
    for (double x : innerX)
        inner.segments.emplace_back(x, top, x, bottom);
    lines_.push_back(inner);
    lines_.push_back({3, {QLineF(l, top, r, top)}, {r - 30, top - 20}});
    Line between{4, {}, {r + 12, top + rowH - 8}};
    for (int i = 1; i < 5; ++i)
        between.segments.emplace_back(l, top + i * rowH, r, top + i * rowH);
    lines_.push_back(between);
    lines_.push_back({5, {QLineF(l, bottom, r, bottom)}, {r - 30, bottom + 4}});
}

QRectF RuleDiagram::labelRect(int entry) const {
    for (const Line& line : lines_)
        if (line.entry == entry)
            return QRectF(line.labelAt, QSizeF(kLabelSize, kLabelSize));
    return {};
}

QPointF RuleDiagram::pointOnLine(int entry) const {
    for (const Line& line : lines_)
        if (line.entry == entry && !line.segments.empty())
            return line.segments.front().center();
    return {};
}

int RuleDiagram::entryAt(QPointF point) const {
    for (const Line& line : lines_)
        if (labelRect(line.entry).contains(point))
            return line.entry;
    int best = -1;
    double bestDistance = kHitDistance + 0.5;
    for (const Line& line : lines_)
        for (const QLineF& segment : line.segments) {
            const double d = distanceTo(segment, point);
            if (d < bestDistance) {
                bestDistance = d;
                best = line.entry;
            }
        }
    return best;
}

void RuleDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().color(QPalette::Mid));
    for (const Caption& c : captions_)
        p.drawText(c.rect, Qt::AlignCenter, c.text);
    const RuleBlockReader rules = ruleBlock(item_);
    for (const Line& line : lines_) {
        if (rules.ruleOn(line.entry)) {
            const int width = std::clamp<int>(rules.ruleWidth(line.entry), 1, kMaxRuleWidth);
            p.setPen(QPen(qColorFromBgr(rules.ruleColor(line.entry)), width));
            for (const QLineF& segment : line.segments)
                p.drawLine(segment);
        }
        const QRectF label = labelRect(line.entry);
        if (line.entry == selected_)
            p.fillRect(label, QColor(0xFF, 0xFF, 0xC0));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(label, Qt::AlignCenter, ruleNumberLabel(line.entry));
    }
}

void RuleDiagram::mousePressEvent(QMouseEvent* event) {
    const int entry = entryAt(event->position());
    if (entry >= 0 && event->button() == Qt::LeftButton)
        emit entryClicked(entry);
}

void RuleDiagram::mouseDoubleClickEvent(QMouseEvent* event) {
    const int entry = entryAt(event->position());
    if (entry >= 0 && event->button() == Qt::LeftButton)
        emit entryDoubleClicked(entry);
}

} // namespace tobirae
