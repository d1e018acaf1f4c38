// Days files in both formats give the same day table; bad lines are named, never dropped
// silently.
#include "owndays/DaysFile.h"

#include "calendar/DateHelpers.h"
#include "owndays/OwnDayTable.h"
#include "owndays/OwnDaysCbor.h"
#include "owndays/OwnDaysLoad.h"

#include <QCborArray>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace tobirae;
using namespace std::chrono;

namespace {

QByteArray ics(const QString& events) {
    return (QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//days//JA\r\n") +
            events + QStringLiteral("END:VCALENDAR\r\n"))
        .toUtf8();
}

QString allDay(const QString& summary, const QString& start, const QString& end,
               const QString& extra = {}) {
    return QStringLiteral("BEGIN:VEVENT\r\nUID:%1@test\r\nSUMMARY:%1\r\nDTSTART;VALUE=DATE:%2\r\n"
                          "DTEND;VALUE=DATE:%3\r\n%4END:VEVENT\r\n")
        .arg(summary, start, end, extra);
}

struct Expect {
    year_month_day date;
    QString names; // joined by "・"
    bool dayOff = false;
    bool workingDay = false;
};

struct SameTableCase {
    const char* what;
    QString csv;
    QString icsEvents;
    std::vector<Expect> expect;
};

std::vector<SameTableCase> sameTableCases() {
    return {
        {"range across a year end",
         QStringLiteral("日付,名前,種類\n2027-12-29..2028-01-03,年末年始休業,休日\n"),
         allDay(QStringLiteral("年末年始休業"), "20271229", "20280104", "CATEGORIES:休日\r\n"),
         {{2027y / 12 / 28, "", false, false},
          {2027y / 12 / 29, "年末年始休業", true, false},
          {2028y / 1 / 1, "年末年始休業", true, false},
          {2028y / 1 / 3, "年末年始休業", true, false},
          {2028y / 1 / 4, "", false, false}}},
        {"every year on 29 February, only in leap years",
         QStringLiteral("02-29,うるう日の記念日,記念日\n"),
         allDay(QStringLiteral("うるう日の記念日"), "20240229", "20240301",
                "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29\r\n"),
         {{2028y / 2 / 29, "うるう日の記念日", false, false},
          {2032y / 2 / 29, "うるう日の記念日", false, false},
          {2027y / 2 / 28, "", false, false},
          {2027y / 3 / 1, "", false, false}}},
        {"a working day on a national holiday",
         QStringLiteral("2027/5/3,棚卸し,出勤日\n"),
         allDay(QStringLiteral("棚卸し"), "20270503", "20270504", "CATEGORIES:出勤日\r\n"),
         {{2027y / 5 / 3, "棚卸し", false, true}, {2027y / 5 / 4, "", false, false}}},
        {"overlapping entries: names in order, the working day wins",
         QStringLiteral("2027-08-13..2027-08-16,夏季休業,休日\n2027-08-14,創立記念日,\n"
                        "2027-08-16,当番,出勤日\n2027-08-14,夏季休業,休日\n"),
         allDay(QStringLiteral("夏季休業"), "20270813", "20270817", "CATEGORIES:Holiday\r\n") +
             allDay(QStringLiteral("創立記念日"), "20270814", "20270815") +
             allDay(QStringLiteral("当番"), "20270816", "20270817", "CATEGORIES:出勤日\r\n"),
         {{2027y / 8 / 13, "夏季休業", true, false},
          {2027y / 8 / 14, "夏季休業・創立記念日", true, false},
          {2027y / 8 / 16, "夏季休業・当番", false, true}}},

        // A range with equal ends is one day; CATEGORIES is matched in any letter case.
        {"a one-day range", QStringLiteral("2027-03-01..2027-03-01,棚卸し,休日\n"),
         allDay(QStringLiteral("棚卸し"), "20270301", "20270302", "CATEGORIES:HOLIDAY\r\n"),
         {{2027y / 2 / 28, "", false, false},
          {2027y / 3 / 1, "棚卸し", true, false},
          {2027y / 3 / 2, "", false, false}}},
    };
}

void expectTable(const OwnDayTable& table, const std::vector<Expect>& expect) {
    for (const Expect& e : expect) {
        const OwnDayFacts f = table.lookup(e.date);
        EXPECT_EQ(f.names.join(QStringLiteral("・")), e.names) << formatDateText(e.date);
        EXPECT_EQ(f.dayOff, e.dayOff) << formatDateText(e.date);
        EXPECT_EQ(f.workingDay, e.workingDay) << formatDateText(e.date);
    }
}

} // namespace

