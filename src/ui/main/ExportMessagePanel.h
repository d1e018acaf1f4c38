// The small panel that tells how an export is getting on: a text line and a progress bar, shown
// centred over the main window while the export runs; exports of several pages add a cancel
// button.
#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tobirae {

class ExportMessagePanel final : public QFrame {
    Q_OBJECT
public:
    explicit ExportMessagePanel(QWidget* parent);

    void start(int steps, bool cancellable = false);
    void setStep(const QString& text, int value);
    void finish();

    QString text() const;
    int value() const;
    int maximum() const;
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QLabel* messageLabel_;
    QProgressBar* exportProgress_;
    QPushButton* cancelButton_;
};

} // namespace tobirae
