// The dialog "予定・休日の設定": what comes back after OK, how bad lines are refused, and the
// files it reads, writes and links.
#include "ScriptedPrompts.h"
#include "owndays/DaysFile.h"
#include "owndays/DaysFileCache.h"
#include "ui/dialogs/OwnDaysDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tobirae;
using namespace std::chrono;

class OwnDaysDialogTests : public QObject {
    Q_OBJECT
private slots:
    void unchangedOkGivesBackTheSettings();
    void editedRowsComeBackAsEntries();
    void aBadLineIsRefusedWithItsNumber();
    void readsWritesSortsAndDeletes();
    void linkedFilesAreListed();
    void timeZoneIsCheckedAndKept();
    void weeklyDaysOffAndTheFiscalYearsWorkingDays();
    void fiscalYearCountsTakeInTheLinkedFiles();
};

namespace {

OwnDaysSettings sample() {
    OwnDaysSettings s;
    s.days = {
        {2027y / 8 / 13, 2027y / 8 / 16, false, QStringLiteral("夏季休業"), OwnDayKind::DayOff},
        {kRepeatYear / 10 / 1, kRepeatYear / 10 / 1, true, QStringLiteral("創立記念日"),
         OwnDayKind::Named},
        {2027y / 5 / 3, 2027y / 5 / 3, false, QString(), OwnDayKind::WorkingDay}};
    s.files = {QStringLiteral("company.ics")};
    s.timeZone = QStringLiteral("Asia/Tokyo");
    return s;
}

QTableWidget* table(OwnDaysDialog& d) {
    return d.findChild<QTableWidget*>(QStringLiteral("daysList"));
}

void setRow(OwnDaysDialog& d, int row, const QString& date, const QString& name, int kind) {
    table(d)->item(row, 0)->setText(date);
    table(d)->item(row, 1)->setText(name);
    qobject_cast<QComboBox*>(table(d)->cellWidget(row, 2))->setCurrentIndex(kind);
}

void pressOk(OwnDaysDialog& d) {
    d.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

void OwnDaysDialogTests::unchangedOkGivesBackTheSettings() {
    ScriptedPrompts prompts;
    OwnDaysDialog d(sample(), prompts);
    QCOMPARE(table(d)->rowCount(), 3);
    QCOMPARE(table(d)->item(0, 0)->text(), QStringLiteral("2027-08-13..2027-08-16"));
    QCOMPARE(table(d)->item(1, 0)->text(), QStringLiteral("10-01"));
    pressOk(d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(d.settings() == sample());
    QVERIFY(prompts.messages.isEmpty());
}

void OwnDaysDialogTests::editedRowsComeBackAsEntries() {
    ScriptedPrompts prompts;
    OwnDaysDialog d(OwnDaysSettings{}, prompts);
    d.addRow();
    setRow(d, 0, QStringLiteral("２０２７/12/29..2028/1/3"), QStringLiteral("年末年始"), 0);
    d.addRow();
    setRow(d, 1, QStringLiteral("02-29"), QStringLiteral("うるう日"), 2);
    pressOk(d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const std::vector<OwnDay> expected{
        {2027y / 12 / 29, 2028y / 1 / 3, false, QStringLiteral("年末年始"), OwnDayKind::DayOff},
        {kRepeatYear / 2 / 29, kRepeatYear / 2 / 29, true, QStringLiteral("うるう日"),
         OwnDayKind::Named}};
    QVERIFY(d.settings().days == expected);
}

void OwnDaysDialogTests::aBadLineIsRefusedWithItsNumber() {
    const struct {
        QString date, name;
        int kind;
        QString message;
    } cases[] = {
        {QStringLiteral("2027-02-30"), QStringLiteral("x"), 0,
         QStringLiteral("2行目: 2027-02-30 は存在しない日付です。")},
        {QString(), QStringLiteral("x"), 0, QStringLiteral("2行目: 日付がありません。")},
        {QStringLiteral("2027-03-01"), QString(), 2, QStringLiteral("2行目: 名前がありません。")},
    };
    for (const auto& c : cases) {
        ScriptedPrompts prompts;
        OwnDaysDialog d(sample(), prompts);
        setRow(d, 1, c.date, c.name, c.kind);
        pressOk(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(prompts.messages, QStringList{c.message});
        QVERIFY(d.settings() == sample());
    }
}

void OwnDaysDialogTests::readsWritesSortsAndDeletes() {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.csv"));
    writeFile(
        in,
        QStringLiteral("日付,名前,種類\n2027-01-04,仕事始め,出勤日\n2027-13-01,x,休日\n").toUtf8());
    ScriptedPrompts prompts;
    prompts.files = {in, dir.filePath(QStringLiteral("out.csv"))};
    OwnDaysDialog d(sample(), prompts);
    d.importFile();
    QCOMPARE(table(d)->rowCount(), 4);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages[0].endsWith(
        QStringLiteral("in.csv: 3行目: 2027-13-01 は存在しない日付です。")));

    d.sortRows();
    QCOMPARE(table(d)->item(0, 0)->text(), QStringLiteral("2027-01-04"));
    QCOMPARE(table(d)->item(3, 0)->text(), QStringLiteral("10-01"));
    table(d)->selectRow(0);
    d.deleteSelectedRows();
    QCOMPARE(table(d)->rowCount(), 3);

    d.exportFile();
    const auto written = readDaysFile(dir.filePath(QStringLiteral("out.csv")));
    QVERIFY(written.problems.isEmpty());
    std::vector<OwnDay> sorted = sample().days;
    std::stable_sort(sorted.begin(), sorted.end(), ownDayBefore);
    QVERIFY(written.days == sorted);
}

void OwnDaysDialogTests::linkedFilesAreListed() {
    QTemporaryDir dir;
    const QString ics = dir.filePath(QStringLiteral("family.ics"));
    writeFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    ScriptedPrompts prompts;
    prompts.files = {ics};
    OwnDaysDialog d(sample(), prompts);
    d.addLinkedFile();
    auto* files = d.findChild<QListWidget*>(QStringLiteral("filesList"));
    files->setCurrentRow(0);
    d.removeLinkedFile();
    pressOk(d);
    QCOMPARE(d.settings().files, QStringList{ics});
    QVERIFY(prompts.messages.isEmpty());
}

void OwnDaysDialogTests::timeZoneIsCheckedAndKept() {
    ScriptedPrompts prompts;
    OwnDaysDialog d(sample(), prompts);
    auto* zone = d.findChild<QLineEdit*>(QStringLiteral("timeZoneEdit"));
    QCOMPARE(zone->text(), QStringLiteral("Asia/Tokyo"));
    zone->setText(QStringLiteral("Asia/Nowhere"));
    pressOk(d);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(prompts.messages,
             QStringList{QStringLiteral("Asia/Nowhere はタイムゾーンではありません。")});
    zone->setText(QStringLiteral(" Europe/Berlin "));
    pressOk(d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    OwnDaysSettings expected = sample();
    expected.timeZone = QStringLiteral("Europe/Berlin");
    QVERIFY(d.settings() == expected);
}

void OwnDaysDialogTests::weeklyDaysOffAndTheFiscalYearsWorkingDays() {
    ScriptedPrompts prompts;
    OwnDaysDialog d(OwnDaysSettings{}, prompts);
    auto* saturday = d.findChild<QCheckBox*>(QStringLiteral("weeklyOff6"));
    auto* sunday = d.findChild<QCheckBox*>(QStringLiteral("weeklyOff0"));
    QVERIFY(saturday && sunday && saturday->isChecked() && sunday->isChecked());
    QVERIFY(!d.findChild<QCheckBox*>(QStringLiteral("weeklyOff1"))->isChecked());
    d.showFiscalYear(2025);
    auto* summary = d.findChild<QLabel*>(QStringLiteral("workingDaysSummary"));
    QCOMPARE(summary->text(), QStringLiteral("2025年度: 出勤日 246日、休日 119日"));

    // Working the weekend of 2025-04-12/13 makes seven days in a row.
    d.addRow();
    setRow(d, 0, QStringLiteral("2025-04-12..2025-04-13"), QString(), 1);
    QVERIFY(summary->text().startsWith(QStringLiteral("2025年度: 出勤日 248日、休日 117日")));
    QVERIFY(summary->text().contains(
        QStringLiteral("注意: 出勤日が6日を超えて続きます（2025/04/13 で7日連続）。")));
    // Only Sundays off: more than 280 working days.
    saturday->setChecked(false);
    QVERIFY(summary->text().contains(QStringLiteral("注意: 年度の出勤日が280日を超えます（")));
    pressOk(d);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.settings().weeklyDaysOff, std::optional<WeeklyDaysOff>(1u << 0));

    // Ticking the default again leaves a layout that never set the days off unchanged.
    OwnDaysDialog again(sample(), prompts);
    again.findChild<QCheckBox*>(QStringLiteral("weeklyOff6"))->setChecked(false);
    again.findChild<QCheckBox*>(QStringLiteral("weeklyOff6"))->setChecked(true);
    pressOk(again);
    QVERIFY(again.settings() == sample());
}

// A linked file's 休日 on a Monday and its 出勤日 on two Saturdays count as the table's do, read
// off the interface thread first; a missing file is tried once and leaves the counts as they are.
void OwnDaysDialogTests::fiscalYearCountsTakeInTheLinkedFiles() {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("company.csv")),
              QStringLiteral("日付,名前,種類\n2025-04-14,創立記念日,休日\n"
                             "2025-04-19,土曜出勤,出勤日\n2025-04-26,土曜出勤,出勤日\n")
                  .toUtf8());
    OwnDaysSettings settings;
    settings.files = {QStringLiteral("company.csv"), QStringLiteral("missing.csv")};
    ScriptedPrompts prompts;
    OwnDaysDialog d(settings, prompts);
    d.showFiscalYear(2025);
    auto* summary = d.findChild<QLabel*>(QStringLiteral("workingDaysSummary"));
    QCOMPARE(summary->text(), QStringLiteral("2025年度: 出勤日 246日、休日 119日"));
    auto cache = std::make_shared<DaysFileCache>();
    d.countLinkedFiles(dir.path(), cache);
    QTRY_VERIFY(!d.readingLinkedFiles());
    // 246 − 1 + 2.
    QTRY_COMPARE(summary->text(), QStringLiteral("2025年度: 出勤日 247日、休日 118日"));
    // The table's own entries still count with the file's.
    d.addRow();
    setRow(d, 0, QStringLiteral("2025-04-15"), QString(), 0);
    QCOMPARE(summary->text(), QStringLiteral("2025年度: 出勤日 246日、休日 119日"));
    QVERIFY(!d.readingLinkedFiles()); // the missing file is not read again
}

QTEST_MAIN(OwnDaysDialogTests)
#include "tst_owndaysdialog.moc"
