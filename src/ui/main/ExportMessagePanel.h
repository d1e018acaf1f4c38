// The small panel that tells how an export is getting on: a text line and a progress bar, shown
// centred over the main window while the export runs.
#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;

namespace tobirae {

class ExportMessagePanel final : public QFrame {
    Q_OBJECT
public:
    explicit ExportMessagePanel(QWidget* parent);

    void start(int steps);
    void setStep(const QString& text, int value);
    void finish();

    QString text() const;
    int value() const;
    int maximum() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QLabel* Lbl_Message;
    QProgressBar* Prg_Export;
};

} // namespace tobirae
