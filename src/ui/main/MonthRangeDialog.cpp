#include "ui/main/MonthRangeDialog.h"

#include "app/AppSettings.h"
#include "ui/dialogs/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

namespace {

constexpr int kFirstYear = 1950;
constexpr int kLastYear = 2049;

QComboBox* yearList(QWidget* parent, const char* name) {
    auto* list = new LongChoiceList(parent);
    list->setObjectName(QLatin1String(name));
    for (int year = kFirstYear; year <= kLastYear; ++year)
        list->addItem(QStringLiteral("%1年").arg(year));
    return list;
}

QComboBox* monthList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int month = 1; month <= 12; ++month)
        list->addItem(QStringLiteral("%1月").arg(month));
    return list;
}

std::chrono::year_month chosen(const QComboBox* year, const QComboBox* month) {
    return std::chrono::year(kFirstYear + year->currentIndex()) /
           std::chrono::month(static_cast<unsigned>(month->currentIndex() + 1));
}

void select(QComboBox* year, QComboBox* month, std::chrono::year_month value) {
    year->setCurrentIndex(
        std::clamp(static_cast<int>(value.year()) - kFirstYear, 0, kLastYear - kFirstYear));
    month->setCurrentIndex(static_cast<int>(static_cast<unsigned>(value.month())) - 1);
}

std::int32_t monthNumber(std::chrono::year_month value) {
    return static_cast<int>(value.year()) * 100 +
           static_cast<int>(static_cast<unsigned>(value.month()));
}

std::chrono::year_month fromMonthNumber(std::int32_t number) {
    return std::chrono::year(number / 100) /
           std::chrono::month(static_cast<unsigned>(number % 100));
}

} // namespace

MonthRangeChoice initialMonthRange(const AppSettings& settings, std::chrono::year_month output,
                                   bool pageShowsAYear) {
    MonthRangeChoice choice{output, output + std::chrono::months(pageShowsAYear ? 0 : 11),
                            PageFileFormat::Bmp};
    // The last month the lists offer is 2049-12.
    const auto last = std::chrono::year(kLastYear) / std::chrono::December;
    if (choice.to > last)
        choice.to = last;
    if (settings.LastRangeFrom && settings.LastRangeTo) {
        choice.from = fromMonthNumber(*settings.LastRangeFrom);
        choice.to = fromMonthNumber(*settings.LastRangeTo);
    }
    choice.format = static_cast<PageFileFormat>(std::clamp(settings.LastFileFormat, 0, 2));
    return choice;
}

void rememberMonthRange(AppSettings& settings, const MonthRangeChoice& choice, bool withFormat) {
    settings.LastRangeFrom = monthNumber(choice.from);
    settings.LastRangeTo = monthNumber(choice.to);
    if (withFormat)
        settings.LastFileFormat = static_cast<std::int32_t>(choice.format);
}

MonthRangeDialog::MonthRangeDialog(const QString& title, const MonthRangeChoice& initial,
                                   bool withFormat, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* range = new QGridLayout;
    fromYearCombo_ = yearList(this, "fromYearCombo");
    fromMonthCombo_ = monthList(this, "fromMonthCombo");
    toYearCombo_ = yearList(this, "toYearCombo");
    toMonthCombo_ = monthList(this, "toMonthCombo");
    range->addWidget(new QLabel(QStringLiteral("開始"), this), 0, 0);
    range->addWidget(fromYearCombo_, 0, 1);
    range->addWidget(fromMonthCombo_, 0, 2);
    range->addWidget(new QLabel(QStringLiteral("終了"), this), 1, 0);
    range->addWidget(toYearCombo_, 1, 1);
    range->addWidget(toMonthCombo_, 1, 2);
    layout->addLayout(range);

    if (withFormat) {
        auto* formats = new QGroupBox(QStringLiteral("形式"), this);
        auto* row = new QHBoxLayout(formats);
        const std::array<QString, 3> captions{QStringLiteral("BMP"), QStringLiteral("PNG"),
                                              QStringLiteral("PDF (1ファイル)")};
        for (std::size_t i = 0; i < captions.size(); ++i) {
            formatChoice_[i] = new QRadioButton(captions[i], formats);
            formatChoice_[i]->setObjectName(QStringLiteral("formatChoice%1").arg(i));
            row->addWidget(formatChoice_[i]);
        }
        formatChoice_[static_cast<std::size_t>(std::clamp(static_cast<int>(initial.format), 0, 2))]
            ->setChecked(true);
        layout->addWidget(formats);
    }

    QDialogButtonBox* buttons =
        okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    okButton_ = buttons->findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    setRange(initial.from, initial.to);
    for (QComboBox* list : {fromYearCombo_, fromMonthCombo_, toYearCombo_, toMonthCombo_})
        connect(list, &QComboBox::currentIndexChanged, this, &MonthRangeDialog::rangeChanged);
}

void MonthRangeDialog::setRange(std::chrono::year_month from, std::chrono::year_month to) {
    select(fromYearCombo_, fromMonthCombo_, from);
    select(toYearCombo_, toMonthCombo_, to);
    rangeChanged();
}

MonthRangeChoice MonthRangeDialog::choice() const {
    MonthRangeChoice c{chosen(fromYearCombo_, fromMonthCombo_), chosen(toYearCombo_, toMonthCombo_),
                       PageFileFormat::Pdf};
    if (formatChoice_[0])
        c.format = formatChoice_[0]->isChecked()   ? PageFileFormat::Bmp
                   : formatChoice_[1]->isChecked() ? PageFileFormat::Png
                                                : PageFileFormat::Pdf;
    return c;
}

void MonthRangeDialog::rangeChanged() {
    const MonthRangeChoice c = choice();
    if (okButton_)
        okButton_->setEnabled(c.from <= c.to);
}

} // namespace tobirae
