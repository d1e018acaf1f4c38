#include "ui/editing/EditorDocument.h"

#include "document/ItemFrame.h"
#include "render/ImageItem.h"
#include "render/NewItemDefaults.h"
#include "render/RenderFrame.h"
#include "ui/editing/Placement.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tobirae {

namespace {

std::vector<int> movedSlots(const std::vector<std::pair<int, QPointF>>& moves) {
    std::vector<int> touched;
    for (const auto& move : moves)
        touched.push_back(move.first);
    return touched;
}

// Arrow-key steps merge with the step before when both moved the same item.
constexpr int kNudgeId = 1;

LockAnchor anchorAt(QPointF topLeft) {
    return {static_cast<float>(topLeft.x()), static_cast<float>(topLeft.y())};
}

// The record with its geometry and editor flags cleared, to see whether anything drawn differs.
LayoutItem drawnPart(LayoutItem item) {
    item.Left = item.Top = item.Width = item.Height = 0;
    item.SizeChangeMode = item.MoveLocked = item.XLocked = item.YLocked = item.Live = kFalse;
    item.HCenterLocked = item.VCenterLocked = kFalse;
    return item;
}

} // namespace

ItemChanges itemDifferences(const LayoutItem& a, const LayoutItem& b) {
    ItemChanges what;
    if (a.Left != b.Left || a.Top != b.Top)
        what |= ItemChange::Position;
    if (a.Width != b.Width || a.Height != b.Height)
        what |= ItemChange::Size;
    if (a.SizeChangeMode != b.SizeChangeMode || a.MoveLocked != b.MoveLocked ||
        a.XLocked != b.XLocked || a.YLocked != b.YLocked || a.Live != b.Live ||
        a.HCenterLocked != b.HCenterLocked || a.VCenterLocked != b.VCenterLocked)
        what |= ItemChange::Flags;
    if (!(drawnPart(a) == drawnPart(b)))
        what |= ItemChange::Content;
    return what;
}

void sizeToDesignFrame(LayoutItem& item) {
    // A text item has no design frame: it keeps the size it was made with.
    if (isTextCategory(item.Category) && item.Width > 0 && item.Height > 0)
        return;
    const bool hasDesign = item.DesignWidth > 0 && item.DesignHeight > 0;
    item.Width = hasDesign ? static_cast<float>(item.DesignWidth) : 100.f;
    item.Height = hasDesign ? static_cast<float>(item.DesignHeight) : 100.f;
}

LayoutItem newItemRecord(int category, int variant, const PageValues& page) {
    LayoutItem item;
    applyNewItemDefaults(category, variant, item, page.PaperWidth, page.PaperHeight);
    sizeToDesignFrame(item);
    return item;
}

struct EditorDocument::State {
    PageValues page;
    SlotBookkeeping bookkeeping;
    std::vector<std::pair<int, LayoutItem>> records;
    OwnDaysSettings ownDays;
    // The output month the records' sizes were measured for.
    std::optional<std::chrono::year_month> measuredFor;
    bool operator==(const State&) const = default;
};

// One step: the state of the slots it touched, before and after.
class EditCommand final : public QUndoCommand {
public:
    EditCommand(EditorDocument& editor, const QString& text, EditorDocument::State before,
                EditorDocument::State after, int mergeId)
        : QUndoCommand(text), editor_(editor), before_(std::move(before)), after_(std::move(after)),
          mergeId_(mergeId) {}

    void undo() override { editor_.restore(before_, after_); }
    void redo() override {
        // The change itself was made before the step was pushed.
        if (std::exchange(firstRedo_, false))
            return;
        editor_.restore(after_, before_);
    }
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const EditCommand*>(other);
        if (next->after_.records.size() != 1 || after_.records.size() != 1 ||
            next->after_.records[0].first != after_.records[0].first)
            return false;
        after_ = next->after_;
        setObsolete(before_ == after_);
        return true;
    }

private:
    EditorDocument& editor_;
    EditorDocument::State before_;
    EditorDocument::State after_;
    int mergeId_;
    bool firstRedo_ = true;
};

