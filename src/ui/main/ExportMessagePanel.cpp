#include "ui/main/ExportMessagePanel.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tobirae {

ExportMessagePanel::ExportMessagePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("messageView"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    exportProgress_ = new QProgressBar(this);
    exportProgress_->setObjectName(QStringLiteral("exportProgress"));
    exportProgress_->setTextVisible(false);
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->hide();
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        cancelButton_->setEnabled(false);
        emit cancelRequested();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messageLabel_);
    layout->addWidget(exportProgress_);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    setFixedSize(320, 80);
    hide();
    parent->installEventFilter(this);
}

void ExportMessagePanel::start(int steps, bool cancellable) {
    cancelButton_->setVisible(cancellable);
    cancelButton_->setEnabled(true);
    setFixedSize(320, cancellable ? 116 : 80);
    exportProgress_->setRange(0, steps);
    exportProgress_->setValue(0);
    messageLabel_->clear();
    centre();
    show();
    raise();
}

void ExportMessagePanel::setStep(const QString& text, int value) {
    messageLabel_->setText(text);
    exportProgress_->setValue(std::min(value, exportProgress_->maximum()));
}

void ExportMessagePanel::finish() {
    hide();
}

QString ExportMessagePanel::text() const {
    return messageLabel_->text();
}
int ExportMessagePanel::value() const {
    return exportProgress_->value();
}
int ExportMessagePanel::maximum() const {
    return exportProgress_->maximum();
}

bool ExportMessagePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        centre();
    return QFrame::eventFilter(watched, event);
}

void ExportMessagePanel::centre() {
    const QWidget* host = parentWidget();
    move((host->width() - width()) / 2, (host->height() - height()) / 2);
}

} // namespace tobirae
