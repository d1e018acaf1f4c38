#include "ui/editing/Guides.h"

#include "bitmap/RenderContext.h"
#include "document/ItemFrame.h"
#include "render/PrintShopOptions.h"

#include <algorithm>
#include <utility>

namespace tobirae {

ShownPair showEditLines(EditLinePair lines, bool shown, bool symmetric, int extent) {
    ShownPair out{lines, shown, shown && symmetric};
    const double middle = extent / 2.0;
    if (out.firstShown && out.at.first <= 0)
        out.at.first = middle;
    if (out.secondShown && out.at.second <= 0)
        out.at.second = middle;
    return out;
}

EditLinePair releaseEditLine(EditLinePair lines, int index, double position, bool symmetric,
                             int extent) {
    if (!symmetric) {
        (index == 0 ? lines.first : lines.second) = position;
        return lines;
    }
    // Compared with the exact centre: on a page of odd width a centre rounded to whole pixels
    // could leave line 0 one pixel beyond line 1.
    const double mirror = extent - position;
    return {std::min(position, mirror), std::max(position, mirror)};
}

EditLinePair lineToNearEdge(EditLinePair lines, double edge, bool symmetric) {
    lines.first = edge;
    // Without symmetric move line 1 is hidden and its place means nothing.
    if (symmetric && lines.first > lines.second)
        std::swap(lines.first, lines.second);
    return lines;
}

EditLinePair lineToFarEdge(EditLinePair lines, double edge, bool symmetric) {
    if (symmetric) {
        if (edge < lines.first)
            lines.first = lines.second;
        lines.second = edge;
    } else {
        if (edge < lines.second)
            lines.second = lines.first;
        lines.first = edge;
    }
    return lines;
}

QPointF edgeMoveTarget(const LayoutItem& item, Edge edge, QSize canvas) {
    QPointF at(item.Left, item.Top);
    switch (edge) {
    case Edge::Left:
        at.setX(0);
        break;
    case Edge::Right:
        at.setX(canvas.width() - (item.Width + kItemFrame));
        break;
    case Edge::Top:
        at.setY(0);
        break;
    case Edge::Bottom:
        at.setY(canvas.height() - (item.Height + kItemFrame));
        break;
    }
    return at;
}

QPointF lineMoveTarget(const LayoutItem& item, Edge edge, const EditLines& lines) {
    QPointF at(item.Left, item.Top);
    const EditLinePair& v = lines.pairs[0];
    const EditLinePair& h = lines.pairs[1];
    switch (edge) {
    case Edge::Left:
        at.setX(v.first);
        break;
    case Edge::Right:
        at.setX((lines.symmetric[0] ? v.second : v.first) - item.Width);
        break;
    case Edge::Top:
        at.setY(h.first);
        break;
    case Edge::Bottom:
        at.setY((lines.symmetric[1] ? h.second : h.first) - item.Height);
        break;
    }
    return at;
}

GuideMenuState guideMenuState(const LayoutItem& item, const EditLines& lines) {
    return {isTrue(item.XLocked),
            isTrue(item.YLocked),
            isTrue(item.HCenterLocked),
            isTrue(item.VCenterLocked),
            lines.shown[0],
            lines.shown[1],
            lines.shown[0] || lines.shown[1]};
}

PrintGuideRects printGuideRects(const QSizeF& paper, double bleedMm) {
    const double perMm = kLayoutDpi / 25.4;
    const QRectF trim(QPointF(0, 0), paper);
    const double bleed = std::clamp(bleedMm, 0.0, kMaxBleedMm) * perMm;
    const double safety =
        std::min({kSafetyMarginMm * perMm, paper.width() / 2, paper.height() / 2});
    return {trim.adjusted(-bleed, -bleed, bleed, bleed),
            trim.adjusted(safety, safety, -safety, -safety)};
}

} // namespace tobirae
