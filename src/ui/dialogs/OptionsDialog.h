// The options dialog "オプション": page background, edit lines and the two grids.
#pragma once

#include "ui/dialogs/OptionValues.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QTabBar;
class QFrame;

namespace tobirae {

class UserPrompts;

class OptionsDialog final : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const OptionValues& values, UserPrompts& prompts, QWidget* parent = nullptr);

    // The values after OK; the values passed in while the dialog was not accepted.
    const OptionValues& values() const { return values_; }

private:
    void chooseBackColor();
    void showSwatch();
    void updateEnabled();
    void acceptEntries();

    OptionValues values_;
    UserPrompts& prompts_;
    std::int32_t swatchColor_;
    QFrame* Pic_BackColor;
    std::array<QCheckBox*, 2> Chk_StateLineX{};
    std::array<QCheckBox*, 2> Chk_StateLineY{};
    QTabBar* Tab_Grid;
    std::array<QWidget*, 2> Fra_Grid{};
    std::array<QCheckBox*, 4> Chk_Grid{};
    std::array<QLineEdit*, 4> Txt_Grid{};
};

} // namespace tobirae
