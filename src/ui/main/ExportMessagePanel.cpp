#include "ui/main/ExportMessagePanel.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tobirae {

ExportMessagePanel::ExportMessagePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Pic_Message"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    Lbl_Message = new QLabel(this);
    Lbl_Message->setObjectName(QStringLiteral("Lbl_Message"));
    Prg_Export = new QProgressBar(this);
    Prg_Export->setObjectName(QStringLiteral("Prg_Export"));
    Prg_Export->setTextVisible(false);
    Cmd_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Cmd_Cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
    Cmd_Cancel->hide();
    connect(Cmd_Cancel, &QPushButton::clicked, this, [this] {
        Cmd_Cancel->setEnabled(false);
        emit cancelRequested();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Message);
    layout->addWidget(Prg_Export);
    layout->addWidget(Cmd_Cancel, 0, Qt::AlignRight);
    setFixedSize(320, 80);
    hide();
    parent->installEventFilter(this);
}

void ExportMessagePanel::start(int steps, bool cancellable) {
    Cmd_Cancel->setVisible(cancellable);
    Cmd_Cancel->setEnabled(true);
    setFixedSize(320, cancellable ? 116 : 80);
    Prg_Export->setRange(0, steps);
    Prg_Export->setValue(0);
    Lbl_Message->clear();
    centre();
    show();
    raise();
}

void ExportMessagePanel::setStep(const QString& text, int value) {
    Lbl_Message->setText(text);
    Prg_Export->setValue(std::min(value, Prg_Export->maximum()));
}

void ExportMessagePanel::finish() {
    hide();
}

QString ExportMessagePanel::text() const {
    return Lbl_Message->text();
}
int ExportMessagePanel::value() const {
    return Prg_Export->value();
}
int ExportMessagePanel::maximum() const {
    return Prg_Export->maximum();
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
