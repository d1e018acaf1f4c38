// The frame "出力範囲": the year list 1950..2049 and the twelve month buttons. It shows the
// editor document's output month and sends the user's choice as a request; the month changes
// only when the document says so.
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

    // Shows the month chosen (EditorDocument::outputMonthChanged); announces nothing.
    void showOutputMonth(int year, int month);

    QComboBox* yearList() const { return yearList_; }
    QPushButton* monthButton(int index) const {
        return monthButton_.at(static_cast<std::size_t>(index));
    }

signals:
    // The user chose another year or month.
    void outputMonthRequested(int year, int month);

private:
    void monthClicked(int index);
    void yearChosen(int index);
    void showSelectedLook(int index, bool selected);

    QComboBox* yearList_;
    std::array<QPushButton*, 12> monthButton_{};
    int monthIndex_ = 0;
    int yearIndex_ = 0;
};

} // namespace tobirae
