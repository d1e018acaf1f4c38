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
    Pic_BackColor = new QFrame(this);
    Pic_BackColor->setObjectName(QStringLiteral("Pic_BackColor0"));
    Pic_BackColor->setFixedSize(48, 24);
    Pic_BackColor->setAutoFillBackground(true);
    Pic_BackColor->setFrameShape(QFrame::Box);
    auto* backButton = new QPushButton(QStringLiteral("背景色"), this);
    backButton->setObjectName(QStringLiteral("Cmd_BackColor"));
    connect(backButton, &QPushButton::clicked, this, &OptionsDialog::chooseBackColor);
    backRow->addWidget(Pic_BackColor);
    backRow->addWidget(backButton);
    backRow->addStretch();

    auto* lineFrame = new QGroupBox(QStringLiteral("編集ライン表示設定"), this);
    auto* lineLayout = new QGridLayout(lineFrame);
    const std::array<QString, 4> lineCaptions{
        QStringLiteral("X座標用のラインを表示する"), QStringLiteral("左右対称に移動する"),
        QStringLiteral("Y座標用のラインを表示する"), QStringLiteral("上下対称に移動する")};
    for (int i = 0; i < 2; ++i) {
        Chk_StateLineX[i] = new QCheckBox(lineCaptions[i], lineFrame);
        Chk_StateLineX[i]->setObjectName(QStringLiteral("Chk_StateLineX%1").arg(i));
        Chk_StateLineY[i] = new QCheckBox(lineCaptions[2 + i], lineFrame);
        Chk_StateLineY[i]->setObjectName(QStringLiteral("Chk_StateLineY%1").arg(i));
        lineLayout->addWidget(Chk_StateLineX[i], i, 0);
        lineLayout->addWidget(Chk_StateLineY[i], i, 1);
    }

    auto* gridFrame = new QGroupBox(QStringLiteral("グリッドの設定"), this);
    auto* gridLayout = new QVBoxLayout(gridFrame);
    Tab_Grid = new QTabBar(gridFrame);
    Tab_Grid->setObjectName(QStringLiteral("Tab_Grid"));
    Tab_Grid->addTab(QStringLiteral("メイン画面"));
    Tab_Grid->addTab(QStringLiteral("日付設定画面"));
    gridLayout->addWidget(Tab_Grid);
    for (int g = 0; g < 2; ++g) {
        Fra_Grid[g] = new QWidget(gridFrame);
        auto* layout = new QGridLayout(Fra_Grid[g]);
        const int a = 2 * g;
        Chk_Grid[a] = new QCheckBox(QStringLiteral("グリッドの表示"), Fra_Grid[g]);
        Chk_Grid[a + 1] = new QCheckBox(QStringLiteral("グリッドに合わせる"), Fra_Grid[g]);
        layout->addWidget(Chk_Grid[a], 0, 0, 1, 3);
        layout->addWidget(Chk_Grid[a + 1], 1, 0, 1, 3);
        const std::array<QString, 2> spacingCaptions{QStringLiteral("幅"), QStringLiteral("高さ")};
        for (int i = 0; i < 2; ++i) {
            Chk_Grid[a + i]->setObjectName(QStringLiteral("Chk_Grid%1").arg(a + i));
            Txt_Grid[a + i] = new QLineEdit(Fra_Grid[g]);
            Txt_Grid[a + i]->setObjectName(QStringLiteral("Txt_Grid%1").arg(a + i));
            layout->addWidget(new QLabel(spacingCaptions[i], Fra_Grid[g]), 2 + i, 0);
            layout->addWidget(Txt_Grid[a + i], 2 + i, 1);
            layout->addWidget(new QLabel(QStringLiteral("twip (24～1188)"), Fra_Grid[g]), 2 + i, 2);
            auto* millimetres = new QLabel(Fra_Grid[g]);
            millimetres->setObjectName(QStringLiteral("Lbl_GridMm%1").arg(a + i));
            millimetres->setMinimumWidth(
                millimetres->fontMetrics().horizontalAdvance(QStringLiteral("= 00.00 mm")));
            layout->addWidget(millimetres, 2 + i, 3);
            connect(Txt_Grid[a + i], &QLineEdit::textChanged, millimetres,
                    [millimetres](const QString& text) {
                        millimetres->setText(gridSpacingMillimetres(text));
                    });
        }
        gridLayout->addWidget(Fra_Grid[g]);
        const GridValues& grid = values_.grids[g];
        Chk_Grid[a]->setChecked(grid.shown);
        Chk_Grid[a + 1]->setChecked(grid.snap);
        Txt_Grid[a]->setText(QString::number(grid.spacingX));
        Txt_Grid[a + 1]->setText(QString::number(grid.spacingY));
        connect(Chk_Grid[a], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);
    }
    Fra_Grid[1]->hide();
    connect(Tab_Grid, &QTabBar::currentChanged, this, [this](int index) {
        Fra_Grid[index == 0 ? 1 : 0]->hide();
        Fra_Grid[index == 0 ? 0 : 1]->show();
    });

    Chk_StateLineX[0]->setChecked(values_.vBarShown);
    Chk_StateLineX[1]->setChecked(values_.vBarSymmetric);
    Chk_StateLineY[0]->setChecked(values_.hBarShown);
    Chk_StateLineY[1]->setChecked(values_.hBarSymmetric);
    connect(Chk_StateLineX[0], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);
    connect(Chk_StateLineY[0], &QCheckBox::toggled, this, &OptionsDialog::updateEnabled);

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
    QPalette palette = Pic_BackColor->palette();
    palette.setColor(QPalette::Window, qColorFromBgr(swatchColor_));
    Pic_BackColor->setPalette(palette);
}

void OptionsDialog::chooseBackColor() {
    if (const auto chosen = prompts_.pickColour(qColorFromBgr(swatchColor_), colourPickerTitle())) {
        swatchColor_ = bgrFromQColor(*chosen);
        showSwatch();
    }
}

void OptionsDialog::updateEnabled() {
    Chk_StateLineX[1]->setEnabled(Chk_StateLineX[0]->isChecked());
    Chk_StateLineY[1]->setEnabled(Chk_StateLineY[0]->isChecked());
    for (int g = 0; g < 2; ++g) {
        const bool shown = Chk_Grid[2 * g]->isChecked();
        Chk_Grid[2 * g + 1]->setEnabled(shown);
        Txt_Grid[2 * g]->setEnabled(shown);
        Txt_Grid[2 * g + 1]->setEnabled(shown);
    }
}

void OptionsDialog::acceptEntries() {
    values_.pageBackColor = swatchColor_;
    values_.vBarShown = Chk_StateLineX[0]->isChecked();
    values_.vBarSymmetric = Chk_StateLineX[1]->isChecked();
    values_.hBarShown = Chk_StateLineY[0]->isChecked();
    values_.hBarSymmetric = Chk_StateLineY[1]->isChecked();
    const auto spacings = gridSpacingsFromTexts(
        {Txt_Grid[0]->text(), Txt_Grid[1]->text(), Txt_Grid[2]->text(), Txt_Grid[3]->text()});
    for (int g = 0; g < 2; ++g) {
        GridValues& grid = values_.grids[g];
        grid.spacingX = spacings[2 * g];
        grid.spacingY = spacings[2 * g + 1];
        grid.shown = Chk_Grid[2 * g]->isChecked();
        grid.snap = Chk_Grid[2 * g + 1]->isChecked();
    }
    accept();
}

} // namespace tobirae
