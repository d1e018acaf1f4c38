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
    QFrame* backColourSwatch_;
    std::array<QCheckBox*, 2> verticalEditLineCheck_{};
    std::array<QCheckBox*, 2> horizontalEditLineCheck_{};
    QTabBar* gridTabs_;
    std::array<QWidget*, 2> gridGroup_{};
    std::array<QCheckBox*, 4> gridCheck_{};
    std::array<QLineEdit*, 4> gridEdit_{};
};

} // namespace tobirae
