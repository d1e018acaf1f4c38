#include "ui/dialogs/OwnDaysDialog.h"

#include "calendar/DateHelpers.h"
#include "owndays/DaysFile.h"
#include "owndays/OwnDaysLoad.h"
#include "owndays/WorkingDayCount.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPromise>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimeZone>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace tobirae {

namespace {

enum Column { DateColumn = 0, NameColumn = 1, KindColumn = 2 };

// The kinds in the order of the combo boxes.
constexpr OwnDayKind kKinds[] = {OwnDayKind::DayOff, OwnDayKind::WorkingDay, OwnDayKind::Named};

const QString kDaysFilter = QStringLiteral("予定・休日ファイル (*.csv;*.ics)|*.csv;*.ics|"
                                           "CSV (*.csv)|*.csv|iCalendar (*.ics)|*.ics");

int kindIndex(OwnDayKind kind) {
    return static_cast<int>(std::find(std::begin(kKinds), std::end(kKinds), kind) -
                            std::begin(kKinds));
}

} // namespace

OwnDaysDialog::OwnDaysDialog(const OwnDaysSettings& settings, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    setWindowTitle(QStringLiteral("予定・休日の設定"));

    auto* daysFrame = new QGroupBox(QStringLiteral("このレイアウトの予定・休日"), this);
    daysList_ = new QTableWidget(0, 3, daysFrame);
    daysList_->setObjectName(QStringLiteral("daysList"));
    daysList_->setHorizontalHeaderLabels(
        {QStringLiteral("日付"), QStringLiteral("名前"), QStringLiteral("種類")});
    daysList_->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    daysList_->setColumnWidth(DateColumn, 190);
    daysList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    daysList_->setToolTip(QStringLiteral("日付は 2027-08-13、範囲は 2027-08-13..2027-08-16、"
                                        "毎年は 10-01 のように書きます。"));
    auto* rowButtons = new QHBoxLayout;
    const std::pair<const char*, const char*> dayButtons[] = {
        {"addButton", "追加"},       {"deleteButton", "削除"},        {"sortButton", "日付順"},
        {"importButton", "読込..."}, {"exportButton", "書き出し..."},
    };
    const std::array<void (OwnDaysDialog::*)(), 5> dayActions{
        &OwnDaysDialog::addRow, &OwnDaysDialog::deleteSelectedRows, &OwnDaysDialog::sortRows,
        &OwnDaysDialog::importFile, &OwnDaysDialog::exportFile};
    for (std::size_t i = 0; i < dayActions.size(); ++i) {
        QPushButton* b = plainButton(QString::fromUtf8(dayButtons[i].second),
                                     QString::fromLatin1(dayButtons[i].first), daysFrame);
        connect(b, &QPushButton::clicked, this, dayActions[i]);
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();
    auto* daysLayout = new QVBoxLayout(daysFrame);
    daysLayout->addWidget(daysList_);
    daysLayout->addLayout(rowButtons);

    auto* filesFrame =
        new QGroupBox(QStringLiteral("連携する予定ファイル（描画のたびに読み直します）"), this);
    filesList_ = new QListWidget(filesFrame);
    filesList_->setObjectName(QStringLiteral("filesList"));
    filesList_->addItems(settings.files);
    filesList_->setMaximumHeight(90);
    QPushButton* addFile =
        plainButton(QStringLiteral("追加..."), QStringLiteral("addFileButton"), filesFrame);
    QPushButton* removeFile =
        plainButton(QStringLiteral("外す"), QStringLiteral("removeFileButton"), filesFrame);
    connect(addFile, &QPushButton::clicked, this, &OwnDaysDialog::addLinkedFile);
    connect(removeFile, &QPushButton::clicked, this, &OwnDaysDialog::removeLinkedFile);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(addFile);
    fileButtons->addWidget(removeFile);
    fileButtons->addStretch();
    auto* filesLayout = new QHBoxLayout(filesFrame);
    filesLayout->addWidget(filesList_);
    filesLayout->addLayout(fileButtons);

    timeZoneEdit_ = new QLineEdit(settings.timeZone, this);
    timeZoneEdit_->setObjectName(QStringLiteral("timeZoneEdit"));
    timeZoneEdit_->setPlaceholderText(QString::fromLatin1(kDefaultOwnDaysTimeZone));
    timeZoneEdit_->setMaxLength(64);
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(new QLabel(QStringLiteral("時刻のある予定のタイムゾーン"), this));
    zoneRow->addWidget(timeZoneEdit_, 1);

    auto* workFrame = new QGroupBox(QStringLiteral("出勤日"), this);
    auto* offRow = new QHBoxLayout;
    offRow->addWidget(new QLabel(QStringLiteral("週の休日"), workFrame));
    const WeeklyDaysOff off = settings.weeklyDaysOffOrDefault();
    for (int i = 1; i <= 7; ++i) {
        const int w = i % 7; // Monday first
        auto* box = new QCheckBox(QString::fromStdString(weekdayName(w, 2)), workFrame);
        box->setObjectName(QStringLiteral("weeklyOff%1").arg(w));
        box->setChecked(isWeeklyDayOff(off, w));
        connect(box, &QCheckBox::toggled, this, &OwnDaysDialog::updateSummary);
        weeklyOffBoxes_[static_cast<std::size_t>(w)] = box;
        offRow->addWidget(box);
    }
    offRow->addSpacing(16);
    fiscalYearBox_ = new QSpinBox(workFrame);
    fiscalYearBox_->setObjectName(QStringLiteral("fiscalYearBox"));
    fiscalYearBox_->setRange(1950, 2048);
    fiscalYearBox_->setSuffix(QStringLiteral(" 年度"));
    const QDate today = QDate::currentDate();
    fiscalYearBox_->setValue(
        std::clamp(today.month() >= 4 ? today.year() : today.year() - 1, 1950, 2048));
    connect(fiscalYearBox_, &QSpinBox::valueChanged, this, &OwnDaysDialog::updateSummary);
    offRow->addWidget(fiscalYearBox_);
    offRow->addStretch();
    summaryLabel_ = new QLabel(workFrame);
    summaryLabel_->setObjectName(QStringLiteral("workingDaysSummary"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setToolTip(
        QStringLiteral("一年単位の変形労働時間制の限度（年280日、連続6日）と照らし合わせます。"
                       "この一覧の予定・休日で数え、連携する予定ファイルは含みません。"));
    auto* workLayout = new QVBoxLayout(workFrame);
    workLayout->addLayout(offRow);
    workLayout->addWidget(summaryLabel_);
    connect(daysList_, &QTableWidget::cellChanged, this, &OwnDaysDialog::updateSummary);

    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OwnDaysDialog::acceptEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(daysFrame, 1);
    layout->addWidget(filesFrame);
    layout->addLayout(zoneRow);
    layout->addWidget(workFrame);
    layout->addWidget(buttons);
    resize(640, 600);
    setRows(settings.days);
    updateSummary();
}

WeeklyDaysOff OwnDaysDialog::weeklyDaysOff() const {
    WeeklyDaysOff off = 0;
    for (std::size_t w = 0; w < weeklyOffBoxes_.size(); ++w)
        if (weeklyOffBoxes_[w] && weeklyOffBoxes_[w]->isChecked())
            off = static_cast<WeeklyDaysOff>(off | (1u << w));
    return off;
}

std::vector<OwnDay> OwnDaysDialog::readableEntries() const {
    std::vector<OwnDay> out;
    for (int row = 0; row < daysList_->rowCount(); ++row) {
        const QTableWidgetItem* date = daysList_->item(row, DateColumn);
        const auto* kind = qobject_cast<const QComboBox*>(daysList_->cellWidget(row, KindColumn));
        QString reason;
        const auto dates = date ? parseOwnDayDates(date->text().trimmed(), reason) : std::nullopt;
        if (!dates)
            continue; // a line still being typed does not count yet
        out.push_back({dates->first, dates->last, dates->everyYear, QString(),
                       kKinds[std::clamp(kind ? kind->currentIndex() : 0, 0, 2)]});
    }
    return out;
}

void OwnDaysDialog::countLinkedFiles(const QString& layoutFolder,
                                     std::shared_ptr<DaysFileCache> cache) {
    layoutFolder_ = layoutFolder;
    cache_ = std::move(cache);
    connect(&reading_, &QFutureWatcher<void>::finished, this, &OwnDaysDialog::updateSummary,
            Qt::UniqueConnection);
    updateSummary();
}

OwnDaysSettings OwnDaysDialog::shownSettings() const {
    OwnDaysSettings shown;
    shown.days = readableEntries();
    shown.timeZone = timeZoneEdit_->text().trimmed();
    for (int i = 0; i < filesList_->count(); ++i)
        shown.files << filesList_->item(i)->text();
    return shown;
}

QString OwnDaysDialog::fiscalYearSummary() const {
    const OwnDaysSettings shown = shownSettings();
    QStringList unread;
    std::shared_ptr<const OwnDayTable> linked;
    if (cache_)
        linked = loadCachedOwnDays(shown, layoutFolder_, *cache_, unread).table;
    const OwnDayTable tableOnly(cache_ ? std::vector<OwnDay>{} : shown.days);
    const OwnDayTable& table = linked ? *linked : tableOnly;
    const FiscalYearCheck check = checkFiscalYear(fiscalYearBox_->value(), &table, weeklyDaysOff());
    const auto dateText = [](std::chrono::sys_days day) {
        return QString::fromStdString(formatDateText(std::chrono::year_month_day{day}));
    };
    QString text = QStringLiteral("%1年度: 出勤日 %2日、休日 %3日")
                       .arg(check.fiscalYear)
                       .arg(check.count.working)
                       .arg(check.count.off);
    if (check.overYearLimit)
        text += QStringLiteral("\n注意: 年度の出勤日が%1日を超えます（%2 で%3日目）。")
                    .arg(kMaxWorkingDaysPerYear)
                    .arg(dateText(*check.overYearLimit))
                    .arg(kMaxWorkingDaysPerYear + 1);
    if (check.overRunLimit)
        text += QStringLiteral("\n注意: 出勤日が%1日を超えて続きます（%2 で%3日連続）。")
                    .arg(kMaxWorkingDaysInARow)
                    .arg(dateText(*check.overRunLimit))
                    .arg(kMaxWorkingDaysInARow + 1);
    if (!unread.isEmpty() && reading_.isRunning())
        text += QStringLiteral("\nリンクしたファイルを読み込み中です。");
    return text;
}

void OwnDaysDialog::showFiscalYear(int fiscalYear) {
    fiscalYearBox_->setValue(fiscalYear);
    updateSummary();
}

void OwnDaysDialog::updateSummary() {
    if (!summaryLabel_ || !fiscalYearBox_)
        return;
    readLinkedFiles();
    summaryLabel_->setText(fiscalYearSummary());
}

void OwnDaysDialog::readLinkedFiles() {
    if (!cache_ || reading_.isRunning())
        return;
    const OwnDaysSettings shown = shownSettings();
    QStringList unread;
    loadCachedOwnDays(shown, layoutFolder_, *cache_, unread);
    // Each path once: a file that cannot be read stays unread and must not be tried forever.
    QStringList toRead;
    for (const QString& path : unread)
        if (!requested_.contains(path))
            toRead << path;
    if (toRead.isEmpty())
        return;
    requested_ += toRead;
    // A file that blocks or takes long never holds up the dialog; one reading at a time.
    auto promise = std::make_shared<QPromise<void>>();
    reading_.setFuture(promise->future());
    QThreadPool::globalInstance()->start(
        [cache = cache_, toRead, options = daysReadOptions(shown.timeZone), promise] {
            promise->start();
            for (const QString& path : toRead)
                cache->read(path, options);
            promise->finish();
        });
}

void OwnDaysDialog::setRows(const std::vector<OwnDay>& days) {
    daysList_->setRowCount(0);
    for (const OwnDay& day : days)
        appendRow(day);
}

void OwnDaysDialog::appendRow(const OwnDay& day) {
    const int row = daysList_->rowCount();
    daysList_->insertRow(row);
    daysList_->setItem(row, DateColumn,
                      new QTableWidgetItem(day.first.ok() ? ownDayDateText(day) : QString()));
    daysList_->setItem(row, NameColumn, new QTableWidgetItem(day.name));
    auto* kind = new QComboBox(daysList_);
    for (OwnDayKind k : kKinds)
        kind->addItem(ownDayKindText(k));
    kind->setCurrentIndex(kindIndex(day.kind));
    connect(kind, &QComboBox::currentIndexChanged, this, &OwnDaysDialog::updateSummary);
    daysList_->setCellWidget(row, KindColumn, kind);
}

std::optional<std::vector<OwnDay>> OwnDaysDialog::entries() const {
    std::vector<OwnDay> out;
    for (int row = 0; row < daysList_->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = daysList_->item(row, column);
            return item ? item->text().trimmed() : QString();
        };
        const auto* kind = qobject_cast<const QComboBox*>(daysList_->cellWidget(row, KindColumn));
        OwnDay day;
        day.name = text(NameColumn);
        day.kind = kKinds[std::clamp(kind ? kind->currentIndex() : 0, 0, 2)];
        QString reason;
        const auto dates =
            text(DateColumn).isEmpty() ? std::nullopt : parseOwnDayDates(text(DateColumn), reason);
        if (text(DateColumn).isEmpty())
            reason = QStringLiteral("日付がありません。");
        else if (dates && day.kind == OwnDayKind::Named && day.name.isEmpty())
            reason = QStringLiteral("名前がありません。");
        if (!reason.isEmpty()) {
            prompts_.message(QStringLiteral("%1行目: %2").arg(row + 1).arg(reason));
            return std::nullopt;
        }
        day.first = dates->first;
        day.last = dates->last;
        day.everyYear = dates->everyYear;
        out.push_back(std::move(day));
    }
    return out;
}

void OwnDaysDialog::addRow() {
    appendRow(OwnDay{{}, {}, false, {}, OwnDayKind::DayOff});
    const int row = daysList_->rowCount() - 1;
    daysList_->setCurrentCell(row, DateColumn);
    daysList_->editItem(daysList_->item(row, DateColumn));
}

void OwnDaysDialog::deleteSelectedRows() {
    QList<int> rows;
    for (const QModelIndex& index : daysList_->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty() && daysList_->currentRow() >= 0)
        rows << daysList_->currentRow();
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows)
        daysList_->removeRow(row);
}

void OwnDaysDialog::sortRows() {
    auto days = entries();
    if (!days)
        return;
    std::stable_sort(days->begin(), days->end(), ownDayBefore);
    setRows(*days);
}

void OwnDaysDialog::importFile() {
    const QString path = prompts_.openFileName({kDaysFilter, {}, {}, QStringLiteral("予定・休日のファイルを開く")});
    if (path.isEmpty())
        return;
    const DaysReadResult read = readDaysFile(path, daysReadOptions(timeZoneEdit_->text().trimmed()));
    for (const OwnDay& day : read.days)
        appendRow(day);
    if (!read.problems.isEmpty())
        prompts_.message(
            (read.readable ? QStringLiteral("読み込めなかった行があります。\r\n") : QString()) +
            read.problems.mid(0, 20).join(QStringLiteral("\r\n")));
}

void OwnDaysDialog::exportFile() {
    const auto days = entries();
    if (!days)
        return;
    const QString path =
        prompts_.saveFileName({QStringLiteral("CSV (*.csv)|*.csv"), {}, QStringLiteral("csv"),
                               QStringLiteral("予定・休日の保存先")});
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeDaysCsv(*days)) < 0 || !file.commit())
        prompts_.message(
            QStringLiteral("%1 に書き込めませんでした（%2）。").arg(path, file.errorString()));
}

