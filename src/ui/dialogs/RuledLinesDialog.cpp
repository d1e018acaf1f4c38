#include "ui/dialogs/RuledLinesDialog.h"

#include "render/RuleBlock.h"
#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/ColourSwatch.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/RuleDiagram.h"
#include "ui/dialogs/RuleDialogRules.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>

namespace tobirae {

namespace {

// Only an empty box (while retyping) or one digit 1..9 can stand in the width box.
class RuleWidthValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.trimmed().isEmpty())
            return Intermediate;
        return typedRuleWidth(input) ? Acceptable : Invalid;
    }
};

} // namespace

RuledLinesDialog::RuledLinesDialog(const LayoutItem& item, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), original_(item), work_(item), prompts_(prompts) {
    setWindowTitle(QStringLiteral("罫線設定"));

    ruleNumberCombo_ = new QComboBox(this);
    ruleNumberCombo_->setObjectName(QStringLiteral("ruleNumberCombo"));
    lineCheck_ = new QCheckBox(QStringLiteral("描画する"), this);
    lineCheck_->setObjectName(QStringLiteral("lineCheck"));
    picturePathEdit_ = new QLineEdit(QStringLiteral("1"), this);
    picturePathEdit_->setObjectName(QStringLiteral("picturePathEdit"));
    picturePathEdit_->setValidator(new RuleWidthValidator(picturePathEdit_));
    picturePathEdit_->setMaximumWidth(40);
    colourSwatch_ = new ColourSwatch(QStringLiteral("colourSwatch"), this);
    colourButton_ = new QPushButton(QStringLiteral("色"), this);
    colourButton_->setObjectName(QStringLiteral("colourButton"));
    ruleDiagramView_ = new RuleDiagram(this);

    auto* entryRow = new QGridLayout;
    entryRow->addWidget(new QLabel(QStringLiteral("罫線番号"), this), 0, 0);
    entryRow->addWidget(ruleNumberCombo_, 0, 1);
    entryRow->addWidget(lineCheck_, 0, 2);
    entryRow->addWidget(new QLabel(QStringLiteral("太さ"), this), 1, 0);
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(picturePathEdit_);
    widthRow->addWidget(new QLabel(QStringLiteral("(1～9)"), this));
    widthRow->addStretch();
    entryRow->addLayout(widthRow, 1, 1);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourSwatch_);
    colourRow->addWidget(colourButton_);
    entryRow->addLayout(colourRow, 1, 2);

    auto* groups = new QGridLayout;
    const QStringList captions = ruleGroupCaptions(ruleFamily(work_));
    for (int b = 0; b < 8; ++b) {
        auto* button = new QPushButton(captions.value(b), this);
        button->setObjectName(QStringLiteral("ruleChoiceButton_%1").arg(b));
        button->setVisible(b < captions.size());
        button->setEnabled(b < captions.size());
        groups->addWidget(button, b / 2, b % 2);
        ruleChoiceButton_[static_cast<std::size_t>(b)] = button;
        connect(button, &QPushButton::clicked, this, [this, b] { applyGroup(b); });
    }

    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        accepted_ = true;
        accept();
    });

    auto* side = new QVBoxLayout;
    side->addLayout(entryRow);
    side->addLayout(groups);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ruleDiagramView_);
    layout->addLayout(side);

    for (int e = 0; e < ruleLineCount(work_); ++e)
        ruleNumberCombo_->addItem(ruleNumberLabel(e), e);
    ruleDiagramView_->showItem(work_);
    select(0);

    connect(ruleNumberCombo_, &QComboBox::activated, this, [this](int index) { select(index); });
    connect(ruleDiagramView_, &RuleDiagram::entryClicked, this, &RuledLinesDialog::select);
    connect(ruleDiagramView_, &RuleDiagram::entryDoubleClicked, this, [this](int entry) {
        select(entry);
        lineCheck_->click();
    });
    connect(lineCheck_, &QCheckBox::clicked, this, &RuledLinesDialog::setOn);
    // Only what the user types is a width: showing an entry's width never stores one.
    connect(picturePathEdit_, &QLineEdit::textEdited, this, &RuledLinesDialog::widthEdited);
    connect(colourButton_, &QPushButton::clicked, this, &RuledLinesDialog::pickColour);
}

void RuledLinesDialog::select(int entry) {
    if (entry < 0 || entry >= ruleLineCount(work_))
        return;
    selected_ = entry;
    showEntry();
}

void RuledLinesDialog::showEntry() {
    const RuleBlockReader rules = ruleBlock(std::as_const(work_));
    ruleNumberCombo_->setCurrentIndex(selected_);
    lineCheck_->setChecked(rules.ruleOn(selected_));
    picturePathEdit_->setText(ruleWidthText(rules.ruleWidth(selected_)));
    colourSwatch_->setColour(rules.ruleColor(selected_));
    ruleDiagramView_->setSelected(selected_);
}

void RuledLinesDialog::setOn(bool on) {
    ruleBlock(work_).setRuleOn(selected_, on);
    ruleDiagramView_->showItem(work_);
}

void RuledLinesDialog::widthEdited(const QString& text) {
    if (const auto width = typedRuleWidth(text))
        ruleBlock(work_).setRuleWidth(selected_, *width);
    ruleDiagramView_->showItem(work_);
}

void RuledLinesDialog::pickColour() {
    const RuleBlockReader rules = ruleBlock(std::as_const(work_));
    const auto chosen =
        prompts_.pickColour(qColorFromBgr(rules.ruleColor(selected_)), colourPickerTitle());
    if (!chosen)
        return;
    ruleBlock(work_).setRuleColor(selected_, bgrFromQColor(*chosen));
    colourSwatch_->setColour(ruleBlock(std::as_const(work_)).ruleColor(selected_));
    ruleDiagramView_->showItem(work_);
}

void RuledLinesDialog::applyGroup(int button) {
    applyRuleGroup(work_, button);
    showEntry();
    ruleDiagramView_->showItem(work_);
}

} // namespace tobirae
