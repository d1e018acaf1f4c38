#include "ui/main/OutputRangePanel.h"

#include "app/EditorStartup.h"
#include "ui/dialogs/DialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
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

int OutputRangePanel::year() const {
    return kFirstOutputYear + yearIndex_;
}

void OutputRangePanel::setOutputMonth(int year, int month) {
    const bool wasInitialising = initialising_;
    initialising_ = true;
    yearIndex_ = std::clamp(year, kFirstOutputYear, kLastOutputYear) - kFirstOutputYear;
    yearList_->setCurrentIndex(yearIndex_);
    showSelectedLook(monthIndex_, false);
    monthIndex_ = std::clamp(month, 1, 12) - 1;
    showSelectedLook(monthIndex_, true);
    initialising_ = wasInitialising;
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
    if (initialising_) {
        // Keep the look of the month that is really chosen.
        showSelectedLook(index, index == monthIndex_);
        return;
    }
    showSelectedLook(monthIndex_, false);
    monthIndex_ = index;
    showSelectedLook(monthIndex_, true);
    emit outputMonthChanged(year(), month());
}

void OutputRangePanel::yearChosen(int index) {
    if (index < 0)
        return;
    if (initialising_) {
        if (index != yearIndex_)
            yearList_->setCurrentIndex(yearIndex_);
        return;
    }
    yearIndex_ = index;
    emit outputMonthChanged(year(), month());
}

} // namespace tobirae