void OwnDaysDialog::addLinkedFile() {
    const QString path = prompts_.openFileName({kDaysFilter, {}, {}, QStringLiteral("予定・休日のファイルを開く")});
    if (path.isEmpty())
        return;
    if (filesList_->findItems(path, Qt::MatchExactly).isEmpty())
        filesList_->addItem(path);
    const DaysReadResult read = readDaysFile(path, daysReadOptions(timeZoneEdit_->text().trimmed()));
    if (!read.problems.isEmpty())
        prompts_.message(read.problems.mid(0, 20).join(QStringLiteral("\r\n")));
}

void OwnDaysDialog::removeLinkedFile() {
    delete filesList_->takeItem(filesList_->currentRow());
}

void OwnDaysDialog::acceptEntries() {
    auto days = entries();
    if (!days)
        return;
    const QString zone = timeZoneEdit_->text().trimmed();
    if (!zone.isEmpty() && !QTimeZone(zone.toUtf8()).isValid()) {
        prompts_.message(QStringLiteral("%1 はタイムゾーンではありません。").arg(zone));
        return;
    }
    OwnDaysSettings edited = settings_;
    edited.days = std::move(*days);
    edited.timeZone = zone;
    // Ticking the default again keeps a layout that never set the days off as it was.
    const WeeklyDaysOff off = weeklyDaysOff();
    if (off != settings_.weeklyDaysOffOrDefault())
        edited.weeklyDaysOff = off;
    edited.files.clear();
    for (int i = 0; i < filesList_->count(); ++i)
        edited.files << filesList_->item(i)->text();
    // Unchanged entries give back the settings as they came.
    if (!(edited == settings_))
        settings_ = std::move(edited);
    accept();
}

} // namespace tobirae