TEST(DaysFile, BothFormatsGiveTheSameTable) {
    for (const SameTableCase& c : sameTableCases()) {
        SCOPED_TRACE(c.what);
        const DaysReadResult fromCsv = readDaysData(c.csv.toUtf8(), "days.csv");
        const DaysReadResult fromIcs = readDaysData(ics(c.icsEvents), "days.ics");
        EXPECT_TRUE(fromCsv.problems.isEmpty()) << fromCsv.problems.join('\n').toStdString();
        EXPECT_TRUE(fromIcs.problems.isEmpty()) << fromIcs.problems.join('\n').toStdString();
        expectTable(OwnDayTable(fromCsv.days), c.expect);
        expectTable(OwnDayTable(fromIcs.days), c.expect);
    }
    const DaysReadResult oneDay =
        readDaysData(QStringLiteral("2027-03-01..2027-03-01,棚卸し,休日\n").toUtf8(), "d.csv");
    ASSERT_EQ(oneDay.days.size(), 1u);
    EXPECT_EQ(oneDay.days[0].first, 2027y / 3 / 1);
    EXPECT_EQ(oneDay.days[0].last, 2027y / 3 / 1);
}

TEST(DaysFile, ShiftJisAndUtf8GiveTheSameEntries) {
    const QString text =
        QStringLiteral("日付,名前,種類\r\n2027/8/13..2027/8/16,\"夏季休業, 全社\",休日\r\n"
                       "10-01,創立記念日①,記念日\r\n２０２７／１１／２,棚卸し,出勤日\r\n");
    QStringEncoder toCp932("windows-31j");
    ASSERT_TRUE(toCp932.isValid());
    const QByteArray sjis = toCp932.encode(text);
    const DaysReadResult plain = readDaysData(text.toUtf8(), "a.csv");
    ASSERT_TRUE(plain.problems.isEmpty()) << plain.problems.join('\n').toStdString();
    ASSERT_EQ(plain.days.size(), 3u);
    EXPECT_EQ(plain.days[0].name, QStringLiteral("夏季休業, 全社"));
    EXPECT_TRUE(plain.days[1].everyYear);
    EXPECT_EQ(plain.days[2].first, 2027y / 11 / 2);
    for (const QByteArray& bytes : {sjis, QByteArray("\xEF\xBB\xBF") + text.toUtf8()}) {
        const DaysReadResult other = readDaysData(bytes, "b.csv");
        EXPECT_TRUE(other.problems.isEmpty()) << other.problems.join('\n').toStdString();
        EXPECT_EQ(other.days, plain.days);
    }
}

TEST(DaysFile, WrittenCsvReadsBackTheSameEntries) {
    const DaysReadResult read = readDaysData(
        QStringLiteral("2027-12-29..2028-01-03,年末年始,休日\n12-29..01-03,\"引用\"\"符\","
                       "休日\n2027-04-01,,出勤日\n02-29,うるう,記念日\n")
            .toUtf8(),
        "a.csv");
    ASSERT_EQ(read.days.size(), 4u);
    // A name of a lone U+FEFF is not taken for a byte order mark on the way back.
    std::vector<OwnDay> written = read.days;
    written[2].name = QString(QChar(0xFEFF));
    const DaysReadResult bom = readDaysData(writeDaysCsv(written), "c.csv");
    EXPECT_TRUE(bom.problems.isEmpty()) << bom.problems.join('\n').toStdString();
    EXPECT_EQ(bom.days, written);
    const DaysReadResult again = readDaysData(writeDaysCsv(read.days), "b.csv");
    EXPECT_TRUE(again.problems.isEmpty());
    EXPECT_EQ(again.days, read.days);
    // The every-year range wraps the year end.
    const OwnDayTable table(read.days);
    EXPECT_TRUE(table.lookup(2040y / 1 / 2).dayOff);
    EXPECT_FALSE(table.lookup(2040y / 1 / 4).dayOff);
}

