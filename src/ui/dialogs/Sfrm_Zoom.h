// The page preview window "プレビュー画面": the whole page of one month, scaled to the window.
#pragma once

#include <QDialog>
#include <QImage>

namespace tobirae {

class Sfrm_Zoom final : public QDialog {
    Q_OBJECT
public:
    // `page` is the drawn page; it is shown stretched to the paper's proportions.
    Sfrm_Zoom(const QImage& page, float paperWidth, float paperHeight, QWidget* parent = nullptr);

    // Where the page lands in a window of the given size: scaled by the smaller of
    // width / paperWidth and height / paperHeight and centred.
    static QRectF pageRect(QSizeF window, float paperWidth, float paperHeight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage page_;
    float paperWidth_;
    float paperHeight_;
};

} // namespace tobirae
