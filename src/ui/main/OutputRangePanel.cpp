#include "ui/main/OutputRangePanel.h"

#include "app/EditorStartup.h"
#include "ui/dialogs/DialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

OutputRangePanel::OutputRangePanel(QWidget* parent)
    : QGroupBox(QStringLiteral("出力範囲"), parent) {
    yearList_ = new LongChoiceList(this);
    yearList_->setObjectName(QStringLiteral("yearList"));
    for (int year = kFirstOutputYear; year <= kLastOutputYear; ++year)
        yearList_->addItem(QString::number(year));
    connect(yearList_, &QComboBox::currentIndexChanged, this, &OutputRangePanel::yearChosen);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < 12; ++i) {
        auto* button = new QPushButton(QStringLiteral("%1月").arg(i + 1), this);
        button->setObjectName(QStringLiteral("monthButton%1").arg(i));
        button->setCheckable(true);
        button->setAutoFillBackground(true);
        button->setMinimumWidth(44);
        connect(button, &QPushButton::clicked, this, [this, i] { monthClicked(i); });
        monthButton_[static_cast<std::size_t>(i)] = button;
        grid->addWidget(button, i / 4, i % 4);
        showSelectedLook(i, false);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(yearList_);
    layout->addLayout(grid);
}

void OutputRangePanel::showOutputMonth(int year, int month) {
    yearIndex_ = std::clamp(year, kFirstOutputYear, kLastOutputYear) - kFirstOutputYear;
    {
        const QSignalBlocker block(yearList_);
        yearList_->setCurrentIndex(yearIndex_);
    }
    showSelectedLook(monthIndex_, false);
    monthIndex_ = std::clamp(month, 1, 12) - 1;
    showSelectedLook(monthIndex_, true);
}

void OutputRangePanel::showSelectedLook(int index, bool selected) {
    QPushButton* button = monthButton_[static_cast<std::size_t>(index)];
    QFont font = button->font();
    font.setBold(selected);
    font.setPointSize(selected ? 12 : 10);
    button->setFont(font);
    button->setChecked(selected);
    // The chosen month stands out in light green; the others keep the button face.
    button->setStyleSheet(selected ? QStringLiteral("QPushButton { background-color: #C0FFC0; }")
                                   : QString());
}

void OutputRangePanel::monthClicked(int index) {
    // The look follows once the document has taken the month.
    showSelectedLook(index, index == monthIndex_);
    emit outputMonthRequested(kFirstOutputYear + yearIndex_, index + 1);
}

void OutputRangePanel::yearChosen(int index) {
    if (index < 0)
        return;
    emit outputMonthRequested(kFirstOutputYear + index, monthIndex_ + 1);
}

} // namespace tobirae
