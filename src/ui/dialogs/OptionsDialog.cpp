#include "ui/dialogs/OptionsDialog.h"

#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace tobirae {

OptionsDialog::OptionsDialog(const OptionValues& values, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), values_(values), prompts_(prompts), swatchColor_(values.pageBackColor) {
    setWindowTitle(QStringLiteral("オプション"));

    auto* backRow = new QHBoxLayout;
    backColourSwatch_ = new QFrame(this);
    backColourSwatch_->setObjectName(QStringLiteral("backColourSwatch0"));
    backColourSwatch_->setFixedSize(48, 24);
    backColourSwatch_->setAutoFillBackground(true);
    backColourSwatch_->setFrameShape(QFrame::Box);
    auto* backButton = new QPushButton(QStringLiteral("背景色"), this);
    backButton->setObjectName(QStringLiteral("backColourButton"));
    connect(backButton, &QPushButton::clicked, this, &OptionsDialog::chooseBackColor);
    backRow->addWidget(backColourSwatch_);
    backRow->addWidget(backButton);
    backRow->addStretch();

    auto* lineFrame = new QGroupBox(QStringLiteral("編集ライン表示設定"), this);
    auto* lineLayout = new QGridLayout(lineFrame);
    const std::array<QString, 4> lineCaptions{
        QStringLiteral("X座標用のラインを表示する"), QStringLiteral("左右対称に移動する"),
        QStringLiteral("Y座標用のラインを表示する"), QStringLiteral("上下対称に移動する")};
    for (int i = 0; i < 2; ++i) {
        verticalEditLineCheck_[i] = new QCheckBox(lineCaptions[i], lineFrame);
        verticalEditLineCheck_[i]->setObjectName(QStringLiteral("verticalEditLineCheck%1").arg(i));
        horizontalEditLineCheck_[i] = new QCheckBox(lineCaptions[2 + i], lineFrame);
        horizontalEditLineCheck_[i]->setObjectName(QStringLiteral("horizontalEditLineCheck%1").arg(i));
        lineLayout->addWidget(verticalEditLineCheck_[i], i, 0);
        lineLayout->addWidget(horizontalEditLineCheck_[i], i, 1);
    }

    auto* gridFrame = new QGroupBox(QStringLiteral("グリッドの設定"), this);
    auto* gridLayout = new QVBoxLayout(gridFrame);
    gridTabs_ = new QTabBar(gridFrame);
    gridTabs_->setObjectName(QStringLiteral("gridTabs"));
    gridTabs_->addTab(QStringLiteral("メイン画面"));
    gridTabs_->addTab(QStringLiteral("日付設定画面"));
    gridLayout->addWidget(gridTabs_);
    for (int g = 0; g < 2; ++g) {
        gridGroup_[g] = new QWidget(gridFrame);
        auto* layout = new QGridLayout(gridGroup_[g]);
        const int a = 2 * g;
        gridCheck_[a] = new QCheckBox(QStringLiteral("グリッドの表示"), gridGroup_[g]);
        gridCheck_[a + 1] = new QCheckBox(QStringLiteral("グリッドに合わせる"), gridGroup_[g]);
        layout->addWidget(gridCheck_[a], 0, 0, 1, 3);
        layout->addWidget(gridCheck_[a + 1], 1, 0, 1, 3);
        const std::array<QString, 2> spacingCaptions{QStringLiteral("幅"), QStringLiteral("高さ")};
        for (int i = 0; i < 2; ++i) {
            gridCheck_[a + i]->setObjectName(QStringLiteral("gridCheck%1").arg(a + i));
            gridEdit_[a + i] = new QLineEdit(gridGroup_[g]);
            gridEdit_[a + i]->setObjectName(QStringLiteral("gridEdit%1").arg(a + i));
            layout->addWidget(new QLabel(spacingCaptions[i], gridGroup_[g]), 2 + i, 0);
            layout->addWidget(gridEdit_[a + i], 2 + i, 1);
            layout->addWidget(new QLabel(QStringLiteral("twip (24～1188)"), gridGroup_[g]), 2 + i, 2);
            auto* millimetres = new QLabel(gridGroup_[g]);
            millimetres->setObjectName(QStringLiteral("gridMmLabel%1").arg(a + i));
            millimetres->setMinimumWidth(
                millimetres->fontMetrics().horizontalAdvance(QStringLiteral("= 00.00 mm")));
            layout->addWidget(millimetres, 2 + i, 3);
            connect(gridEdit_[a + i], &QLineEdit::textChanged, millimetres,
                    [millimetres](const QString& text) {
                        millimetres->setText(gridSpacingMillimetres(text));
                    });
        }
        gridLayout->addWidget(gridGroup_[g]);
        const GridValues& grid = values_.grids[g];
        gridCheck_[a]->setChecked(grid.shown);
        gridCheck_[a + 1]->setChecked(grid.snap);
        gridEdit_[a]->setText(QString::number(grid.spacingX));
        gridEdit_[a + 1]->setText(QString::number(grid.spacingY));
        connect(gridCheck_[a], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);
    }
    gridGroup_[1]->hide();
    connect(gridTabs_, &QTabBar::currentChanged, this, [this](int index) {
        gridGroup_[index == 0 ? 1 : 0]->hide();
        gridGroup_[index == 0 ? 0 : 1]->show();
    });

    verticalEditLineCheck_[0]->setChecked(values_.vBarShown);
    verticalEditLineCheck_[1]->setChecked(values_.vBarSymmetric);
    horizontalEditLineCheck_[0]->setChecked(values_.hBarShown);
    horizontalEditLineCheck_[1]->setChecked(values_.hBarSymmetric);
    connect(verticalEditLineCheck_[0], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);
    connect(horizontalEditLineCheck_[0], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);

    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::acceptEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(backRow);
    layout->addWidget(lineFrame);
    layout->addWidget(gridFrame);
    layout->addWidget(buttons);

    showSwatch();
    updateEnabled();
}

