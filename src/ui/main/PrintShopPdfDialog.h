// "入稿用PDF出力...": the month range, bleed, crop marks and PDF/X of a print-shop PDF in one
// dialog, with the preflight shown before writing and the progress, cancel and result of the
// output itself.
#pragma once

#include "render/PageExport.h"
#include "render/Preflight.h"
#include "render/PrintShopOptions.h"

#include <QDialog>
#include <atomic>
#include <chrono>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tobirae {

struct AppSettings;
class UserPrompts;

struct PrintShopChoice {
    std::chrono::year_month from;
    std::chrono::year_month to;
    PrintShopOptions shop;
};

// What the dialog starts from: the remembered range and print-shop settings.
PrintShopChoice initialPrintShopChoice(const AppSettings& settings, std::chrono::year_month output);
// Keeps the choice for the next time (range shared with the other range commands).
void rememberPrintShopChoice(AppSettings& settings, const PrintShopChoice& choice);

class PrintShopPdfDialog final : public QDialog {
    Q_OBJECT
public:
    PrintShopPdfDialog(PageJob job, const PrintShopChoice& initial, QString proposedPath,
                       UserPrompts& prompts, QWidget* parent = nullptr);

    PrintShopChoice choice() const;
    // Asks for the file and writes it; true when it was written.
    bool writeFile();
    QString writtenPath() const { return writtenPath_; }

    QListWidget* preflightList() const { return preflightList_; }
    QPushButton* writeButton() const { return writeButton_; }

    // While writing: cancels the output instead of closing.
    void reject() override;

private:
    void refresh();
    void chooseProfile();
    void setRunning(bool running);

    PageJob job_;
    QString proposedPath_;
    UserPrompts& prompts_;
    QComboBox* fromYear_;
    QComboBox* fromMonth_;
    QComboBox* toYear_;
    QComboBox* toMonth_;
    QDoubleSpinBox* bleed_;
    QCheckBox* marks_;
    QCheckBox* pdfx_;
    QRadioButton* ownProfile_;
    QRadioButton* fileProfile_;
    QLineEdit* profilePath_;
    QPushButton* browse_;
    QListWidget* preflightList_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* writeButton_;
    QPushButton* closeButton_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    QString writtenPath_;
    QString preflightKey_; // what the list was made for
};

} // namespace tobirae