EditorDocument::EditorDocument(std::unique_ptr<LayoutDocument> document, QObject* parent)
    : QObject(parent), document_(std::move(document)) {
    if (!document_)
        document_ = std::make_unique<LayoutDocument>();
    connect(&undoStack_, &QUndoStack::indexChanged, this, &EditorDocument::modifiedChanged);
    connect(&undoStack_, &QUndoStack::cleanChanged, this, &EditorDocument::modifiedChanged);
}

EditorDocument::~EditorDocument() {
    // The commands refer to this object; they go first, without telling the window (being
    // destroyed too) that the layout changed.
    disconnect(&undoStack_, nullptr, this, nullptr);
    undoStack_.clear();
}

QSize EditorDocument::canvasSize() const {
    return {document_->page.CanvasWidth, document_->page.CanvasHeight};
}

QSizeF EditorDocument::centringArea() const {
    const PageValues& page = document_->page;
    const QSize canvas = canvasSize();
    if (page.PaperWidth > 0 && page.PaperHeight > 0 &&
        canvasSizeForPaper(page.PaperWidth, page.PaperHeight) == canvas)
        return QSizeF(page.PaperWidth, page.PaperHeight) * (kLayoutDpi / 25.4);
    return QSizeF(canvas);
}

EditorDocument::State EditorDocument::capture(const std::vector<int>& touched) const {
    State state{
        document_->page, document_->bookkeeping(), {}, document_->extension.ownDays, outputMonth_};
    for (int slot : touched)
        state.records.emplace_back(slot, document_->item(slot));
    return state;
}

void EditorDocument::restore(const State& target, const State& from) {
    document_->page = target.page;
    document_->extension.ownDays = target.ownDays;
    document_->restoreBookkeeping(target.bookkeeping);
    std::vector<int> restored;
    for (const auto& [slot, record] : target.records) {
        LayoutItem& item = document_->item(slot);
        // Resize mode belongs to the session, not to the history.
        const B16 resizing = item.SizeChangeMode;
        item = record;
        item.SizeChangeMode = isTrue(record.Live) ? resizing : kFalse;
        restored.push_back(slot);
    }
    if (target.measuredFor == outputMonth_) {
        announce(from, target);
        return;
    }
    // Sizes measured for another month are measured again for the one shown.
    for (int slot : restored)
        fitRecord(slot);
    announce(from, capture(restored));
}

void EditorDocument::announce(const State& from, const State& to) {
    if (!(from.page == to.page))
        emit pageChanged();
    if (!(from.ownDays == to.ownDays))
        emit ownDaysChanged();
    for (std::size_t i = 0; i < to.records.size(); ++i) {
        const int slot = to.records[i].first;
        const auto s = static_cast<std::size_t>(slot);
        const LayoutItem& before = from.records[i].second;
        const LayoutItem& after = to.records[i].second;
        const bool wasShown = from.bookkeeping.viewVisible[s] && isTrue(before.Live);
        const bool isShown = to.bookkeeping.viewVisible[s] && isTrue(after.Live);
        if (isShown && !wasShown)
            emit itemAdded(slot);
        else if (wasShown && !isShown)
            emit itemRemoved(slot);
        else if (const ItemChanges what = itemDifferences(before, after))
            emit itemChanged(slot, what);
    }
    if (from.bookkeeping.itemList != to.bookkeeping.itemList ||
        from.bookkeeping.drawingOrder != to.bookkeeping.drawingOrder)
        emit listsChanged();
    if (from.bookkeeping.drawingOrder != to.bookkeeping.drawingOrder)
        emit orderChanged();
    if (from.bookkeeping.currentSlot != to.bookkeeping.currentSlot)
        emit currentSlotChanged(to.bookkeeping.currentSlot);
}

