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

    Cmb_LineNo = new QComboBox(this);
    Cmb_LineNo->setObjectName(QStringLiteral("Cmb_LineNo"));
    Chk_Line = new QCheckBox(QStringLiteral("描画する"), this);
    Chk_Line->setObjectName(QStringLiteral("Chk_Line"));
    Text1 = new QLineEdit(QStringLiteral("1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setValidator(new RuleWidthValidator(Text1));
    Text1->setMaximumWidth(40);
    Pic_Color = new ColourSwatch(QStringLiteral("Pic_Color"), this);
    Cmd_Color = new QPushButton(QStringLiteral("色"), this);
    Cmd_Color->setObjectName(QStringLiteral("Cmd_Color"));
    Pic_Diagram = new RuleDiagram(this);

    auto* entryRow = new QGridLayout;
    entryRow->addWidget(new QLabel(QStringLiteral("罫線番号"), this), 0, 0);
    entryRow->addWidget(Cmb_LineNo, 0, 1);
    entryRow->addWidget(Chk_Line, 0, 2);
    entryRow->addWidget(new QLabel(QStringLiteral("太さ"), this), 1, 0);
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(Text1);
    widthRow->addWidget(new QLabel(QStringLiteral("(1～9)"), this));
    widthRow->addStretch();
    entryRow->addLayout(widthRow, 1, 1);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(Pic_Color);
    colourRow->addWidget(Cmd_Color);
    entryRow->addLayout(colourRow, 1, 2);

    auto* groups = new QGridLayout;
    const QStringList captions = ruleGroupCaptions(ruleFamily(work_));
    for (int b = 0; b < 8; ++b) {
        auto* button = new QPushButton(captions.value(b), this);
        button->setObjectName(QStringLiteral("Cmd_PrintSet_%1").arg(b));
        button->setVisible(b < captions.size());
        button->setEnabled(b < captions.size());
        groups->addWidget(button, b / 2, b % 2);
        Cmd_PrintSet[static_cast<std::size_t>(b)] = button;
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
    layout->addWidget(Pic_Diagram);
    layout->addLayout(side);

    for (int e = 0; e < ruleLineCount(work_); ++e)
        Cmb_LineNo->addItem(ruleNumberLabel(e), e);
    Pic_Diagram->showItem(work_);
    select(0);

    connect(Cmb_LineNo, &QComboBox::activated, this, [this](int index) { select(index); });
    connect(Pic_Diagram, &RuleDiagram::entryClicked, this, &RuledLinesDialog::select);
    connect(Pic_Diagram, &RuleDiagram::entryDoubleClicked, this, [this](int entry) {
        select(entry);
        Chk_Line->click();
    });
    connect(Chk_Line, &QCheckBox::clicked, this, &RuledLinesDialog::setOn);
    // Only what the user types is a width: showing an entry's width never stores one.
    connect(Text1, &QLineEdit::textEdited, this, &RuledLinesDialog::widthEdited);
    connect(Cmd_Color, &QPushButton::clicked, this, &RuledLinesDialog::pickColour);
}

void RuledLinesDialog::select(int entry) {
    if (entry < 0 || entry >= ruleLineCount(work_))
        return;
    selected_ = entry;
    showEntry();
}

void RuledLinesDialog::showEntry() {
    const RuleBlockReader rules = ruleBlock(std::as_const(work_));
    Cmb_LineNo->setCurrentIndex(selected_);
    Chk_Line->setChecked(rules.ruleOn(selected_));
    Text1->setText(ruleWidthText(rules.ruleWidth(selected_)));
    Pic_Color->setColour(rules.ruleColor(selected_));
    Pic_Diagram->setSelected(selected_);
}

void RuledLinesDialog::setOn(bool on) {
    ruleBlock(work_).setRuleOn(selected_, on);
    Pic_Diagram->showItem(work_);
}

void RuledLinesDialog::widthEdited(const QString& text) {
    if (const auto width = typedRuleWidth(text))
        ruleBlock(work_).setRuleWidth(selected_, *width);
    Pic_Diagram->showItem(work_);
}

void RuledLinesDialog::pickColour() {
    const RuleBlockReader rules = ruleBlock(std::as_const(work_));
    const auto chosen =
        prompts_.pickColour(qColorFromBgr(rules.ruleColor(selected_)), colourPickerTitle());
    if (!chosen)
        return;
    ruleBlock(work_).setRuleColor(selected_, bgrFromQColor(*chosen));
    Pic_Color->setColour(ruleBlock(std::as_const(work_)).ruleColor(selected_));
    Pic_Diagram->showItem(work_);
}

void RuledLinesDialog::applyGroup(int button) {
    applyRuleGroup(work_, button);
    showEntry();
    Pic_Diagram->showItem(work_);
}

} // namespace tobirae
