#include "ui/dialogs/Sfrm_Zoom.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace tobirae {

Sfrm_Zoom::Sfrm_Zoom(const QImage& page, float paperWidth, float paperHeight, QWidget* parent)
    : QDialog(parent), page_(page), paperWidth_(paperWidth), paperHeight_(paperHeight) {
    setWindowTitle(QStringLiteral("プレビュー画面"));
    setSizeGripEnabled(true);
    // Open at a size that shows the whole page on the screen.
    QSize start(600, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableSize() * 0.85;
        const double scale = std::min(avail.width() / static_cast<double>(paperWidth_),
                                      avail.height() / static_cast<double>(paperHeight_));
        if (scale > 0)
            start = QSize(static_cast<int>(paperWidth_ * scale),
                          static_cast<int>(paperHeight_ * scale));
    }
    resize(start);
}

QRectF Sfrm_Zoom::pageRect(QSizeF window, float paperWidth, float paperHeight) {
    if (paperWidth <= 0 || paperHeight <= 0)
        return {};
    const double scale = std::min(window.width() / static_cast<double>(paperWidth),
                                  window.height() / static_cast<double>(paperHeight));
    const QSizeF size(paperWidth * scale, paperHeight * scale);
    return QRectF(
        QPointF((window.width() - size.width()) / 2, (window.height() - size.height()) / 2), size);
}

void Sfrm_Zoom::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pageRect(size(), paperWidth_, paperHeight_), page_);
}

} // namespace tobirae