TEST(DaysFile, BadLinesAreNamedWithFileLineAndReason) {
    struct Case {
        QByteArray bytes;
        QString problem;
        std::size_t daysKept;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("日付,名前,種類\n2027-02-30,休み,休日\n2027-03-01,休み,休日\n").toUtf8(),
         "f: 2行目: 2027-02-30 は存在しない日付です。", 1},
        {QStringLiteral("2027-03-01,休み,休日\n\n2027-3-x,休み,休日\n").toUtf8(),
         "f: 3行目: 2027-3-x は日付ではありません。", 1},
        {QStringLiteral("2027-03-05..2027-03-01,休み,休日\n").toUtf8(),
         "f: 1行目: 2027-03-05..2027-03-01 は終わりの日付が始まりより前です。", 0},
        {QStringLiteral("2027-03-01,休み,お休み\n").toUtf8(),
         "f: 1行目: お休み は種類ではありません（休日、出勤日、記念日のどれかです）。", 0},
        {QStringLiteral("2027-03-01,,記念日\n").toUtf8(), "f: 1行目: 名前がありません。", 0},
        // The entry is named by the line where it starts, though its quoted name goes on.
        {QStringLiteral("2027-03-01,休み,休日\n2027-02-30,\"夏季\n休業\",休日\n").toUtf8(),
         "f: 2行目: 2027-02-30 は存在しない日付です。", 1},
        {QStringLiteral("2027-03-01,\"休み,休日\n").toUtf8(),
         "f: 1行目: 引用符 \" の閉じ忘れか置き場所の誤りがあります。", 0},
        {ics(allDay(QStringLiteral("休み"), "20270230", "20270301")),
         "f: 7行目: 20270230 は存在しない日付です。", 0},
        {ics(QStringLiteral("BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:開始なし\r\nEND:VEVENT\r\n")),
         "f: 4行目: 開始日 (DTSTART) がありません。", 0},
        {QByteArray("2027-03-01,\x82\xa0\xff\xfe,\n"),
         "f: UTF-8 でも Shift_JIS でもない文字があります。", 0},
        // Old Excel for Mac ends lines in CR alone.
        {QByteArray("2027-03-01,a,休日\r2027-03-02,b,休日\r2027-02-30,c,休日\r"),
         "f: 3行目: 2027-02-30 は存在しない日付です。", 2},
        {QByteArray("\xEF\xBB\xBF"
                    "2027-03-01,a\xff,休日\n"),
         "f: UTF-8 として読めない文字があります（� にしました）。", 1},
        // No page shows these dates.
        {QStringLiteral("2027-03-01,a,休日\n1899-12-31,b,休日\n").toUtf8(),
         "f: 2行目: 1899-12-31 はカレンダーが扱う 1900～2099 年の外です。", 1},
        {QStringLiteral("2099-12-30..2100-01-01,b,休日\n").toUtf8(),
         "f: 1行目: 2099-12-30..2100-01-01 はカレンダーが扱う 1900～2099 年の外です。", 0},
        {QStringLiteral("9999-12-31,b,休日\n").toUtf8(),
         "f: 1行目: 9999-12-31 はカレンダーが扱う 1900～2099 年の外です。", 0},
        {ics(allDay(QStringLiteral("遠い"), "99991231", "99991231")),
         "f: 7行目: 9999/12/31 はカレンダーが扱う 1900～2099 年の外です。", 0},
        {ics(QStringLiteral("BEGIN:VEVENT\r\nUID:s\r\nDTSTART;VALUE=DATE:20270301\r\nSUMMARY:@"
                            "\r\nEND:VEVENT\r\n"))
             .replace("@", "\x8b\x78\x82\xdd"), // 休み in Shift_JIS
         "f: 7行目: 名前 (SUMMARY) が UTF-8 ではありません（読めない文字を � にしました）。", 1},
        {ics(allDay(QStringLiteral("外"), "20270301", "20270302",
                    QStringLiteral("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270303\r\nSUMMARY:中"
                                   "\r\nEND:VEVENT\r\n"))),
         "f: 4行目: 予定 (VEVENT) の中の予定は使いません。", 1},
        // libical would print its own message for this line.
        {ics(allDay(QStringLiteral("休み"), "20270301", "20270302") +
             QStringLiteral("END:VEVENT\r\n")),
         "f: 10行目: BEGIN のない END:VEVENT は使いません。", 1},
        // A rule that never matches is walked minute by minute inside libical.
        {ics(QStringLiteral("BEGIN:VEVENT\r\nUID:m\r\nSUMMARY:m\r\nDTSTART:20270101T000000Z\r\n"
                            "RRULE:FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30;COUNT=3\r\n"
                            "END:VEVENT\r\n")),
         "f: 8行目: 繰り返し (RRULE) が細かすぎるので、2027/03/11 より後は使いません。", 0},
        {ics(QStringLiteral("BEGIN:VTIMEZONE\r\nTZID:Bad\r\nBEGIN:STANDARD\r\n"
                            "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY\r\n"
                            "TZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nEND:STANDARD\r\n"
                            "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:z\r\nSUMMARY:z\r\n"
                            "DTSTART;TZID=Bad:20270101T100000\r\nEND:VEVENT\r\n")),
         "f: タイムゾーン Bad の切り替え規則 (RRULE) は年ごとか月ごとでないので使いません。", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem.toStdString());
        const DaysReadResult r = readDaysData(c.bytes, "f");
        ASSERT_EQ(r.problems.size(), 1) << r.problems.join('\n').toStdString();
        EXPECT_EQ(r.problems[0], c.problem);
        EXPECT_EQ(r.days.size(), c.daysKept);
    }
}

