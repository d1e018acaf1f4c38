// The page preview window "プレビュー画面": the whole page of one month, drawn by the renderer at
// the window's own size (one-pixel rules stay sharp instead of being smoothed by scaling). ◀ ▶
// and the arrow keys step through the months.
#pragma once

#include "render/PageExport.h"

#include <QDialog>
#include <QImage>
#include <chrono>

class QLabel;
class QPushButton;

namespace tobirae {

class PagePreviewDialog final : public QDialog {
    Q_OBJECT
public:
    PagePreviewDialog(PageJob job, int year, int month, QWidget* parent = nullptr);

    // Where the page lands in a window of the given size: scaled by the smaller of
    // width / paperWidth and height / paperHeight and centred.
    static QRectF pageRect(QSizeF window, float paperWidth, float paperHeight);

    std::chrono::year_month shownMonth() const { return month_; }
    // One month on or back, within 1950-01 .. 2049-12.
    void stepMonth(int months);
    // The page as last drawn, in device pixels (null before the first paint).
    const QImage& pageImage() const { return page_; }
    // The resolution the page was drawn at to fit the window.
    int pageDpi() const { return pageDpi_; }

    QPushButton* previousButton() const { return prevButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    QLabel* monthLabel() const { return monthLabel_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect pageArea() const;
    void drawPage(QSize pixels);
    void showMonth();

    PageJob job_;
    QSizeF paperMm_;
    std::chrono::year_month month_;
    QImage page_;
    QSize pageFor_; // device size the page was drawn for
    std::chrono::year_month drawnMonth_{};
    int pageDpi_ = 0;
    QPushButton* prevButton_;
    QPushButton* nextButton_;
    QLabel* monthLabel_;
    QWidget* bar_;
};

} // namespace tobirae