bool EditorDocument::edit(const QString& text, std::vector<int> touched,
                          const std::function<bool()>& change, int mergeId) {
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    State before = capture(touched);
    const bool changed = change();
    // What decides a size changed: the size follows in the same step.
    for (std::size_t i = 0; changed && i < touched.size(); ++i) {
        const LayoutItem& now = document_->item(touched[i]);
        const LayoutItem& was = before.records[i].second;
        if ((itemDifferences(was, now) & ItemChange::Content) ||
            (isTrue(now.Live) && !isTrue(was.Live)))
            fitRecord(touched[i]);
    }
    State after = capture(touched);
    if (!changed || before == after) {
        if (!(before == after))
            restore(before, after);
        return false;
    }
    undoStack_.push(new EditCommand(*this, text, before, after, mergeId));
    announce(before, after);
    return true;
}

void EditorDocument::replaceDocument(std::unique_ptr<LayoutDocument> document) {
    if (!document)
        return;
    document->carrySessionStateFrom(*document_);
    for (int slot = 0; slot < kSlotCount; ++slot)
        document->item(slot).SizeChangeMode = kFalse;
    undoStack_.clear();
    recovered_ = false;
    document_ = std::move(document);
    fitCanvasToPaper();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (document_->isLive(slot))
            fitRecord(slot);
    emit documentReplaced();
    emit modifiedChanged();
}

void EditorDocument::newDocument() {
    undoStack_.clear();
    recovered_ = false;
    document_->clearForNewDocument();
    emit documentReplaced();
    emit modifiedChanged();
}

void EditorDocument::markSaved(const QString& path) {
    const QString saved = QFileInfo(path).absoluteFilePath();
    if (saved == document_->path())
        document_->extensionNotice.clear();
    document_->setPath(saved);
    undoStack_.setClean();
    recovered_ = false;
    emit modifiedChanged();
}

void EditorDocument::markModified() {
    recovered_ = true;
    emit modifiedChanged();
}

bool EditorDocument::isModified() const {
    return !undoStack_.isClean() || recovered_ ||
           (document_->path().isEmpty() && !document_->itemList().empty());
}

void EditorDocument::setCurrentSlot(int slot) {
    if (slot == document_->currentSlot())
        return;
    document_->setCurrentSlot(slot);
    emit currentSlotChanged(document_->currentSlot());
}

int EditorDocument::resizeOwner() const {
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (document_->isLive(slot) && isTrue(document_->item(slot).SizeChangeMode))
            return slot;
    return -1;
}

void EditorDocument::setResizeMode(int slot, bool on) {
    for (int s = 0; s < kSlotCount; ++s) {
        LayoutItem& item = document_->item(s);
        const bool wanted = on && s == slot && document_->isLive(s);
        if (isTrue(item.SizeChangeMode) == wanted)
            continue;
        if (s != slot && !isTrue(item.SizeChangeMode))
            continue;
        item.SizeChangeMode = toB16(wanted);
        emit itemChanged(s, ItemChange::Flags);
    }
    if (!on)
        constrainAllItems(QStringLiteral("位置の変更"));
}

std::vector<std::pair<int, QPointF>> EditorDocument::constraintPassMoves(bool snap) const {
    std::vector<std::pair<int, QPointF>> moves;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!document_->isLive(slot))
            continue;
        const LayoutItem& item = document_->item(slot);
        const QPointF from(item.Left, item.Top);
        const QPointF to =
            snap ? constrained(slot, from, document_->anchor(slot))
                 : applyPositionLocks(item, document_->anchor(slot), from, centringArea()).topLeft;
        if (QPointF(static_cast<float>(to.x()), static_cast<float>(to.y())) != from)
            moves.emplace_back(slot, to);
    }
    return moves;
}

void EditorDocument::applyMoves(const std::vector<std::pair<int, QPointF>>& moves) {
    for (const auto& [slot, to] : moves) {
        LayoutItem& item = document_->item(slot);
        item.Left = static_cast<float>(to.x());
        item.Top = static_cast<float>(to.y());
        document_->setAnchor(slot, anchorAt(to));
    }
}

bool EditorDocument::constrainAllItems(const QString& text) {
    const auto moves = constraintPassMoves();
    if (moves.empty())
        return false;
    return edit(text, movedSlots(moves), [&] {
        applyMoves(moves);
        return true;
    });
}