void OptionsDialog::showSwatch() {
    QPalette palette = backColourSwatch_->palette();
    palette.setColor(QPalette::Window, qColorFromBgr(swatchColor_));
    backColourSwatch_->setPalette(palette);
}

void OptionsDialog::chooseBackColor() {
    if (const auto chosen = prompts_.pickColour(qColorFromBgr(swatchColor_), colourPickerTitle())) {
        swatchColor_ = bgrFromQColor(*chosen);
        showSwatch();
    }
}

void OptionsDialog::updateEnabled() {
    verticalEditLineCheck_[1]->setEnabled(verticalEditLineCheck_[0]->isChecked());
    horizontalEditLineCheck_[1]->setEnabled(horizontalEditLineCheck_[0]->isChecked());
    for (int g = 0; g < 2; ++g) {
        const bool shown = gridCheck_[2 * g]->isChecked();
        gridCheck_[2 * g + 1]->setEnabled(shown);
        gridEdit_[2 * g]->setEnabled(shown);
        gridEdit_[2 * g + 1]->setEnabled(shown);
    }
}

void OptionsDialog::acceptEntries() {
    values_.pageBackColor = swatchColor_;
    values_.vBarShown = verticalEditLineCheck_[0]->isChecked();
    values_.vBarSymmetric = verticalEditLineCheck_[1]->isChecked();
    values_.hBarShown = horizontalEditLineCheck_[0]->isChecked();
    values_.hBarSymmetric = horizontalEditLineCheck_[1]->isChecked();
    const auto spacings = gridSpacingsFromTexts(
        {gridEdit_[0]->text(), gridEdit_[1]->text(), gridEdit_[2]->text(), gridEdit_[3]->text()});
    for (int g = 0; g < 2; ++g) {
        GridValues& grid = values_.grids[g];
        grid.spacingX = spacings[2 * g];
        grid.spacingY = spacings[2 * g + 1];
        grid.shown = gridCheck_[2 * g]->isChecked();
        grid.snap = gridCheck_[2 * g + 1]->isChecked();
    }
    accept();
}

} // namespace tobirae
