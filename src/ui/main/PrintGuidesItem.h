// The print guides on the canvas: the bleed line outside the paper and the safety line inside
// it, drawn above the items and never in the way of the mouse.
#pragma once

#include "ui/editing/Guides.h"

#include <QGraphicsItem>

namespace tobirae {

class PrintGuidesItem final : public QGraphicsItem {
public:
    PrintGuidesItem();

    void setGuides(const QSizeF& paper, double bleedMm, bool bleedShown, bool safetyShown);
    bool bleedShown() const { return bleedShown_; }
    bool safetyShown() const { return safetyShown_; }
    const PrintGuideRects& rects() const { return rects_; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return {}; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    PrintGuideRects rects_;
    bool bleedShown_ = false;
    bool safetyShown_ = false;
};

} // namespace tobirae
