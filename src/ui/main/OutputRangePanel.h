// The frame "出力範囲": the year list 1950..2049 and the twelve month buttons.
#pragma once

#include <QGroupBox>
#include <array>

class QComboBox;
class QPushButton;

namespace tobirae {

class OutputRangePanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit OutputRangePanel(QWidget* parent = nullptr);

    int year() const;
    int month() const { return monthIndex_ + 1; } // 1..12
    // Selects without announcing (start-up).
    void setOutputMonth(int year, int month);
    // While initialising, clicks on the year list and month buttons change nothing.
    void setInitialising(bool on) { initialising_ = on; }

    QComboBox* yearList() const { return yearList_; }
    QPushButton* monthButton(int index) const {
        return monthButton_.at(static_cast<std::size_t>(index));
    }

signals:
    void outputMonthChanged(int year, int month);

private:
    void monthClicked(int index);
    void yearChosen(int index);
    void showSelectedLook(int index, bool selected);

    QComboBox* yearList_;
    std::array<QPushButton*, 12> monthButton_{};
    int monthIndex_ = 0;
    int yearIndex_ = 0;
    bool initialising_ = false;
};

} // namespace tobirae
