// The OK / Cancel row shared by the settings dialogs, and the long choice lists.
#pragma once

#include <QComboBox>
#include <QString>

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

// A long list kept short whose popup shows the chosen entry in its middle, so the entries after
// it are as near as those before (a plain list opens with the chosen year at its bottom).
class LongChoiceList final : public QComboBox {
public:
    explicit LongChoiceList(QWidget* parent = nullptr);
    void showPopup() override;
};

} // namespace tobirae
