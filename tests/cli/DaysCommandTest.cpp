#include "CliRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace tobirae::test {
namespace {

const std::string kHeader =
    "date\tweekday\tholiday\tred\tkanshi\tkanshi_reading\told_date\tleap\trokuyo\tsekki"
    "\tsenjitsu\tmoon_age\tmoon_phase\tiso_week\tworking\n";

TEST(DaysCommand, PrintsOneLinePerDay) {
    const CliResult r = runCli("days 2004-03-19 2004-03-21");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kHeader +
                         "2004-03-19\t金\t\t0\t丁酉\tひのと とり\t2004/02/29\t0\t赤口\t\t"
                         "一粒万倍日、天一天上\t27.7\t\t12\t1\n"
                         "2004-03-20\t土\t春分の日\t1\t戊戌\tつちのえ いぬ\t2004/02/30\t0\t先勝\t"
                         "春社日、春分\t天一天上\t28.7\t\t12\t0\n"
                         "2004-03-21\t日\t\t1\t己亥\tつちのと い\t2004/閏02/01\t1\t友引\t\t"
                         "天一天上\t0.2\t新月\t12\t0\n");
}

TEST(DaysCommand, DaysOutsideTheOldCalendarHaveNoOldDateOrRokuyo) {
    const CliResult r = runCli("days 1949-12-31 1950-01-01");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              kHeader +
                  "1949-12-31\t土\t\t0\t乙未\tきのと ひつじ\t\t0\t\t\t天一天上\t11.3\t\t52\t0\n"
                  "1950-01-01\t日\t元日\t1\t丙申\tひのえ さる\t1949/11/13\t0\t大安\t\t"
                  "不成就日、天一天上\t12.3\t\t52\t0\n");
}

TEST(DaysCommand, WholeCentury) {
    const CliResult r = runCli("days 1950-01-01 2049-12-31");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 36525 + 1);
    EXPECT_TRUE(
        r.out.ends_with("2049-12-31\t金\t\t0\t庚辰\tかのえ たつ\t2049/12/07\t0\t赤口\t\t\t6.4"
                        "\t上弦\t52\t1\n"))
        << r.out.substr(r.out.size() - 100);
}

TEST(DaysCommand, BadArgumentsAreRefusedWithOneLine) {
    const std::vector<std::string> cases{
        "",
        "frob",
        "--frob",
        "days",
        "days 2004-01-01",
        "days 2004-01-01 2004-01-02 2004-01-03",
        "days --frob 2004-01-01 2004-01-02",
        "days 2004-01-01 2004-01-02 -x",
        "days 2004-1-01 2004-01-02",
        "days 2004/01/01 2004-01-02",
        "days 2003-02-29 2003-03-01",
        "days 2004-01-01 2004-13-01",
        "days 1899-12-31 1900-01-01",
        "days 2099-12-31 2100-01-01",
        "days 2004-01-02 2004-01-01",
        "days 2004-01-01 2004-01-02 --days",
        "days 2004-01-01 2004-01-02 --weekly-off",
        "days 2004-01-01 2004-01-02 --weekly-off Sat",
    };
    for (const std::string& arguments : cases) {
        const CliResult r = runCli(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << ": " << r.err;
    }
}

TEST(DaysCommand, RangeEndsAreAccepted) {
    const CliResult r = runCli("days 1900-01-01 1900-01-01");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_EQ(runCli("days 2099-12-31 2099-12-31").status, 0);
}

// Help is asked for anywhere among a command's arguments and names every option it takes.
TEST(CommandLine, HelpAndVersionGoToStdout) {
    const struct {
        const char* arguments;
        std::vector<std::string> shown;
    } cases[] = {
        {"--help", {"days", "info", "to-json", "from-json", "render", "--help", "--version"}},
        {"-h", {"Usage: tobirae-cli COMMAND"}},
        {"days --help",
         {"Usage: tobirae-cli days FROM TO", "--days FILE", "own", "senjitsu", "moon_age",
          "moon_phase", "iso_week", "working", "--weekly-off DAYS", "-h, --help"}},
        {"days 2004-01-01 -h", {"Usage: tobirae-cli days"}},
        {"info x.CLF --help", {"Usage: tobirae-cli info", "-h, --help"}},
        {"to-json -h", {"Usage: tobirae-cli to-json", "-h, --help"}},
        {"from-json - out.CLF --help", {"Usage: tobirae-cli from-json", "- reads stdin"}},
        {"render --help",
         {"--year Y", "--month M", "--all-months", "--from YYYY-MM", "--to YYYY-MM",
          "-o, --output PATH", "--dpi N", "--format bmp|png|pdf", "--depth 32|24", "--days FILE",
          "-h, --help"}},
        {"render x.CLF --year 2027 --help", {"Usage: tobirae-cli render"}},
        {"--version", {"tobirae-cli " TOBIRAE_VERSION "\n"}},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.arguments);
        EXPECT_EQ(r.status, 0) << c.arguments;
        EXPECT_EQ(r.err, "") << c.arguments;
        for (const std::string& text : c.shown)
            EXPECT_NE(r.out.find(text), std::string::npos) << c.arguments << " lacks " << text;
    }
}

// Columns of each line after the header.
std::vector<std::vector<std::string>> rowsOf(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string>& row = rows.emplace_back();
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(line.substr(start, tab - start));
        row.push_back(line.substr(start));
    }
    return rows;
}

