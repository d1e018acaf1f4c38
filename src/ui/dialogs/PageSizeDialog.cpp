#include "ui/dialogs/PageSizeDialog.h"

#include "document/ResolutionTable.h"
#include "ui/dialogs/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

namespace {

QString millimetreText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace

PageSizeDialog::PageSizeDialog(const PageValues& values, std::int32_t screenDpi, QWidget* parent)
    : QDialog(parent), values_(values), screenDpi_(screenDpi) {
    setWindowTitle(QStringLiteral("用紙サイズ変更"));

    auto* sizeFrame = new QGroupBox(QStringLiteral("用紙サイズ"), this);
    Cmb_Size = new QComboBox(sizeFrame);
    Cmb_Size->setObjectName(QStringLiteral("Cmb_Size"));
    for (const PaperPreset& preset : paperPresets())
        Cmb_Size->addItem(preset.caption);
    auto* sizeGrid = new QGridLayout;
    const std::array<QString, 2> captions{QStringLiteral("縦："), QStringLiteral("横：")};
    for (int i = 0; i < 2; ++i) {
        Lbl_Size[i] = new QLabel(captions[i], sizeFrame);
        Txt_Size[i] = new QLineEdit(sizeFrame);
        Txt_Size[i]->setObjectName(QStringLiteral("Txt_Size%1").arg(i));
        Lbl_Unit[i] = new QLabel(QStringLiteral("㎜"), sizeFrame);
        sizeGrid->addWidget(Lbl_Size[i], i, 0);
        sizeGrid->addWidget(Txt_Size[i], i, 1);
        sizeGrid->addWidget(Lbl_Unit[i], i, 2);
    }
    auto* hint = new QLabel(QStringLiteral("用紙サイズは50㎜以上を指定して下さい。\n"
                                           "用紙サイズが大きい場合は処理速度が遅くなります。\n"
                                           "用紙サイズが大きくて、動作しない環境の場合は"
                                           "用紙サイズを小さくしてください。"),
                            sizeFrame);
    hint->setWordWrap(true);
    auto* sizeLayout = new QVBoxLayout(sizeFrame);
    sizeLayout->addWidget(Cmb_Size);
    sizeLayout->addLayout(sizeGrid);
    sizeLayout->addWidget(hint);

    auto* dpiFrame = new QGroupBox(QStringLiteral("解像度"), this);
    Cmb_DPI = new QComboBox(dpiFrame);
    Cmb_DPI->setObjectName(QStringLiteral("Cmb_DPI"));
    for (std::int32_t i = 0; i < kScreenResolutionIndex; ++i)
        Cmb_DPI->addItem(QString::number(resolutionIndexToDpi(i, screenDpi)));
    Cmb_DPI->addItem(QStringLiteral(" 画面解像度"));
    auto* dpiLayout = new QHBoxLayout(dpiFrame);
    dpiLayout->addWidget(Cmb_DPI);
    dpiLayout->addWidget(new QLabel(QStringLiteral("DPI"), dpiFrame));
    dpiLayout->addStretch();

    Fra_Orientation = new QGroupBox(QStringLiteral("用紙方向"), this);
    Opt_Orientation[0] = new QRadioButton(QStringLiteral("縦"), Fra_Orientation);
    Opt_Orientation[1] = new QRadioButton(QStringLiteral("横"), Fra_Orientation);
    Opt_Orientation[0]->setObjectName(QStringLiteral("Opt_Orientation0"));
    Opt_Orientation[1]->setObjectName(QStringLiteral("Opt_Orientation1"));
    auto* orientationLayout = new QHBoxLayout(Fra_Orientation);
    orientationLayout->addWidget(Opt_Orientation[0]);
    orientationLayout->addWidget(Opt_Orientation[1]);
    orientationLayout->addStretch();

    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PageSizeDialog::acceptEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeFrame);
    layout->addWidget(dpiFrame);
    layout->addWidget(Fra_Orientation);
    layout->addWidget(buttons);

    Cmb_Size->setCurrentIndex(paperPresetIndex(values_));
    Cmb_DPI->setCurrentIndex(std::clamp(values_.ResolutionIndex, 0, kScreenResolutionIndex));
    Txt_Size[0]->setText(millimetreText(values_.PaperHeight));
    Txt_Size[1]->setText(millimetreText(values_.PaperWidth));
    Opt_Orientation[values_.Portrait ? 0 : 1]->setChecked(true);
    paperChosen(Cmb_Size->currentIndex());
    connect(Cmb_Size, &QComboBox::currentIndexChanged, this, &PageSizeDialog::paperChosen);
    connect(Opt_Orientation[0], &QRadioButton::toggled, this,
            [this] { paperChosen(Cmb_Size->currentIndex()); });
}

const PaperPreset& PageSizeDialog::chosenPaper() const {
    return paperPresets()[static_cast<std::size_t>(
        std::clamp(Cmb_Size->currentIndex(), 0, static_cast<int>(paperPresets().size()) - 1))];
}

void PageSizeDialog::paperChosen(int) {
    const PaperPreset& paper = chosenPaper();
    const bool userSize = paper.isUserSize();
    for (int i = 0; i < 2; ++i) {
        Txt_Size[i]->setEnabled(userSize);
        Lbl_Size[i]->setEnabled(userSize);
        Lbl_Unit[i]->setEnabled(userSize);
    }
    Fra_Orientation->setEnabled(!userSize);
    // A named paper shows its sides as oriented; the user's own size starts from them.
    if (!userSize) {
        const bool portrait = Opt_Orientation[0]->isChecked();
        Txt_Size[0]->setText(millimetreText(portrait ? paper.longMm : paper.shortMm));
        Txt_Size[1]->setText(millimetreText(portrait ? paper.shortMm : paper.longMm));
    }
}

void PageSizeDialog::acceptEntries() {
    PageSizeEntries entries;
    entries.paperIndex = chosenPaper().isA4 ? 0 : 1;
    entries.heightText = Txt_Size[0]->text();
    entries.widthText = Txt_Size[1]->text();
    entries.resolutionIndex = Cmb_DPI->currentIndex();
    entries.portrait = Opt_Orientation[0]->isChecked();
    values_ = applyPageSizeEntries(values_, entries, screenDpi_);
    accept();
}

} // namespace tobirae