bool EditorDocument::copyItem(int slot) {
    if (!document_->isLive(slot))
        return false;
    document_->setClipboard(document_->item(slot));
    emit clipboardChanged(true);
    return true;
}

QString EditorDocument::layoutFolder() const {
    if (document_->path().isEmpty())
        return {};
    return QFileInfo(document_->path()).absolutePath();
}

QSize EditorDocument::canvasSizeFor(const PageValues& page) {
    return canvasSizeForPaper(page.PaperWidth, page.PaperHeight);
}

void EditorDocument::fitCanvasToPaper() {
    PageValues& page = document_->page;
    const QSize canvas = canvasSizeFor(page);
    if (canvas.isEmpty())
        return;
    page.CanvasWidth = canvas.width();
    page.CanvasHeight = canvas.height();
}

void EditorDocument::fitRecord(int slot, bool toContents) {
    if (!document_->isLive(slot))
        return;
    LayoutItem& item = document_->item(slot);
    const QString folder = layoutFolder();
    // A picture's own size is remembered in the item once and kept from then on.
    if (item.Category == CategoryPicture)
        storePictureSize(item, folder);
    if (!outputMonth_ || !(toContents || autoSized(item)))
        return;
    const auto size =
        measure_.contentSize(item, static_cast<int>(outputMonth_->year()),
                             static_cast<int>(unsigned(outputMonth_->month())), folder);
    if (!size)
        return;
    item.Width = static_cast<float>(size->width());
    item.Height = static_cast<float>(size->height());
    if (isTrue(item.HCenterLocked))
        item.Left = centredCoordinate(centringArea().width(), item.Width);
    if (isTrue(item.VCenterLocked))
        item.Top = centredCoordinate(centringArea().height(), item.Height);
}

void EditorDocument::setOutputMonth(int year, int month) {
    const auto wanted = std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month));
    if (outputMonth_ == wanted)
        return;
    outputMonth_ = wanted;
    std::vector<std::pair<int, ItemChanges>> changed;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!document_->isLive(slot))
            continue;
        const LayoutItem before = document_->item(slot);
        fitRecord(slot);
        if (const ItemChanges what = itemDifferences(before, document_->item(slot)))
            changed.emplace_back(slot, what);
    }
    emit outputMonthChanged(year, month);
    for (const auto& [slot, what] : changed)
        emit itemChanged(slot, what);
}

bool EditorDocument::fitToContents(int slot) {
    if (!document_->isLive(slot))
        return false;
    return edit(QStringLiteral("基準枠に合わせる"), {slot}, [&] {
        fitRecord(slot, true);
        return true;
    });
}

void EditorDocument::setPage(const PageValues& page, std::optional<PaperScale> scale) {
    // The whole page is one step: the new size, the scaled items and every item a lock moves.
    std::vector<int> touched;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (document_->isLive(slot))
            touched.push_back(slot);
    edit(QStringLiteral("用紙サイズ変更"), touched, [&] {
        document_->page = page;
        fitCanvasToPaper();
        if (scale) {
            for (const int slot : touched) {
                scaleItem(document_->item(slot), *scale);
                const LockAnchor a = document_->anchor(slot);
                document_->setAnchor(
                    slot, anchorAt(QPointF(a.Left, a.Top) * scale->factor + scale->offset));
            }
        }
        applyMoves(constraintPassMoves(false));
        return true;
    });
}

bool EditorDocument::setOwnDays(const OwnDaysSettings& ownDays) {
    return edit(QStringLiteral("予定・休日の設定"), {}, [&] {
        document_->extension.ownDays = ownDays;
        return true;
    });
}