TEST(DaysCommand, TheUserDaysFilesAddTheOwnColumnAndTurnRed) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "tobirae-days-own";
    fs::create_directories(dir);
    std::ofstream(dir / "company.csv") << "日付,名前,種類\n2027-05-03,棚卸し,出勤日\n"
                                          "2027-05-06,振替休業,休日\n2027-02-30,x,休日\n";
    std::ofstream(dir / "family.ics")
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//JA\r\nBEGIN:VEVENT\r\nUID:b\r\n"
           "SUMMARY:誕生日\r\nDTSTART;VALUE=DATE:20200505\r\nRRULE:FREQ=YEARLY\r\n"
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
    const CliResult r =
        runCli("days 2027-05-03 2027-05-06 --days " + (dir / "company.csv").string() + " --days " +
               (dir / "family.ics").string() + " --days " + (dir / "none.csv").string());
    fs::remove_all(dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with(kHeader.substr(0, kHeader.size() - 1) + "\town\n"));
    EXPECT_NE(r.err.find("company.csv: 4行目: 2027-02-30 は存在しない日付です。"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("none.csv: ファイルがありません。"), std::string::npos) << r.err;
    const auto rows = rowsOf(r.out);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::vector<std::string>> expected{
        {"2027-05-03", "憲法記念日", "0", "1", "棚卸し"},
        {"2027-05-04", "みどりの日", "1", "0", ""},
        {"2027-05-05", "こどもの日", "1", "0", "誕生日"},
        {"2027-05-06", "", "1", "0", "振替休業"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 16u);
        EXPECT_EQ((std::vector<std::string>{rows[i][0], rows[i][2], rows[i][3], rows[i][14],
                                            rows[i][15]}),
                  expected[i]);
    }
}

// A shared days file can hold anything in a name: the output keeps one line and sixteen columns
// per day, and no control character reaches the terminal; a runaway rule is named, not waited for.
TEST(DaysCommand, NamesAndWarningsStayOnTheirLine) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "tobirae-days-hostile";
    fs::create_directories(dir);
    std::ofstream(dir / "names.csv", std::ios::binary)
        << "日付,名前,種類\n2027-05-03,\"two\nlines\",記念日\n2027-05-04,tab\there,記念日\n"
           "2027-05-05,\"\x1b]0;owned\x07\xe2\x80\xae"
           "evil\",記念日\n\x1b[31m2027,red,休日\n";
    std::ofstream(dir / "minutely.ics", std::ios::binary)
        << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:m\r\nSUMMARY:m\r\nDTSTART:20270101T000000Z\r\n"
           "RRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const CliResult r = runCli("days 2027-05-03 2027-05-05 --days " + (dir / "names.csv").string() +
                               " --days " + (dir / "minutely.ics").string());
    fs::remove_all(dir);
    EXPECT_EQ(r.status, 0);
    const auto rows = rowsOf(r.out);
    ASSERT_EQ(rows.size(), 3u) << r.out;
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 16u);
    EXPECT_EQ(rows[0][15], "two␊lines");
    EXPECT_EQ(rows[1][15], "tab␉here");
    EXPECT_EQ(rows[2][15], "␛]0;owned␇\xEF\xBF\xBD"
                           "evil");
    for (const std::string& text : {r.out, r.err})
        EXPECT_FALSE(std::any_of(text.begin(), text.end(),
                                 [](char c) { return c == '\x1b' || c == '\x07'; }));
    EXPECT_NE(r.err.find("names.csv: 6行目: ␛[31m2027 は日付ではありません。"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("minutely.ics: 6行目: 繰り返し (RRULE) が細かすぎる"), std::string::npos)
        << r.err;
}

// The columns of the selected days, the moon, ISO weeks and working days.
TEST(DaysCommand, SelectedDaysMoonWeeksAndWorkingDays) {
    const auto rows = rowsOf(runCli("days 2020-12-31 2021-01-04").out);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> weeks{"53", "53", "53", "53", "1"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i][13], weeks[i]) << rows[i][0];
    // 2025-03-10: 一粒万倍日 + 天赦日 + 寅の日 (and 三隣亡), a Monday worked.
    const auto march = rowsOf(runCli("days 2025-03-10 2025-03-14").out);
    ASSERT_EQ(march.size(), 5u);
    EXPECT_EQ(march[0][10], "一粒万倍日、天赦日、寅の日、三隣亡");
    EXPECT_EQ(march[0][14], "1");
    // Full moon 2025-03-14 06:55 UT (15:55 in Japan), the day of a total lunar eclipse.
    EXPECT_EQ(march[4][12], "満月");
    EXPECT_EQ(march[3][12], "");
    // Closed on Wednesdays and Thursdays instead of weekends.
    const auto shop = rowsOf(runCli("days 2025-03-08 2025-03-13 --weekly-off 水,木").out);
    ASSERT_EQ(shop.size(), 6u);
    std::string working;
    for (const auto& row : shop)
        working += row[14];
    EXPECT_EQ(working, "111100");
    const auto none = rowsOf(runCli("days 2025-03-08 2025-03-09 --weekly-off ''").out);
    ASSERT_EQ(none.size(), 2u);
    EXPECT_EQ(none[0][14] + none[1][14], "11");
}

TEST(DaysCommand, FailedOutputIsReported) {
    const CliResult r = runCli("days 2004-01-01 2004-12-31 >/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err, "");
}

} // namespace
} // namespace tobirae::test
