#include "ui/dialogs/PagePreviewDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

constexpr std::chrono::year_month kFirst{std::chrono::year(1950), std::chrono::January};
constexpr std::chrono::year_month kLast{std::chrono::year(2049), std::chrono::December};

} // namespace

PagePreviewDialog::PagePreviewDialog(PageJob job, int year, int month, QWidget* parent)
    : QDialog(parent), job_(std::move(job)),
      month_(std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month))) {
    setWindowTitle(QStringLiteral("プレビュー画面"));
    setSizeGripEnabled(true);
    paperMm_ = job_.paperMm.isEmpty() ? QSizeF(job_.canvas) / 96.0 * 25.4 : job_.paperMm;

    bar_ = new QWidget(this);
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(4, 4, 4, 4);
    prevButton_ = new QPushButton(QStringLiteral("◀"), bar_);
    prevButton_->setObjectName(QStringLiteral("prevButton"));
    monthLabel_ = new QLabel(bar_);
    monthLabel_->setObjectName(QStringLiteral("monthLabel"));
    monthLabel_->setAlignment(Qt::AlignCenter);
    nextButton_ = new QPushButton(QStringLiteral("▶"), bar_);
    nextButton_->setObjectName(QStringLiteral("nextButton"));
    for (QPushButton* button : {prevButton_, nextButton_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    row->addWidget(prevButton_);
    row->addWidget(monthLabel_, 1);
    row->addWidget(nextButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addStretch(1);
    connect(prevButton_, &QPushButton::clicked, this, [this] { stepMonth(-1); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { stepMonth(1); });
    for (const auto& [key, step] : {std::pair{Qt::Key_Left, -1}, std::pair{Qt::Key_Right, 1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, s = step] { stepMonth(s); });
    }
    showMonth();

    // Open at a size that shows the whole page on the screen.
    QSize start(600, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableSize() * 0.85;
        const double scale =
            std::min(avail.width() / paperMm_.width(),
                     (avail.height() - bar_->sizeHint().height()) / paperMm_.height());
        if (scale > 0)
            start = QSize(static_cast<int>(paperMm_.width() * scale),
                          static_cast<int>(paperMm_.height() * scale) + bar_->sizeHint().height());
    }
    resize(start);
}

QRectF PagePreviewDialog::pageRect(QSizeF window, float paperWidth, float paperHeight) {
    if (paperWidth <= 0 || paperHeight <= 0)
        return {};
    const double scale = std::min(window.width() / static_cast<double>(paperWidth),
                                  window.height() / static_cast<double>(paperHeight));
    const QSizeF size(paperWidth * scale, paperHeight * scale);
    return QRectF(
        QPointF((window.width() - size.width()) / 2, (window.height() - size.height()) / 2), size);
}

void PagePreviewDialog::stepMonth(int months) {
    const auto next = month_ + std::chrono::months(months);
    month_ = std::clamp(next, kFirst, kLast);
    showMonth();
    update();
}

void PagePreviewDialog::showMonth() {
    monthLabel_->setText(QStringLiteral("%1年%2月")
                           .arg(static_cast<int>(month_.year()))
                           .arg(static_cast<unsigned>(month_.month())));
    prevButton_->setEnabled(month_ > kFirst);
    nextButton_->setEnabled(month_ < kLast);
}

QRect PagePreviewDialog::pageArea() const {
    return rect().adjusted(0, bar_->height(), 0, 0);
}

// The renderer draws the page at the resolution that makes the paper as wide as the window's
// device pixels: what the screen shows is a page at that resolution, not a scaled bitmap.
void PagePreviewDialog::drawPage(QSize pixels) {
    pageFor_ = pixels;
    drawnMonth_ = month_;
    const double inches = paperMm_.width() / 25.4;
    pageDpi_ = std::clamp(static_cast<int>(std::floor(pixels.width() / inches)), 1, 4800);
    page_ = tobirae::pageImage(job_, static_cast<int>(month_.year()),
                               static_cast<int>(static_cast<unsigned>(month_.month())), pageDpi_);
}

void PagePreviewDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = pageArea();
    painter.fillRect(area, palette().color(QPalette::Dark));
    const QRectF target = pageRect(area.size(), static_cast<float>(paperMm_.width()),
                                   static_cast<float>(paperMm_.height()))
                              .translated(area.topLeft());
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (target.size() * ratio).toSize();
    if (pixels.isEmpty())
        return;
    if (pixels != pageFor_ || drawnMonth_ != month_)
        drawPage(pixels);
    // Placed on whole device pixels and not scaled, so its rules stay one pixel wide.
    const QPointF at(std::round(target.left() * ratio) / ratio,
                     std::round(target.top() * ratio) / ratio);
    painter.drawImage(QRectF(at, QSizeF(page_.size()) / ratio), page_);
}

} // namespace tobirae
