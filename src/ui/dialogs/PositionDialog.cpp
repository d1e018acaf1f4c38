#include "ui/dialogs/PositionDialog.h"

#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/NumericText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

BoxValues applyBoxEntries(const BoxValues& before, const std::array<QString, 4>& texts) {
    // Far beyond any page, but every number stays a finite canvas coordinate.
    const auto bounded = [](double v) {
        return static_cast<float>(std::clamp(v, -kBoxLimit, kBoxLimit));
    };
    BoxValues after = before;
    if (const auto v = numericValue(texts[0]))
        after.x = bounded(*v);
    if (const auto v = numericValue(texts[1]))
        after.y = bounded(*v);
    if (const auto v = numericValue(texts[2]); v && *v >= 1)
        after.width = bounded(*v);
    if (const auto v = numericValue(texts[3]); v && *v >= 1)
        after.height = bounded(*v);
    return after;
}

PositionDialog::PositionDialog(const BoxValues& values, QWidget* parent)
    : QDialog(parent), values_(values) {
    // Named as the menu entry that opens it.
    setWindowTitle(QStringLiteral("配置指定"));
    auto* form = new QFormLayout;
    const std::array<QString, 4> captions{QStringLiteral("X座標"), QStringLiteral("Y座標"),
                                          QStringLiteral("幅"), QStringLiteral("高さ")};
    const std::array<float, 4> shown{values.x, values.y, values.width, values.height};
    for (int i = 0; i < 4; ++i) {
        picturePathEdit_[i] = new QLineEdit(QString::number(static_cast<double>(shown[i]), 'g', 7), this);
        picturePathEdit_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        form->addRow(captions[i], picturePathEdit_[i]);
    }
    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        values_ = applyBoxEntries(
            values_, {picturePathEdit_[0]->text(), picturePathEdit_[1]->text(), picturePathEdit_[2]->text(), picturePathEdit_[3]->text()});
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace tobirae
