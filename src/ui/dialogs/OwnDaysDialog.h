// The dialog "予定・休日の設定": the layout's own days as a table of dates, names and kinds that
// can be added to, edited, sorted and deleted, read from a CSV or iCalendar file, written as
// CSV, the days files the layout links and the time zone their timed events count in.
#pragma once

#include "owndays/OwnDaysSettings.h"

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QListWidget;
class QTableWidget;

namespace tobirae {

class DaysFileCache;
class UserPrompts;

class OwnDaysDialog final : public QDialog {
    Q_OBJECT
public:
    OwnDaysDialog(const OwnDaysSettings& settings, UserPrompts& prompts, QWidget* parent = nullptr);

    // The settings after OK (exactly those passed in when nothing was changed); those passed in
    // while the dialog was not accepted.
    const OwnDaysSettings& settings() const { return settings_; }

    // The table's entries; nullopt (after saying which line is wrong) when one cannot be read.
    std::optional<std::vector<OwnDay>> entries() const;

    // The weekly days off as ticked.
    WeeklyDaysOff weeklyDaysOff() const;
    // What the dialog shows for the 年度 chosen: its working days and days off, and the notices
    // of more than 280 working days and of more than 6 working days in a row.
    QString fiscalYearSummary() const;
    void showFiscalYear(int fiscalYear);
    // The 年度 counts take in the linked files, relative paths from the layout's folder, through
    // the cache; files it holds no current reading of are read off the interface thread and the
    // counts follow when they are in.
    void countLinkedFiles(const QString& layoutFolder, std::shared_ptr<DaysFileCache> cache);
    // True while linked files are being read for the counts.
    bool readingLinkedFiles() const { return reading_.isRunning(); }

    // The buttons' work, callable from tests.
    void addRow();
    void deleteSelectedRows();
    void sortRows();
    void importFile();
    void exportFile();
    void addLinkedFile();
    void removeLinkedFile();

private:
    void setRows(const std::vector<OwnDay>& days);
    void appendRow(const OwnDay& day);
    void acceptEntries();
    void updateSummary();
    std::vector<OwnDay> readableEntries() const;
    OwnDaysSettings shownSettings() const; // entries, files and zone as the dialog shows them
    void readLinkedFiles();

    OwnDaysSettings settings_;
    UserPrompts& prompts_;
    QTableWidget* daysList_;
    QListWidget* filesList_;
    QLineEdit* timeZoneEdit_;
    std::array<QCheckBox*, 7> weeklyOffBoxes_{}; // by weekday, 0 = Sunday
    QSpinBox* fiscalYearBox_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QString layoutFolder_;
    std::shared_ptr<DaysFileCache> cache_; // none: the counts use the table alone
    QFutureWatcher<void> reading_;
    QStringList requested_; // linked paths already handed to a reading
};

} // namespace tobirae
