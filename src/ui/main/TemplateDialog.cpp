#include "ui/main/TemplateDialog.h"

#include "ui/dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace tobirae {

namespace {

// Room for one page: a portrait A4 page is drawn 180 pixels high, a landscape one 200 wide.
const QSize kPreviewBox(200, 180);
constexpr int kPathRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

// One look of a template's icon: the page centred in the box with a frame, or, before the page
// is drawn or when it cannot be, an empty sheet with a word on it.
QPixmap pagePixmap(const QImage& page, qreal ratio, const QString& note, const QPen& frame) {
    QPixmap pixmap(kPreviewBox * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSizeF size = page.isNull() ? QSizeF(127, 180) : QSizeF(page.size()) / ratio;
    size.scale(QSizeF(kPreviewBox) - QSizeF(4, 4), Qt::KeepAspectRatio);
    const QRectF sheet((kPreviewBox.width() - size.width()) / 2,
                       (kPreviewBox.height() - size.height()) / 2, size.width(), size.height());
    if (page.isNull()) {
        painter.fillRect(sheet, QColor(0xF4, 0xF4, 0xF4));
        painter.setPen(Qt::darkGray);
        painter.drawText(sheet.adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, note);
    } else {
        painter.drawImage(sheet, page);
    }
    painter.setPen(frame);
    const qreal out = frame.widthF() / 2;
    painter.drawRect(sheet.adjusted(-out, -out, out, out));
    return pixmap;
}

// The chosen page keeps its colours (a tinted page would hide what it shows) and gets a frame in
// the selection colour instead.
QIcon pageIcon(const QImage& page, qreal ratio, const QColor& highlight, const QString& note = {}) {
    QIcon icon(pagePixmap(page, ratio, note, QPen(QColor(0x80, 0x80, 0x80), 1)));
    icon.addPixmap(pagePixmap(page, ratio, note, QPen(highlight, 3)), QIcon::Selected);
    return icon;
}

// The first sentence of a reading error: the rest (often a long path) is in the tooltip.
QString shortReason(const QString& problem) {
    QString reason = problem.section(QStringLiteral("\r\n"), 0, 0);
    const qsizetype end = reason.indexOf(u'。');
    if (end >= 0)
        reason.truncate(end + 1);
    return reason.size() > 40 ? reason.left(39) + u'…' : reason;
}

} // namespace

TemplateDialog::TemplateDialog(std::vector<LayoutTemplate> templates, std::chrono::year_month month,
                               Colour pageBackColor, QWidget* parent)
    : QDialog(parent), templates_(std::move(templates)), month_(month),
      pageBackColor_(pageBackColor) {
    setWindowTitle(QStringLiteral("テンプレートから新規作成"));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("テンプレートを選んでください (%1年%2月のページ)")
                                   .arg(static_cast<int>(month_.year()))
                                   .arg(static_cast<unsigned>(month_.month())),
                               this);
    caption->setObjectName(QStringLiteral("captionLabel"));
    layout->addWidget(caption);