std::optional<int> EditorDocument::addItem(const LayoutItem& record, std::optional<QPointF> topLeft,
                                           bool fitContents, bool behindOverlaps) {
    const auto place = document_->findSlotForNewItem();
    if (!place)
        return std::nullopt;
    const int slot = place->slot;
    edit(QStringLiteral("追加"), {slot}, [&] {
        if (place->createsView)
            document_->createView(slot);
        LayoutItem& item = document_->item(slot);
        item = record;
        item.Live = kFalse;
        setDefaultFontSpec(item.SpareFont);
        document_->commitNewItem(slot);
        if (topLeft) {
            item.Left = static_cast<float>(topLeft->x());
            item.Top = static_cast<float>(topLeft->y());
            document_->setAnchor(slot, anchorAt(*topLeft));
        }
        if (fitContents)
            fitRecord(slot, true);
        if (behindOverlaps)
            placeBehindOverlaps(slot);
        return true;
    });
    return slot;
}

std::optional<int> EditorDocument::addItem(const LayoutItem& record, const QRectF& visibleArea) {
    LayoutItem item = record;
    // A picture starts at its file's size, made smaller to fit the paper with its shape kept.
    const bool picture = item.Category == CategoryPicture;
    if (picture && storePictureSize(item, layoutFolder()))
        sizeToDesignFrame(item);
    const QSize canvas = canvasSize();
    const QRectF visible = visibleArea.intersected(QRectF(QPointF(0, 0), QSizeF(canvas)));
    std::vector<QRectF> taken;
    for (const ListEntry& entry : document_->drawingOrder()) {
        const LayoutItem& other = document_->item(entry.slot);
        taken.emplace_back(other.Left, other.Top, other.Width + kItemFrame,
                           other.Height + kItemFrame);
    }
    const QRectF placed = newItemPlacement(QSizeF(item.Width, item.Height), visible, canvas, taken);
    if (placed.size() != QSizeF(item.Width, item.Height)) {
        item.Width = static_cast<float>(placed.width());
        item.Height = static_cast<float>(placed.height());
        item.FitToRect = kTrue;
        item.FreeAspect = kFalse;
    }
    return addItem(item, placed.topLeft(), !picture, picture);
}

void EditorDocument::placeBehindOverlaps(int slot) {
    const auto box = [this](int s) {
        const LayoutItem& item = document_->item(s);
        return QRectF(item.Left, item.Top, item.Width + kItemFrame, item.Height + kItemFrame);
    };
    const QRectF picture = box(slot);
    const auto& order = document_->drawingOrder();
    int index = -1;
    int target = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const int other = order[static_cast<std::size_t>(i)].slot;
        if (other == slot)
            index = i;
        else if (target < 0 && document_->isLive(other) && box(other).intersects(picture))
            target = i;
    }
    while (target >= 0 && index > target)
        index = document_->moveInDrawingOrder(index, -1);
}

std::optional<int> EditorDocument::pasteItem(std::optional<QPointF> at) {
    const auto place = document_->findSlotForNewItem();
    if (!place || !canPaste())
        return std::nullopt;
    const int slot = place->slot;
    edit(QStringLiteral("貼り付け"), {slot}, [&] {
        if (place->createsView)
            document_->createView(slot);
        LayoutItem& item = document_->item(slot);
        item = *document_->clipboard();
        item.Live = kFalse;
        setDefaultFontSpec(item.SpareFont);
        document_->commitNewItem(slot);
        const QPointF topLeft = pastePosition(item, at);
        item.Left = static_cast<float>(topLeft.x());
        item.Top = static_cast<float>(topLeft.y());
        document_->setAnchor(slot, anchorAt(topLeft));
        return true;
    });
    return slot;
}

bool EditorDocument::deleteItem(int slot) {
    if (!document_->isLive(slot))
        return false;
    return edit(QStringLiteral("削除"), {slot}, [&] {
        // A deleted item cannot stay in resize mode, nor come back in it.
        document_->item(slot).SizeChangeMode = kFalse;
        document_->deleteItem(slot);
        if (document_->currentSlot() == slot)
            document_->setCurrentSlot(-1);
        return true;
    });
}

QPointF EditorDocument::constrained(int slot, QPointF proposed, LockAnchor anchor) const {
    const ConstrainedPosition placed =
        applyPositionLocks(document_->item(slot), anchor, proposed, centringArea());
    return grid_.apply(placed.topLeft, placed.xFixed, placed.yFixed);
}

