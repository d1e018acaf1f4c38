// The guides on the canvas: the dots of the main grid on the paper and the two pairs of edit
// lines. They follow the settings and the page; none of this is part of the layout or its history.
#pragma once

#include "ui/editing/GridSnap.h"
#include "ui/editing/Guides.h"

#include <QObject>
#include <array>

namespace tobirae {

struct AppSettings;
class CanvasScene;
class EditLineItem;
class EditorDocument;

class CanvasGuides final : public QObject {
    Q_OBJECT
public:
    CanvasGuides(CanvasScene& scene, const EditorDocument& editor, const AppSettings& settings,
                 QObject* parent = nullptr);

    // axis 0: the vertical lines V0, V1; 1: the horizontal lines H0, H1.
    EditLineItem* editLine(int axis, int index) const;
    // The lines' positions with the settings' shown and symmetric flags.
    EditLines editLines() const;
    // The main grid's snapping as the settings have it.
    GridSnap gridSnap() const;
    // The paper's grid dots as the settings have them.
    void showGrid();
    // Shows or hides the edit lines by the settings; a shown line at 0 or less starts in the
    // middle of the page (updateRulers).
    void updateRulers();
    // "編集ラインを左端に合わせる" … for the item.
    bool moveEditLineToItem(int slot, Edge edge);
    void setZoom(double zoom);

private:
    // Puts the line items where lines_ says, shown as the settings say.
    void showEditLineItems();
    void editLineReleased(int axis, int index, double position);
    int pageExtent(int axis) const;

    CanvasScene& scene_;
    const EditorDocument& editor_;
    const AppSettings& settings_;
    std::array<EditLinePair, 2> lines_{};
    std::array<std::array<EditLineItem*, 2>, 2> items_{};
    double zoom_ = 1;
};

} // namespace tobirae
