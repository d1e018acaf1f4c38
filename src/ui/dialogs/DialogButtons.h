// The OK / Cancel row shared by the settings dialogs, and the long choice lists.
#pragma once

#include <QString>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace tobirae {

// Buttons named okButton_ (the default) and cancelButton_; Cancel rejects the dialog. The caller
// connects accepted(), since each dialog checks its entries before closing.
QDialogButtonBox* okCancelButtons(QDialog* dialog, const QString& okText,
                                  const QString& cancelText);

// A named button that Enter in the dialog does not press.
QPushButton* plainButton(const QString& caption, const QString& name, QWidget* parent);

// A long list (the years 1950 to 2049) opens with about twenty entries, also under styles that
// would open it over the whole screen height.
void keepPopupShort(QComboBox* list);

} // namespace tobirae