bool EditorDocument::dragItem(int slot, QPointF proposedTopLeft) {
    if (!document_->isLive(slot) || !dragAllowed(document_->item(slot), allItemsLocked_))
        return false;
    return editItem(slot, QStringLiteral("移動"), [&](LayoutItem& item, LockAnchor& anchor) {
        // The anchor is where the drag began.
        const QPointF to = constrained(slot, proposedTopLeft, anchorAt({item.Left, item.Top}));
        item.Left = static_cast<float>(to.x());
        item.Top = static_cast<float>(to.y());
        anchor = anchorAt(to);
    });
}

bool EditorDocument::nudgeItem(int slot, int dx, int dy) {
    if (!document_->isLive(slot))
        return false;
    const auto to = nudgedPosition(document_->item(slot), dx, dy, canvasSize());
    if (!to)
        return false;
    return edit(
        QStringLiteral("移動"), {slot},
        [&] {
            LayoutItem& item = document_->item(slot);
            item.Left = static_cast<float>(to->x());
            item.Top = static_cast<float>(to->y());
            document_->setAnchor(slot, anchorAt(*to));
            return true;
        },
        kNudgeId);
}

bool EditorDocument::resizeItem(int slot, QRectF view) {
    if (!document_->isLive(slot))
        return false;
    return editItem(slot, QStringLiteral("サイズ変更"), [&](LayoutItem& item, LockAnchor& anchor) {
        const LockAnchor start = anchorAt({item.Left, item.Top});
        item.Width = static_cast<float>(std::max(1.0, view.width() - kItemFrame));
        item.Height = static_cast<float>(std::max(1.0, view.height() - kItemFrame));
        const QPointF to = applyPositionLocks(item, start, view.topLeft(), centringArea()).topLeft;
        item.Left = static_cast<float>(to.x());
        item.Top = static_cast<float>(to.y());
        anchor = anchorAt(to);
    });
}

bool EditorDocument::placeItem(int slot, QPointF topLeft, std::optional<QSizeF> size,
                               const QString& text) {
    if (!document_->isLive(slot))
        return false;
    return editItem(slot, text, [&](LayoutItem& item, LockAnchor& anchor) {
        item.Left = static_cast<float>(topLeft.x());
        item.Top = static_cast<float>(topLeft.y());
        if (size) {
            item.Width = static_cast<float>(size->width());
            item.Height = static_cast<float>(size->height());
        }
        anchor = anchorAt(topLeft);
    });
}

bool EditorDocument::setMoveLocked(int slot, bool on) {
    if (!document_->isLive(slot))
        return false;
    return editItem(slot, on ? QStringLiteral("ロック") : QStringLiteral("ロック解除"),
                    [&](LayoutItem& item, LockAnchor&) { item.MoveLocked = toB16(on); });
}

bool EditorDocument::toggleLock(int slot, PositionLock lock) {
    if (!document_->isLive(slot))
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("X座標ロック"), QStringLiteral("Y座標ロック"),
        QStringLiteral("左右中央ロック"), QStringLiteral("上下中央ロック")};
    const QSizeF area = centringArea();
    return editItem(slot, texts[static_cast<std::size_t>(lock)],
                    [&](LayoutItem& item, LockAnchor& anchor) {
                        switch (lock) {
                        case PositionLock::X:
                            item.XLocked = toB16(!isTrue(item.XLocked));
                            if (isTrue(item.XLocked)) {
                                item.HCenterLocked = kFalse;
                                anchor.Left = anchorAt({item.Left, item.Top}).Left;
                            }
                            break;
                        case PositionLock::Y:
                            item.YLocked = toB16(!isTrue(item.YLocked));
                            if (isTrue(item.YLocked)) {
                                item.VCenterLocked = kFalse;
                                anchor.Top = anchorAt({item.Left, item.Top}).Top;
                            }
                            break;
                        case PositionLock::HCenter:
                            item.HCenterLocked = toB16(!isTrue(item.HCenterLocked));
                            if (isTrue(item.HCenterLocked)) {
                                item.XLocked = kFalse;
                                item.Left = centredCoordinate(area.width(), item.Width);
                            }
                            break;
                        case PositionLock::VCenter:
                            item.VCenterLocked = toB16(!isTrue(item.VCenterLocked));
                            if (isTrue(item.VCenterLocked)) {
                                item.YLocked = kFalse;
                                item.Top = centredCoordinate(area.height(), item.Height);
                            }
                            break;
                        }
                    });
}

