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
    sizeCombo_ = new QComboBox(sizeFrame);
    sizeCombo_->setObjectName(QStringLiteral("sizeCombo"));
    for (const PaperPreset& preset : paperPresets())
        sizeCombo_->addItem(preset.caption);
    auto* sizeGrid = new QGridLayout;
    const std::array<QString, 2> captions{QStringLiteral("縦："), QStringLiteral("横：")};
    for (int i = 0; i < 2; ++i) {
        sizeLabel_[i] = new QLabel(captions[i], sizeFrame);
        sizeEdit_[i] = new QLineEdit(sizeFrame);
        sizeEdit_[i]->setObjectName(QStringLiteral("sizeEdit%1").arg(i));
        unitLabel_[i] = new QLabel(QStringLiteral("㎜"), sizeFrame);
        sizeGrid->addWidget(sizeLabel_[i], i, 0);
        sizeGrid->addWidget(sizeEdit_[i], i, 1);
        sizeGrid->addWidget(unitLabel_[i], i, 2);
    }
    auto* hint = new QLabel(QStringLiteral("用紙サイズは50㎜以上を指定して下さい。\n"
                                           "用紙サイズが大きい場合は処理速度が遅くなります。\n"
                                           "用紙サイズが大きくて、動作しない環境の場合は"
                                           "用紙サイズを小さくしてください。"),
                            sizeFrame);
    hint->setWordWrap(true);
    auto* sizeLayout = new QVBoxLayout(sizeFrame);
    sizeLayout->addWidget(sizeCombo_);
    sizeLayout->addLayout(sizeGrid);
    sizeLayout->addWidget(hint);

    auto* dpiFrame = new QGroupBox(QStringLiteral("解像度"), this);
    dpiCombo_ = new QComboBox(dpiFrame);
    dpiCombo_->setObjectName(QStringLiteral("dpiCombo"));
    for (std::int32_t i = 0; i < kScreenResolutionIndex; ++i)
        dpiCombo_->addItem(QString::number(resolutionIndexToDpi(i, screenDpi)));
    dpiCombo_->addItem(QStringLiteral(" 画面解像度"));
    auto* dpiLayout = new QHBoxLayout(dpiFrame);
    dpiLayout->addWidget(dpiCombo_);
    dpiLayout->addWidget(new QLabel(QStringLiteral("DPI"), dpiFrame));
    dpiLayout->addStretch();

    orientationGroup_ = new QGroupBox(QStringLiteral("用紙方向"), this);
    orientationChoice_[0] = new QRadioButton(QStringLiteral("縦"), orientationGroup_);
    orientationChoice_[1] = new QRadioButton(QStringLiteral("横"), orientationGroup_);
    orientationChoice_[0]->setObjectName(QStringLiteral("orientationChoice0"));
    orientationChoice_[1]->setObjectName(QStringLiteral("orientationChoice1"));
    auto* orientationLayout = new QHBoxLayout(orientationGroup_);
    orientationLayout->addWidget(orientationChoice_[0]);
    orientationLayout->addWidget(orientationChoice_[1]);
    orientationLayout->addStretch();

    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PageSizeDialog::acceptEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeFrame);
    layout->addWidget(dpiFrame);
    layout->addWidget(orientationGroup_);
    layout->addWidget(buttons);

    sizeCombo_->setCurrentIndex(paperPresetIndex(values_));
    dpiCombo_->setCurrentIndex(std::clamp(values_.ResolutionIndex, 0, kScreenResolutionIndex));
    sizeEdit_[0]->setText(millimetreText(values_.PaperHeight));
    sizeEdit_[1]->setText(millimetreText(values_.PaperWidth));
    orientationChoice_[values_.Portrait ? 0 : 1]->setChecked(true);
    paperChosen(sizeCombo_->currentIndex());
    connect(sizeCombo_, &QComboBox::currentIndexChanged, this, &PageSizeDialog::paperChosen);
    connect(orientationChoice_[0], &QRadioButton::toggled, this,
            [this] { paperChosen(sizeCombo_->currentIndex()); });
}

const PaperPreset& PageSizeDialog::chosenPaper() const {
    return paperPresets()[static_cast<std::size_t>(
        std::clamp(sizeCombo_->currentIndex(), 0, static_cast<int>(paperPresets().size()) - 1))];
}

void PageSizeDialog::paperChosen(int) {
    const PaperPreset& paper = chosenPaper();
    const bool userSize = paper.isUserSize();
    for (int i = 0; i < 2; ++i) {
        sizeEdit_[i]->setEnabled(userSize);
        sizeLabel_[i]->setEnabled(userSize);
        unitLabel_[i]->setEnabled(userSize);
    }
    orientationGroup_->setEnabled(!userSize);
    // A named paper shows its sides as oriented; the user's own size starts from them.
    if (!userSize) {
        const bool portrait = orientationChoice_[0]->isChecked();
        sizeEdit_[0]->setText(millimetreText(portrait ? paper.longMm : paper.shortMm));
        sizeEdit_[1]->setText(millimetreText(portrait ? paper.shortMm : paper.longMm));
    }
}

void PageSizeDialog::acceptEntries() {
    PageSizeEntries entries;
    entries.paperIndex = chosenPaper().isA4 ? 0 : 1;
    entries.heightText = sizeEdit_[0]->text();
    entries.widthText = sizeEdit_[1]->text();
    entries.resolutionIndex = dpiCombo_->currentIndex();
    entries.portrait = orientationChoice_[0]->isChecked();
    values_ = applyPageSizeEntries(values_, entries, screenDpi_);
    accept();
}

} // namespace tobirae
