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
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    keepPopupShort(list);
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

MonthRangeChoice initialMonthRange(const AppSettings& settings, std::chrono::year_month output) {
    MonthRangeChoice choice{output, output + std::chrono::months(11), PageFileFormat::Bmp};
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
    Cmb_FromYear = yearList(this, "Cmb_FromYear");
    Cmb_FromMonth = monthList(this, "Cmb_FromMonth");
    Cmb_ToYear = yearList(this, "Cmb_ToYear");
    Cmb_ToMonth = monthList(this, "Cmb_ToMonth");
    range->addWidget(new QLabel(QStringLiteral("開始"), this), 0, 0);
    range->addWidget(Cmb_FromYear, 0, 1);
    range->addWidget(Cmb_FromMonth, 0, 2);
    range->addWidget(new QLabel(QStringLiteral("終了"), this), 1, 0);
    range->addWidget(Cmb_ToYear, 1, 1);
    range->addWidget(Cmb_ToMonth, 1, 2);
    layout->addLayout(range);

    if (withFormat) {
        auto* formats = new QGroupBox(QStringLiteral("形式"), this);
        auto* row = new QHBoxLayout(formats);
        const std::array<QString, 3> captions{QStringLiteral("BMP"), QStringLiteral("PNG"),
                                              QStringLiteral("PDF (1ファイル)")};
        for (std::size_t i = 0; i < captions.size(); ++i) {
            Opt_Format[i] = new QRadioButton(captions[i], formats);
            Opt_Format[i]->setObjectName(QStringLiteral("Opt_Format%1").arg(i));
            row->addWidget(Opt_Format[i]);
        }
        Opt_Format[static_cast<std::size_t>(std::clamp(static_cast<int>(initial.format), 0, 2))]
            ->setChecked(true);
        layout->addWidget(formats);
    }

    QDialogButtonBox* buttons =
        okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    Cmd_OK = buttons->findChild<QPushButton*>(QStringLiteral("Cmd_OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    setRange(initial.from, initial.to);
    for (QComboBox* list : {Cmb_FromYear, Cmb_FromMonth, Cmb_ToYear, Cmb_ToMonth})
        connect(list, &QComboBox::currentIndexChanged, this, &MonthRangeDialog::rangeChanged);
}

void MonthRangeDialog::setRange(std::chrono::year_month from, std::chrono::year_month to) {
    select(Cmb_FromYear, Cmb_FromMonth, from);
    select(Cmb_ToYear, Cmb_ToMonth, to);
    rangeChanged();
}

MonthRangeChoice MonthRangeDialog::choice() const {
    MonthRangeChoice c{chosen(Cmb_FromYear, Cmb_FromMonth), chosen(Cmb_ToYear, Cmb_ToMonth),
                       PageFileFormat::Pdf};
    if (Opt_Format[0])
        c.format = Opt_Format[0]->isChecked()   ? PageFileFormat::Bmp
                   : Opt_Format[1]->isChecked() ? PageFileFormat::Png
                                                : PageFileFormat::Pdf;
    return c;
}

void MonthRangeDialog::rangeChanged() {
    const MonthRangeChoice c = choice();
    if (Cmd_OK)
        Cmd_OK->setEnabled(c.from <= c.to);
}

} // namespace tobirae
