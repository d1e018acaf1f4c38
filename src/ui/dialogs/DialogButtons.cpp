#include "ui/dialogs/DialogButtons.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tobirae {

QPushButton* plainButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QDialogButtonBox* okCancelButtons(QDialog* dialog, const QString& okText,
                                  const QString& cancelText) {
    auto* buttons = new QDialogButtonBox(dialog);
    auto* ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    buttons->addButton(cancelText, QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void keepPopupShort(QComboBox* list) {
    list->setMaxVisibleItems(20);
    list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

LongChoiceList::LongChoiceList(QWidget* parent) : QComboBox(parent) {
    keepPopupShort(this);
}

void LongChoiceList::showPopup() {
    QComboBox::showPopup();
    view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
}

} // namespace tobirae
