// The page-size dialog "用紙サイズ変更".
#pragma once

#include "ui/dialogs/PageSizeEntries.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QGroupBox;

namespace tobirae {

class PageSizeDialog final : public QDialog {
    Q_OBJECT
public:
    PageSizeDialog(const PageValues& values, std::int32_t screenDpi, QWidget* parent = nullptr);

    // The values after OK; the values passed in while the dialog was not accepted.
    const PageValues& values() const { return values_; }

private:
    const PaperPreset& chosenPaper() const;
    void paperChosen(int index);
    void acceptEntries();

    PageValues values_;
    std::int32_t screenDpi_;
    QComboBox* sizeCombo_;
    QComboBox* dpiCombo_;
    std::array<QLineEdit*, 2> sizeEdit_{};
    std::array<QLabel*, 2> sizeLabel_{};
    std::array<QLabel*, 2> unitLabel_{};
    QGroupBox* orientationGroup_;
    std::array<QRadioButton*, 2> orientationChoice_{};
};

} // namespace tobirae
