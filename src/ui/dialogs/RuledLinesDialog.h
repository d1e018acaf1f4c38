// The ruled-line dialog "罫線設定": for each numbered line of an item's grid whether it is drawn,
// its colour and its width, chosen from a list or by clicking the line in a diagram.
#pragma once

#include "document/LayoutItem.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tobirae {

class ColourSwatch;
class RuleDiagram;
class UserPrompts;

class RuledLinesDialog final : public QDialog {
    Q_OBJECT
public:
    RuledLinesDialog(const LayoutItem& item, UserPrompts& prompts, QWidget* parent = nullptr);

    // The edited record after OK; the record passed in otherwise.
    const LayoutItem& item() const { return accepted_ ? work_ : original_; }
    int selectedEntry() const { return selected_; }
    RuleDiagram* diagram() const { return ruleDiagramView_; }

private:
    void select(int entry);
    void showEntry();
    void setOn(bool on);
    void widthEdited(const QString& text);
    void pickColour();
    void applyGroup(int button);

    LayoutItem original_;
    LayoutItem work_;
    UserPrompts& prompts_;
    bool accepted_ = false;
    int selected_ = 0;

    QComboBox* ruleNumberCombo_;
    QCheckBox* lineCheck_;
    QLineEdit* picturePathEdit_;
    ColourSwatch* colourSwatch_;
    QPushButton* colourButton_;
    std::array<QPushButton*, 8> ruleChoiceButton_{};
    RuleDiagram* ruleDiagramView_;
};

} // namespace tobirae
