// The small dialog of the page commands that cover several months ("PDF出力...", "印刷...",
// "印刷プレビュー...", "一括出力..."): from year/month to year/month (1950-01 to 2049-12), and
// for "一括出力..." the file format. OK is enabled only while the range runs forward.
#pragma once

#include <QDialog>
#include <array>
#include <chrono>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace tobirae {

enum class PageFileFormat { Bmp, Png, Pdf };

struct MonthRangeChoice {
    std::chrono::year_month from;
    std::chrono::year_month to;
    PageFileFormat format = PageFileFormat::Pdf;
};

struct AppSettings;

// What the dialog starts from: the range and format chosen last, kept in the settings; the first
// time, the output month to eleven months later, as BMP, or the output month alone for a layout
// whose one page shows a whole year (`pageShowsAYear`).
MonthRangeChoice initialMonthRange(const AppSettings& settings, std::chrono::year_month output,
                                   bool pageShowsAYear = false);
// Keeps a confirmed choice for the next time; the format only when the dialog offered one.
void rememberMonthRange(AppSettings& settings, const MonthRangeChoice& choice, bool withFormat);

class MonthRangeDialog final : public QDialog {
    Q_OBJECT
public:
    // The range and format start as `initial`; withFormat adds the format choice.
    MonthRangeDialog(const QString& title, const MonthRangeChoice& initial, bool withFormat,
                     QWidget* parent = nullptr);

    MonthRangeChoice choice() const;
    void setRange(std::chrono::year_month from, std::chrono::year_month to);

    QPushButton* okButton() const { return okButton_; }

private:
    void rangeChanged();

    QComboBox* fromYearCombo_;
    QComboBox* fromMonthCombo_;
    QComboBox* toYearCombo_;
    QComboBox* toMonthCombo_;
    std::array<QRadioButton*, 3> formatChoice_{};
    QPushButton* okButton_ = nullptr;
};

} // namespace tobirae
