#include "ui/dialogs/OwnDaysDialog.h"

#include "owndays/DaysFile.h"
#include "owndays/OwnDaysLoad.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserPrompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
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

    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OwnDaysDialog::acceptEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(daysFrame, 1);
    layout->addWidget(filesFrame);
    layout->addLayout(zoneRow);
    layout->addWidget(buttons);
    resize(640, 520);
    setRows(settings.days);
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
    edited.files.clear();
    for (int i = 0; i < filesList_->count(); ++i)
        edited.files << filesList_->item(i)->text();
    // Unchanged entries give back the settings as they came.
    if (!(edited == settings_))
        settings_ = std::move(edited);
    accept();
}

} // namespace tobirae
