#include "ui/main/CanvasScene.h"

#include "owndays/OwnDaysLoad.h"
#include "render/RenderFrame.h"
#include "ui/editing/ItemWarnings.h"
#include "ui/editing/Placement.h"
#include "ui/main/ItemView.h"
#include "ui/main/PaperItem.h"

#include <QPromise>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

// A scene rectangle in the coordinates of the item's view.
QRect inViewOf(const LayoutItem& item, const QRect& scene) {
    const auto clamped = [](double v) {
        return static_cast<int>(std::clamp(std::floor(v), -1e9, 1e9));
    };
    return scene.translated(clamped(-item.Left), clamped(-item.Top));
}

// A quarter of the sight on each side is held too, so a short scroll draws nothing again.
QRect heldAreaAround(const QRect& seen) {
    const int mx = seen.width() / 4;
    const int my = seen.height() / 4;
    return seen.adjusted(-mx, -my, mx, my);
}

// Held areas far larger than the sight (after zooming in) are given up, whatever they contain.
bool holdsTooMuch(const QRect& held, const QRect& seen) {
    return held.width() > 2 * std::max(1, seen.width()) ||
           held.height() > 2 * std::max(1, seen.height());
}

QSize viewSizeOf(const LayoutItem& item) {
    return QSize(static_cast<int>(std::lround(item.Width + kItemFrame)),
                 static_cast<int>(std::lround(item.Height + kItemFrame)));
}

} // namespace

CanvasScene::CanvasScene(const EditorDocument& editor, QObject* parent)
    : QGraphicsScene(parent), editor_(editor) {
    initRenderContext(previewContext_);
    previewContext_.pictures = &editor_.pictures();
    rescaleTimer_ = new QTimer(this);
    rescaleTimer_->setSingleShot(true);
    rescaleTimer_->setInterval(60);
    // A new scale changes no content: the days already read are drawn again.
    connect(rescaleTimer_, &QTimer::timeout, this, &CanvasScene::drawAllPreviews);
    paper_ = new PaperItem;
    paper_->setZValue(-1);
    addItem(paper_);
    connect(&editor_, &EditorDocument::itemAdded, this, &CanvasScene::itemAdded);
    connect(&editor_, &EditorDocument::itemRemoved, this, &CanvasScene::itemRemoved);
    connect(&editor_, &EditorDocument::itemChanged, this, &CanvasScene::itemChanged);
    connect(&editor_, &EditorDocument::orderChanged, this, &CanvasScene::stackViewsInDrawingOrder);
    connect(&editor_, &EditorDocument::pageChanged, this, &CanvasScene::showPage);
    connect(&editor_, &EditorDocument::outputMonthChanged, this, [this] { redrawAllItems(); });
    connect(&editor_, &EditorDocument::ownDaysChanged, this, [this] { redrawAllItems(); });
    connect(&daysReading_, &QFutureWatcher<void>::finished, this, [this] { redrawAllItems(); });
    connect(&editor_, &EditorDocument::documentReplaced, this, [this] {
        showPage();
        syncViewsWithDocument();
        showFocus(-1);
        redrawAllItems();
    });
}

CanvasScene::~CanvasScene() = default;

ItemView* CanvasScene::itemView(int slot) const {
    if (slot < 0 || slot >= kSlotCount)
        return nullptr;
    return views_[static_cast<std::size_t>(slot)];
}

void CanvasScene::setDeviceScale(float scale) {
    scale = scale > 0 ? scale : 1;
    if (scale == deviceScale_)
        return;
    deviceScale_ = scale;
    rescaleTimer_->start();
}

void CanvasScene::setVisibleArea(const QRectF& sceneArea) {
    const QRect seen = sceneArea.toAlignedRect();
    if (heldArea_ && heldArea_->contains(seen) && !holdsTooMuch(*heldArea_, seen))
        return;
    heldArea_ = heldAreaAround(seen);
    // A scale change is about to draw every view again; it takes the new area with it.
    if (rescaleTimer_->isActive())
        return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (document().isLive(slot) && itemView(slot) && resizeView(slot))
            drawItemPreview(slot);
    }
}

QRect CanvasScene::heldWindowOf(const LayoutItem& item) const {
    const PageValues& page = document().page;
    QRect area(0, 0, std::max(1, page.CanvasWidth), std::max(1, page.CanvasHeight));
    if (heldArea_)
        area = area.intersected(*heldArea_);
    return inViewOf(item, area);
}

// The view's size, scale and held part as the document and the sight say; true when its
// picture was cleared and must be drawn again.
bool CanvasScene::resizeView(int slot) {
    const LayoutItem& item = document().item(slot);
    return itemView(slot)->setViewSize(viewSizeOf(item), deviceScale_, heldWindowOf(item));
}