    templateList_ = new QListWidget(this);
    templateList_->setObjectName(QStringLiteral("templateList"));
    templateList_->setViewMode(QListView::IconMode);
    templateList_->setMovement(QListView::Static);
    templateList_->setResizeMode(QListView::Adjust);
    templateList_->setWrapping(true);
    templateList_->setWordWrap(true);
    templateList_->setIconSize(kPreviewBox);
    templateList_->setGridSize(kPreviewBox + QSize(48, 4 * fontMetrics().height() + 12));
    templateList_->setSelectionMode(QAbstractItemView::SingleSelection);
    const qreal ratio = devicePixelRatioF();
    const QColor highlight = palette().color(QPalette::Highlight);
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        const LayoutTemplate& t = templates_[i];
        auto* entry = new QListWidgetItem(templateList_);
        entry->setData(kIndexRole, static_cast<int>(i));
        if (t.usable()) {
            entry->setText(t.description.isEmpty() ? t.title : t.title + u'\n' + t.description);
            entry->setData(kPathRole, t.path);
            entry->setToolTip(t.description.isEmpty()
                                  ? QDir::toNativeSeparators(t.path)
                                  : t.description + u'\n' + QDir::toNativeSeparators(t.path));
            entry->setIcon(pageIcon({}, ratio, highlight));
        } else {
            entry->setText(t.title + u'\n' + shortReason(t.problem));
            entry->setToolTip(QDir::toNativeSeparators(t.path) + QStringLiteral("\n") + t.problem);
            entry->setIcon(pageIcon({}, ratio, highlight, QStringLiteral("読み込めません")));
            entry->setFlags(Qt::NoItemFlags);
        }
    }
    layout->addWidget(templateList_, 1);

    QDialogButtonBox* buttons =
        okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    okButton_ = buttons->findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!chosenPath().isEmpty())
            accept();
    });
    layout->addWidget(buttons);

    connect(templateList_, &QListWidget::itemSelectionChanged, this,
            &TemplateDialog::selectionChanged);
    connect(templateList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* entry) {
        if (!entry->data(kPathRole).toString().isEmpty())
            accept();
    });
    for (int row = 0; row < templateList_->count(); ++row) {
        if (templateList_->item(row)->flags() & Qt::ItemIsSelectable) {
            templateList_->setCurrentRow(row);
            break;
        }
    }
    selectionChanged();

    const int columns = std::min<int>(4, std::max<int>(1, static_cast<int>(templates_.size())));
    const int rows = (static_cast<int>(templates_.size()) + columns - 1) / columns;
    const QSize grid = templateList_->gridSize();
    templateList_->setMinimumSize(grid.width() + 24, grid.height() + 8);
    resize(columns * grid.width() + 48, std::min(rows, 2) * grid.height() +
                                            caption->sizeHint().height() +
                                            buttons->sizeHint().height() + 48);

    // The pages are drawn after the dialog has shown itself, one per turn of the event loop.
    QTimer::singleShot(0, this, &TemplateDialog::drawNextPreview);
}

QString TemplateDialog::chosenPath() const {
    const QList<QListWidgetItem*> selected = templateList_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kPathRole).toString();
}

bool TemplateDialog::selectTemplate(const QString& name) {
    for (int row = 0; row < templateList_->count(); ++row) {
        QListWidgetItem* entry = templateList_->item(row);
        const auto& t = templates_[static_cast<std::size_t>(entry->data(kIndexRole).toInt())];
        if (t.name == name && (entry->flags() & Qt::ItemIsSelectable)) {
            templateList_->setCurrentItem(entry);
            return true;
        }
    }
    return false;
}

void TemplateDialog::selectionChanged() {
    okButton_->setEnabled(!chosenPath().isEmpty());
}

void TemplateDialog::drawNextPreview() {
    while (nextPreview_ < templates_.size() && !templates_[nextPreview_].usable())
        ++nextPreview_;
    if (nextPreview_ >= templates_.size()) {
        emit previewsFinished();
        return;
    }
    const std::size_t index = nextPreview_++;
    const qreal ratio = devicePixelRatioF();
    const QColor highlight = palette().color(QPalette::Highlight);
    QImage page = templatePreview(*templates_[index].document, pageBackColor_,
                                  static_cast<int>(month_.year()),
                                  static_cast<int>(static_cast<unsigned>(month_.month())),
                                  (kPreviewBox - QSize(4, 4)) * ratio);
    page.setDevicePixelRatio(ratio);
    for (int row = 0; row < templateList_->count(); ++row) {
        QListWidgetItem* entry = templateList_->item(row);
        if (entry->data(kIndexRole).toInt() == static_cast<int>(index)) {
            entry->setIcon(page.isNull()
                               ? pageIcon({}, ratio, highlight, QStringLiteral("表示できません"))
                               : pageIcon(page, ratio, highlight));
        }
    }
    if (!page.isNull())
        ++previewsDrawn_;
    QTimer::singleShot(0, this, &TemplateDialog::drawNextPreview);
}

} // namespace tobirae
