#include "ui/main/CanvasGuides.h"

#include "app/AppSettings.h"
#include "app/EditorStartup.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/PaperItem.h"

namespace tobirae {

CanvasGuides::CanvasGuides(CanvasScene& scene, const EditorDocument& editor,
                           const AppSettings& settings, QObject* parent)
    : QObject(parent), scene_(scene), editor_(editor), settings_(settings) {
    for (int axis = 0; axis < 2; ++axis) {
        for (int index = 0; index < 2; ++index) {
            auto* line = new EditLineItem(axis == 0 ? Qt::Vertical : Qt::Horizontal, index);
            line->setObjectName(QStringLiteral("%1Bar%2").arg(axis == 0 ? 'V' : 'H').arg(index));
            line->hide();
            scene_.addItem(line);
            connect(line, &EditLineItem::released, this,
                    [this, axis](int i, double at) { editLineReleased(axis, i, at); });
            items_[static_cast<std::size_t>(axis)][static_cast<std::size_t>(index)] = line;
        }
    }
}

int CanvasGuides::pageExtent(int axis) const {
    const PageValues& page = editor_.document().page;
    return axis == 0 ? page.CanvasWidth : page.CanvasHeight;
}

EditLineItem* CanvasGuides::editLine(int axis, int index) const {
    if (axis < 0 || axis > 1 || index < 0 || index > 1)
        return nullptr;
    return items_[static_cast<std::size_t>(axis)][static_cast<std::size_t>(index)];
}

EditLines CanvasGuides::editLines() const {
    EditLines lines;
    lines.pairs = lines_;
    lines.shown = settings_.EditLineShown;
    lines.symmetric = settings_.EditLineSnap;
    return lines;
}

GridSnap CanvasGuides::gridSnap() const {
    return GridSnap{settings_.GridSnap[0], settings_.GridX[0], settings_.GridY[0], kTwipsPerPixel};
}

void CanvasGuides::showGrid() {
    scene_.paper()->setGrid(settings_.GridShown[0], settings_.GridX[0], settings_.GridY[0]);
}

void CanvasGuides::updateRulers() {
    for (std::size_t axis = 0; axis < 2; ++axis)
        lines_[axis] = showEditLines(lines_[axis], settings_.EditLineShown[axis],
                                     settings_.EditLineSnap[axis], pageExtent(int(axis)))
                           .at;
    showEditLineItems();
}

void CanvasGuides::showEditLineItems() {
    const PageValues& page = editor_.document().page;
    const QSizeF size(page.CanvasWidth, page.CanvasHeight);
    for (std::size_t axis = 0; axis < 2; ++axis) {
        const ShownPair shown = showEditLines(lines_[axis], settings_.EditLineShown[axis],
                                              settings_.EditLineSnap[axis], pageExtent(int(axis)));
        const std::array<bool, 2> visible{shown.firstShown, shown.secondShown};
        const std::array<double, 2> at{lines_[axis].first, lines_[axis].second};
        for (std::size_t index = 0; index < 2; ++index) {
            EditLineItem* line = items_[axis][index];
            line->setPageSize(size);
            line->setZoom(zoom_);
            line->setPosition(at[index]);
            line->setVisible(visible[index]);
        }
    }
}

void CanvasGuides::setZoom(double zoom) {
    zoom_ = zoom;
    for (const auto& pair : items_)
        for (EditLineItem* line : pair)
            line->setZoom(zoom);
}

void CanvasGuides::editLineReleased(int axis, int index, double position) {
    const auto a = static_cast<std::size_t>(axis);
    const GridSnap grid = gridSnap();
    if (grid.on)
        position =
            snapToGrid(position, axis == 0 ? grid.spacingX : grid.spacingY, grid.twipsPerPixel);
    lines_[a] =
        releaseEditLine(lines_[a], index, position, settings_.EditLineSnap[a], pageExtent(axis));
    showEditLineItems();
}

bool CanvasGuides::moveEditLineToItem(int slot, Edge edge) {
    const LayoutDocument& document = editor_.document();
    if (!document.isLive(slot))
        return false;
    const LayoutItem& item = document.item(slot);
    const EditLines lines = editLines();
    const std::size_t axis = (edge == Edge::Left || edge == Edge::Right) ? 0 : 1;
    if (!lines.shown[axis])
        return false;
    EditLinePair& pair = lines_[axis];
    switch (edge) {
    case Edge::Left:
        pair = lineToNearEdge(pair, item.Left, lines.symmetric[0]);
        break;
    case Edge::Top:
        pair = lineToNearEdge(pair, item.Top, lines.symmetric[1]);
        break;
    case Edge::Right:
        pair = lineToFarEdge(pair, item.Left + item.Width, lines.symmetric[0]);
        break;
    case Edge::Bottom:
        pair = lineToFarEdge(pair, item.Top + item.Height, lines.symmetric[1]);
        break;
    }
    showEditLineItems();
    return true;
}

} // namespace tobirae