void CanvasScene::showPage() {
    const PageValues& page = document().page;
    const QSizeF canvas(page.CanvasWidth, page.CanvasHeight);
    paper_->setPaperSize(canvas);
    setSceneRect(QRectF(QPointF(0, 0), canvas));
}

ItemView* CanvasScene::ensureView(int slot) {
    ItemView*& view = views_[static_cast<std::size_t>(slot)];
    if (!view) {
        view = new ItemView(slot);
        addItem(view);
        emit viewCreated(view);
    }
    return view;
}

void CanvasScene::placeView(int slot) {
    ItemView* view = ensureView(slot);
    const LayoutItem& item = document().item(slot);
    view->setPos(item.Left, item.Top);
    resizeView(slot);
}

// A view per slot that has one, shown exactly when the document shows it, stacked in drawing
// order.
void CanvasScene::syncViewsWithDocument() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ItemView* view = views_[static_cast<std::size_t>(slot)];
        const bool visible = document().viewVisible(slot) && document().isLive(slot);
        if (visible) {
            placeView(slot);
            views_[static_cast<std::size_t>(slot)]->show();
        } else if (view) {
            view->hide();
            view->setFocusBorder(false);
        }
    }
    stackViewsInDrawingOrder();
}

void CanvasScene::stackViewsInDrawingOrder() {
    qreal z = 0;
    for (const ListEntry& entry : document().drawingOrder()) {
        if (ItemView* view = itemView(entry.slot))
            view->setZValue(z += 1);
    }
}

void CanvasScene::itemAdded(int slot) {
    placeView(slot);
    itemView(slot)->setResizeMode(isTrue(document().item(slot).SizeChangeMode));
    itemView(slot)->show();
    drawItemPreview(slot);
}

void CanvasScene::itemRemoved(int slot) {
    if (ItemView* view = itemView(slot)) {
        view->hide();
        view->setResizeMode(false);
    }
    if (slot == focusedSlot_)
        showFocus(-1);
}

void CanvasScene::itemChanged(int slot, ItemChanges what) {
    ItemView* view = itemView(slot);
    if (!view || !document().isLive(slot))
        return;
    const LayoutItem& item = document().item(slot);
    view->setResizeMode(isTrue(item.SizeChangeMode));
    if (what & (ItemChange::Size | ItemChange::Content)) {
        placeView(slot);
        drawItemPreview(slot);
    } else if (what & ItemChange::Position) {
        // Moving a view keeps its picture, unless another part of it comes onto the paper.
        view->setPos(item.Left, item.Top);
        if (resizeView(slot))
            drawItemPreview(slot);
    }
}

void CanvasScene::showFocus(int slot) {
    if (ItemView* previous = itemView(focusedSlot_))
        previous->setFocusBorder(false);
    focusedSlot_ = slot;
    if (ItemView* view = itemView(slot))
        view->setFocusBorder(true);
}

bool CanvasScene::drawItemPreview(int slot) {
    ItemView* view = itemView(slot);
    const auto month = editor_.outputMonth();
    if (!view || !document().isLive(slot) || !month)
        return false;
    const LayoutItem& item = document().item(slot);
    resizeView(slot);
    DateRange range =
        pageDateRange(static_cast<int>(month->year()), static_cast<int>(unsigned(month->month())));
    // The document has sized the item already: the preview only draws into that size.
    const bool ok = drawLayoutItem(previewContext_, item, &view->preview(), range, DrawSurface{}, 0,
                                   0, editor_.layoutFolder());
    view->setWarning(itemWarning(item, editor_.layoutFolder()));
    view->update();
    return ok;
}

void CanvasScene::readOwnDays() {
    const OwnDaysSettings& settings = document().extension.ownDays;
    QStringList unread;
    ownDays_ = loadCachedOwnDays(settings, editor_.layoutFolder(), *daysCache_, unread).table;
    previewContext_.ownDays = ownDays_.get();
    previewContext_.weeklyDaysOff = document().extension.ownDays.weeklyDaysOffOrDefault();
    // A file that blocks or takes long never holds up the window; one reading at a time.
    if (unread.isEmpty() || daysReading_.isRunning())
        return;
    auto promise = std::make_shared<QPromise<void>>();
    daysReading_.setFuture(promise->future());
    QThreadPool::globalInstance()->start(
        [cache = daysCache_, unread, options = daysReadOptions(settings.timeZone), promise] {
            promise->start();
            for (const QString& path : unread)
                cache->read(path, options);
            promise->finish();
        });
}

void CanvasScene::drawAllPreviews() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (document().isLive(slot) && itemView(slot))
            drawItemPreview(slot);
    }
}

void CanvasScene::redrawAllItems() {
    readOwnDays();
    drawAllPreviews();
}

} // namespace tobirae