TEST(DaysFile, FilesThatCannotBeReadSaySo) {
    QTemporaryDir dir;
    const DaysReadResult missing = readDaysFile(dir.filePath("none.csv"));
    EXPECT_FALSE(missing.readable);
    ASSERT_EQ(missing.problems.size(), 1);
    EXPECT_TRUE(missing.problems[0].endsWith(QStringLiteral("ファイルがありません。")));
    EXPECT_FALSE(readDaysFile(dir.path()).readable);
    const DaysReadResult notIcs = readDaysData("BEGIN:VCALENDAR\r\nnonsense", "x.ics");
    EXPECT_TRUE(notIcs.days.empty());
    EXPECT_FALSE(notIcs.problems.isEmpty());

    // A FIFO would block the open; /proc files claim a size of 0 and can be endless.
    const QString fifo = dir.filePath("fifo.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(readDaysFile(fifo).problems,
              QStringList{fifo + QStringLiteral(": 普通のファイルではありません。")});
    if (QFile::exists("/proc/self/pagemap")) {
        const DaysReadResult endless = readDaysFile("/proc/self/pagemap");
        EXPECT_FALSE(endless.readable);
        EXPECT_TRUE(endless.days.empty());
    }
    // A file that is no days file at all is not echoed line by line.
    QByteArray lines;
    for (int i = 0; i < 500; ++i)
        lines += "7f00-7f10 r-xp 00000000 08:01 " + QByteArray::number(i) + " /usr/lib/secret\n";
    const DaysReadResult echo = readDaysData(lines, "maps");
    ASSERT_EQ(echo.problems.size(), kMaxProblemsPerFile + 1);
    EXPECT_EQ(echo.problems.last(), QStringLiteral("maps: ほかに 480 行読めません。"));
    // A control character in a path is shown, not sent.
    EXPECT_EQ(readDaysFile(dir.filePath("a\x1b[2Jb.csv")).problems,
              QStringList{dir.filePath(QStringLiteral("a␛[2Jb.csv")) +
                          QStringLiteral(": ファイルがありません。")});

    QFile file(dir.filePath("会社.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("2027-02-30,x,休日\n").toUtf8());
    file.close();
    const DaysReadResult bad = readDaysFile(file.fileName());
    EXPECT_TRUE(bad.readable);
    EXPECT_EQ(bad.problems, QStringList{"会社.csv: 1行目: 2027-02-30 は存在しない日付です。"});
}

TEST(DaysFile, IcsRecurrenceExceptionsAndTimedEvents) {
    const QString events =
        // Every Wednesday of April 2027 but the 14th.
        QStringLiteral("BEGIN:VEVENT\r\nUID:w\r\nSUMMARY:定例会\r\n"
                       "DTSTART;TZID=Asia/Tokyo:20270407T100000\r\nDTEND;TZID=Asia/Tokyo:"
                       "20270407T110000\r\nRRULE:FREQ=WEEKLY;UNTIL=20270430T000000Z\r\n"
                       "EXDATE;TZID=Asia/Tokyo:20270414T100000\r\nEND:VEVENT\r\n") +
        // 20:00 UTC is the next morning in Tokyo.
        QStringLiteral("BEGIN:VEVENT\r\nUID:t\r\nSUMMARY:朝の便\r\nDTSTART:20270131T200000Z\r\n"
                       "DTEND:20270131T230000Z\r\nEND:VEVENT\r\n") +
        // A yearly birthday, with one year left out.
        allDay(QStringLiteral("誕生日"), "20100610", "20100611",
               "RRULE:FREQ=YEARLY\r\nEXDATE;VALUE=DATE:20280610\r\n") +
        allDay(QStringLiteral("中止"), "20270501", "20270502", "STATUS:CANCELLED\r\n") +
        // Every Monday of April 2027 at nine, a date-valued EXDATE leaving out the 12th.
        QStringLiteral("BEGIN:VEVENT\r\nUID:m\r\nSUMMARY:朝礼\r\n"
                       "DTSTART;TZID=Asia/Tokyo:20270405T090000\r\nDTEND;TZID=Asia/Tokyo:"
                       "20270405T093000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\n"
                       "EXDATE;VALUE=DATE:20270412\r\nEND:VEVENT\r\n");
    const DaysReadResult r = readDaysData(ics(events), "family.ics");
    EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join('\n').toStdString();
    const OwnDayTable table(r.days);
    expectTable(table, {{2027y / 4 / 7, "定例会"},
                        {2027y / 4 / 14, ""},
                        {2027y / 4 / 21, "定例会"},
                        {2027y / 4 / 28, "定例会"},
                        {2027y / 5 / 5, ""},
                        {2027y / 1 / 31, ""},
                        {2027y / 2 / 1, "朝の便"},
                        {2027y / 6 / 10, "誕生日"},
                        {2028y / 6 / 10, ""},
                        {2099y / 6 / 10, "誕生日"},
                        {2027y / 5 / 1, ""},
                        {2027y / 4 / 5, "朝礼"},
                        {2027y / 4 / 12, ""},
                        {2027y / 4 / 19, "朝礼"},
                        {2027y / 4 / 26, "朝礼"}});
    // The same event in New York's day.
    DaysReadOptions newYork;
    newYork.timeZone = QTimeZone("America/New_York");
    expectTable(OwnDayTable(readDaysData(ics(events), "family.ics", newYork).days),
                {{2027y / 1 / 31, "朝の便"}, {2027y / 2 / 1, ""}});
}

TEST(DaysFile, IcsExpansionStaysInProportionToTheFile) {
    // Daily events over two centuries are one range each, not 73,000 entries.
    QString events;
    for (int i = 0; i < 3; ++i)
        events += QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:毎日%1\r\n"
                                 "DTSTART;VALUE=DATE:19000101\r\nRRULE:FREQ=DAILY\r\n"
                                 "END:VEVENT\r\n")
                      .arg(i);
    DaysReadOptions patient;
    patient.timeLimit = seconds{30};
    const DaysReadResult daily = readDaysData(ics(events), "d.ics", patient);
    EXPECT_TRUE(daily.problems.isEmpty()) << daily.problems.join('\n').toStdString();
    ASSERT_EQ(daily.days.size(), 3u);
    EXPECT_EQ(daily.days[0].first, 1900y / 1 / 1);
    EXPECT_EQ(daily.days[0].last, 2099y / 12 / 31);
    // Asked for a month only, the expansion stays in it.
    DaysReadOptions march;
    march.expandFirst = 2027y / 3 / 1;
    march.expandLast = 2027y / 3 / 31;
    const DaysReadResult month = readDaysData(ics(events), "d.ics", march);
    ASSERT_EQ(month.days.size(), 3u);
    EXPECT_EQ(month.days[0].first, 2027y / 3 / 1);
    EXPECT_EQ(month.days[0].last, 2027y / 3 / 31);
    // Out of time: the event is named and the reading ends.
    DaysReadOptions hurried;
    hurried.timeLimit = milliseconds{-1};
    const DaysReadResult late = readDaysData(ics(events), "d.ics", hurried);
    EXPECT_EQ(
        late.problems,
        QStringList{"d.ics: 4行目: 読むのに時間がかかりすぎるので、この予定から後は使いません。"});
    EXPECT_TRUE(late.days.empty());
}

TEST(OwnDayTable, LookupMatchesAScanOfEveryEntry) {
    std::mt19937 random(7);
    std::vector<OwnDay> days;
    const sys_days base{2027y / 1 / 1};
    for (int i = 0; i < 400; ++i) {
        const sys_days first = base + std::chrono::days{random() % 400};
        const int length = i == 3 ? 300 : static_cast<int>(random() % 10);
        days.push_back({year_month_day{first}, year_month_day{first + std::chrono::days{length}},
                        false, QString::number(i % 50), OwnDayKind(random() % 3)});
    }
    const OwnDayTable table(days);
    for (sys_days d = base - std::chrono::days{3}; d < base + std::chrono::days{420};
         d += std::chrono::days{1}) {
        QStringList names;
        bool off = false, work = false;
        for (const OwnDay& e : days)
            if (d >= sys_days{e.first} && d <= sys_days{e.last}) {
                if (!names.contains(e.name))
                    names << e.name;
                off |= e.kind == OwnDayKind::DayOff;
                work |= e.kind == OwnDayKind::WorkingDay;
            }
        if (names.size() > kMaxNamesPerDay) {
            names.resize(kMaxNamesPerDay);
            names << QStringLiteral("…");
        }
        const OwnDayFacts f = table.lookup(year_month_day{d});
        ASSERT_EQ(f.names, names) << formatDateText(year_month_day{d});
        ASSERT_EQ(f.dayOff, off && !work) << formatDateText(year_month_day{d});
        ASSERT_EQ(f.workingDay, work) << formatDateText(year_month_day{d});
    }
}

TEST(OwnDayTable, AddsToTheDayFacts) {
    const OwnDayTable table(
        readDaysData(QStringLiteral("2027-05-03,棚卸し,出勤日\n2027-05-05,創立記念日,記念日\n"
                                    "2027-05-06,振替休業,休日\n2027-05-09,日曜出勤,出勤日\n")
                         .toUtf8(),
                     "a.csv")
            .days);
    struct Case {
        year_month_day date;
        const char* shown;
        bool red;
        bool holidayColoured;
    };
    for (const Case& c : std::vector<Case>{{2027y / 5 / 3, "憲法記念日・棚卸し", false, false},
                                           {2027y / 5 / 5, "こどもの日・創立記念日", true, true},
                                           {2027y / 5 / 6, "振替休業", true, true},
                                           {2027y / 5 / 9, "日曜出勤", false, false},
                                           {2027y / 5 / 7, "", false, false}}) {
        DayFacts facts = *computeDayFacts(c.date);
        addOwnDays(facts, table.lookup(c.date));
        EXPECT_EQ(facts.shownName(), c.shown);
        EXPECT_EQ(facts.isRedDay, c.red) << c.shown;
        EXPECT_EQ(facts.isHolidayColoured(), c.holidayColoured) << c.shown;
    }
    DayFacts hidden = *computeDayFacts(2027y / 5 / 6);
    addOwnDays(hidden, table.lookup(2027y / 5 / 6), false);
    EXPECT_EQ(hidden.shownName(), "");
    EXPECT_TRUE(hidden.isHolidayColoured());
}

TEST(OwnDaysCbor, RoundTripAndNamedErrors) {
    OwnDaysSettings settings;
    settings.days = {
        {2027y / 12 / 29, 2028y / 1 / 3, false, QStringLiteral("年末年始"), OwnDayKind::DayOff},
        {kRepeatYear / 2 / 29, kRepeatYear / 2 / 29, true, QStringLiteral("うるう日"),
         OwnDayKind::Named},
        {2027y / 5 / 3, 2027y / 5 / 3, false, QString(), OwnDayKind::WorkingDay}};
    settings.files = {QStringLiteral("company.ics"), QStringLiteral("/shared/家族.csv")};
    settings.timeZone = QStringLiteral("Asia/Tokyo");
    QString error;
    const auto back = ownDaysFromCbor(ownDaysToCbor(settings), "OwnDays", error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(*back, settings);
    EXPECT_TRUE(ownDaysToCbor(OwnDaysSettings{}).isEmpty());

    const struct {
        QCborMap map;
        const char* error;
    } bad[] = {
        {QCborMap{{QStringLiteral("Days"),
                   QCborArray{QCborMap{{QStringLiteral("Date"), QStringLiteral("2027-02-30")}}}}},
         "OwnDays.Days[0].Date: 2027-02-30 は存在しない日付です。"},
        {QCborMap{{QStringLiteral("Days"),
                   QCborArray{QCborMap{{QStringLiteral("Date"), QStringLiteral("10-01")},
                                       {QStringLiteral("Kind"), QStringLiteral("祭日")}}}}},
         "OwnDays.Days[0].Kind: 祭日 は種類ではありません。"},
        {QCborMap{{QStringLiteral("Files"), QStringLiteral("a.ics")}},
         "OwnDays.Files: 配列が必要です。"},
        {QCborMap{{QStringLiteral("TimeZone"), QStringLiteral("Mars/Olympus")}},
         "OwnDays.TimeZone: Mars/Olympus はタイムゾーンではありません。"},
        {QCborMap{{QStringLiteral("Colour"), 1}}, "OwnDays.Colour: 不明なキーです。"},
    };
    // The JSON form names what it does not know.
    for (const auto& c : bad) {
        QString message;
        EXPECT_FALSE(ownDaysFromCbor(c.map, "OwnDays", message, true));
        EXPECT_EQ(message, QString::fromUtf8(c.error));
    }
    // A file keeps what a newer program wrote, in the section and in its entries.
    const QCborMap newer{
        {QStringLiteral("Colour"), 1},
        {QStringLiteral("Days"),
         QCborArray{QCborMap{{QStringLiteral("Date"), QStringLiteral("10-01")},
                             {QStringLiteral("Kind"), QStringLiteral("休日")},
                             {QStringLiteral("Source"), QStringLiteral("人事部")}}}}};
    const auto kept = ownDaysFromCbor(newer, "OwnDays", error);
    ASSERT_TRUE(kept) << error.toStdString();
    EXPECT_EQ(kept->sections.value(QStringLiteral("Colour")).toInteger(), 1);
    ASSERT_EQ(kept->days.size(), 1u);
    EXPECT_EQ(kept->days[0].sections.value(QStringLiteral("Source")).toString(),
              QStringLiteral("人事部"));
    EXPECT_EQ(ownDaysFromCbor(ownDaysToCbor(*kept), "OwnDays", error), kept);
}

TEST(DaysFileCache, KeepsAReadingWhileTheFileIsUnchanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath("会社.csv");
    const auto write = [&](const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    write(QStringLiteral("2027-03-01,棚卸し,休日\n").toUtf8());
    OwnDaysSettings settings;
    settings.days = {{2027y / 5 / 1, 2027y / 5 / 1, false, QStringLiteral("創立記念日")}};
    settings.files = {QStringLiteral("会社.csv")};
    DaysFileCache cache;
    QStringList unread;
    // Nothing read yet: the layout's own entries count at once, the file is left to the caller.
    LoadedOwnDays loaded = loadCachedOwnDays(settings, dir.path(), cache, unread);
    EXPECT_EQ(unread, QStringList{path});
    ASSERT_TRUE(loaded.table);
    EXPECT_EQ(loaded.table->days().size(), 1u);
    cache.read(path, daysReadOptions({}));
    unread.clear();
    loaded = loadCachedOwnDays(settings, dir.path(), cache, unread);
    EXPECT_TRUE(unread.isEmpty());
    EXPECT_TRUE(loaded.table->lookup(2027y / 3 / 1).dayOff);
    // Another size (or time) is another file.
    write(QStringLiteral("2027-03-02,棚卸し二日目,休日\n").toUtf8());
    EXPECT_FALSE(cache.current(path, daysReadOptions({})));
    // So is another time zone for its timed events.
    cache.read(path, daysReadOptions({}));
    EXPECT_TRUE(cache.current(path, daysReadOptions({})));
    EXPECT_FALSE(cache.current(path, daysReadOptions(QStringLiteral("America/New_York"))));
}
