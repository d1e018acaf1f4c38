// The canvas scene: the paper and one item view per slot, made and kept in step with the
// EditorDocument's signals. It places, sizes, stacks and draws the views exactly as the document
// says; it never writes to the layout.
#pragma once

#include "bitmap/RenderContext.h"
#include "owndays/DaysFileCache.h"
#include "ui/editing/EditorDocument.h"

#include <QFutureWatcher>
#include <QGraphicsScene>
#include <array>
#include <memory>
#include <optional>

class QTimer;

namespace tobirae {

class ItemView;
class OwnDayTable;
class PaperItem;

class CanvasScene final : public QGraphicsScene {
    Q_OBJECT
public:
    CanvasScene(const EditorDocument& editor, QObject* parent = nullptr);
    ~CanvasScene() override;

    PaperItem* paper() const { return paper_; }
    ItemView* itemView(int slot) const;
    // Device pixels per layout pixel of the screen the canvas is shown on; the previews are drawn
    // again at the new scale once it has come to rest (a zoom runs through many scales).
    void setDeviceScale(float scale);
    // The paper and the scene follow the page's canvas size.
    void showPage();
    // The part of the scene the canvas shows. Previews hold only the paper near it, so a page
    // zoomed far in costs memory for what is in sight rather than for the whole paper; views whose
    // held part changes are drawn again.
    void setVisibleArea(const QRectF& sceneArea);

    // Draws the slot's preview for the output month into its view, at the record's size.
    bool drawItemPreview(int slot);
    // Every live item's preview, in slot order, with the layout's own days read afresh (its
    // linked files may have changed).
    void redrawAllItems();
    // The view at the slot's record: made when missing, moved and sized.
    void placeView(int slot);
    // Views are stacked by drawing order so the canvas shows what the page will show.
    void stackViewsInDrawingOrder();
    // The focus border moves to the slot (-1: none).
    void showFocus(int slot);
    int focusedSlot() const { return focusedSlot_; }
    // The linked days files as last read, shared with what else counts the layout's days.
    const std::shared_ptr<DaysFileCache>& daysCache() const { return daysCache_; }

signals:
    // A view was made for a slot; the window connects its gestures.
    void viewCreated(tobirae::ItemView* view);

private:
    const LayoutDocument& document() const { return editor_.document(); }
    ItemView* ensureView(int slot);
    // The part of the item's view its preview holds: on the paper and near what is in sight.
    QRect heldWindowOf(const LayoutItem& item) const;
    bool resizeView(int slot);
    void syncViewsWithDocument();
    void itemAdded(int slot);
    void itemRemoved(int slot);
    void itemChanged(int slot, ItemChanges what);
    void readOwnDays();
    void drawAllPreviews();

    const EditorDocument& editor_;
    RenderContext previewContext_;               // decodes pictures through the editor's cache
    std::shared_ptr<const OwnDayTable> ownDays_; // what previewContext_.ownDays points to
    // Linked days files are read on a worker into this cache; the previews are drawn again
    // when a reading arrives. The worker keeps the cache alive should the scene go first.
    std::shared_ptr<DaysFileCache> daysCache_ = std::make_shared<DaysFileCache>();
    QFutureWatcher<void> daysReading_;
    PaperItem* paper_ = nullptr;
    std::array<ItemView*, kSlotCount> views_{};
    float deviceScale_ = 1;
    QTimer* rescaleTimer_ = nullptr;
    int focusedSlot_ = -1;
    std::optional<QRect> heldArea_; // scene; unknown until the canvas is shown
};

} // namespace tobirae
