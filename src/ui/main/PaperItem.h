// The paper on the canvas: the page background colour and, when shown, the dots of the main grid.
#pragma once

#include <QGraphicsItem>
#include <cstdint>
#include <vector>

namespace tobirae {

class PaperItem final : public QGraphicsItem {
public:
    PaperItem();

    void setPaperSize(QSizeF layoutPixels);
    void setBackColor(std::int32_t bgr);
    // Spacings in twips; no grid when `shown` is false or a spacing is 0 or less.
    void setGrid(bool shown, int spacingXTwips, int spacingYTwips);

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), size_); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    bool gridShown() const { return gridShown_; }
    std::int32_t backColor() const { return backColor_; }

private:
    QSizeF size_;
    std::int32_t backColor_ = 0x00FFFFFF;
    bool gridShown_ = false;
    int gridX_ = 60;
    int gridY_ = 60;
    std::vector<QPointF> dots_; // kept between paints to spare the allocation
};

} // namespace tobirae