bool EditorDocument::centreItem(int slot, bool vertical) {
    if (!document_->isLive(slot))
        return false;
    const LayoutItem& item = document_->item(slot);
    QPointF to(item.Left, item.Top);
    if (vertical)
        to.setY(centredCoordinate(centringArea().height(), item.Height));
    else
        to.setX(centredCoordinate(centringArea().width(), item.Width));
    return placeItem(slot, to, std::nullopt,
                     vertical ? QStringLiteral("上下中央に移動")
                              : QStringLiteral("左右中央に移動"));
}

bool EditorDocument::replaceItem(int slot, const LayoutItem& record) {
    if (!document_->isLive(slot))
        return false;
    return edit(QStringLiteral("詳細設定の変更"), {slot}, [&] {
        LayoutItem& item = document_->item(slot);
        const B16 resizing = item.SizeChangeMode;
        item = record;
        // The slot stays in use and in its mode whatever the record says.
        item.Live = kTrue;
        item.SizeChangeMode = resizing;
        document_->relabelItem(slot);
        return true;
    });
}

bool EditorDocument::setPictureFile(int slot, const QString& path) {
    if (!document_->isLive(slot) || document_->item(slot).Category != CategoryPicture)
        return false;
    return editItem(slot, QStringLiteral("画像の設定"), [&](LayoutItem& item, LockAnchor&) {
        item.PictureFile.setText(path);
        item.DesignWidth = 0;
        item.DesignHeight = 0;
    });
}

int EditorDocument::moveInDrawingOrder(int index, int step) {
    int moved = -1;
    edit(QStringLiteral("描画順の変更"), {}, [&] {
        moved = document_->moveInDrawingOrder(index, step);
        return moved >= 0 && moved != index;
    });
    return moved;
}

namespace {

int drawingOrderIndex(const LayoutDocument& document, int slot) {
    const auto& order = document.drawingOrder();
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i].slot == slot)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool EditorDocument::isInFront(int slot) const {
    const int index = drawingOrderIndex(*document_, slot);
    return index < 0 || index + 1 == static_cast<int>(document_->drawingOrder().size());
}

bool EditorDocument::isAtBack(int slot) const {
    return drawingOrderIndex(*document_, slot) <= 0;
}

bool EditorDocument::bringToFront(int slot) {
    if (!document_->isLive(slot) || isInFront(slot))
        return false;
    return edit(QStringLiteral("最前面へ"), {}, [&] {
        const int last = static_cast<int>(document_->drawingOrder().size()) - 1;
        for (int index = drawingOrderIndex(*document_, slot); index < last;)
            index = document_->moveInDrawingOrder(index, 1);
        return true;
    });
}

bool EditorDocument::sendToBack(int slot) {
    if (!document_->isLive(slot) || isAtBack(slot))
        return false;
    return edit(QStringLiteral("最背面へ"), {}, [&] {
        for (int index = drawingOrderIndex(*document_, slot); index > 0;)
            index = document_->moveInDrawingOrder(index, -1);
        return true;
    });
}

bool EditorDocument::editItem(int slot, const QString& text,
                              const std::function<void(LayoutItem&, LockAnchor&)>& change) {
    if (!document_->isLive(slot))
        return false;
    return edit(text, {slot}, [&] {
        LayoutItem& item = document_->item(slot);
        LockAnchor anchor = document_->anchor(slot);
        change(item, anchor);
        document_->setAnchor(slot, anchor);
        return true;
    });
}

} // namespace tobirae
