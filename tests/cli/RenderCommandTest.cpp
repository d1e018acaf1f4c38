#include "CliRunner.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>

namespace tobirae::test {
namespace {

namespace fs = std::filesystem;

const std::string kExample = TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF";

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("tobirae-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::uint32_t u32(const std::string& b, std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
        return v;
    }
    fs::path dir;
};

TEST_F(RenderCommand, BadArgumentsAreUsageErrors) {
    const std::string out = " -o " + (dir / "x.bmp").string();
    const std::string cases[] = {
        kExample + " --month 1" + out,   // no year
        kExample + " --year 2027" + out, // neither month nor all months
        kExample + " --year 2027 --month 1 --all-months" + out,
        kExample + " --year 2027 --month 13" + out,
        kExample + " --year 1949 --month 1" + out,
        kExample + " --year 2027 --month 1", // no output
        kExample + " --year 2027 --month 1 --depth 16" + out,
        kExample + " --year 2027 --month 1 --format gif" + out,
        kExample + " --year 2027 --month 1 --dpi 0" + out,
        kExample + " --year 2027 --month x" + out,
        "--year 2027 --month 1" + out, // no layout
        kExample + " --year 2027 --month 1 --colour red" + out,
        kExample + " --from 2027-04" + out, // a range needs both ends
        kExample + " --from 2028-04 --to 2027-03" + out,
        kExample + " --from 1949-12 --to 1950-03" + out,
        kExample + " --from 2049-12 --to 2050-01" + out,
        kExample + " --from 2027-13 --to 2028-01" + out,
        kExample + " --from 2027/04 --to 2028-03" + out,
        kExample + " --from 2027-04 --to 2028-03 --year 2027" + out,
        kExample + " --from 2027-04 --to 2028-03 --all-months" + out,
        kExample + " --year 2027 --month 1 --format pdf --depth 24" + out,
        kExample + " --year 2027 --month 1 --format pdf --bleed 11" + out,
        kExample + " --year 2027 --month 1 --format pdf --bleed -1" + out,
        kExample + " --year 2027 --month 1 --format pdf --bleed x" + out,
        kExample + " --year 2027 --month 1 --format pdf --pdfx" + out,
        kExample + " --year 2027 --month 1 --marks" + out, // print-shop options are for PDF
        kExample + " --year 2027 --month 1 --bleed 3" + out,
    };
    for (const std::string& args : cases) {
        const CliResult r = runCli("render " + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("tobirae-cli: "), std::string::npos) << args;
        // Told in Japanese, like every other message of the program.
        EXPECT_TRUE(std::any_of(r.err.begin(), r.err.end(),
                                [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            << r.err;
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(RenderCommand, WritesOnePage) {
    const fs::path out = dir / "page.bmp";
    const CliResult r = runCli("render " + kExample +
                               " --year 2027 --month 1 --dpi 72 --depth 24 -o " + out.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err; // no progress lines when stderr is not a terminal
    const std::string bytes = bytesOf(out);
    ASSERT_GE(bytes.size(), 58u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    // A4 at 72 dpi: 595.5 -> 596 -> 592 wide, 842 high; 24-bit rows of 1776 bytes.
    EXPECT_EQ(u32(bytes, 18), 592u);
    EXPECT_EQ(u32(bytes, 22), 842u);
    EXPECT_EQ(u32(bytes, 38), 2835u);
    EXPECT_EQ(bytes.size(), 58u + 1776u * 842u);
}

TEST_F(RenderCommand, PrintShopPdfHasTrimAndBleedBoxesAndAPreflightOnStderr) {
    const fs::path out = dir / "shop.pdf";
    const CliResult r =
        runCli("render " + kExample +
               " --from 2027-04 --to 2027-05 --format pdf --bleed 3 --marks -o " + out.string());
    ASSERT_EQ(r.status, 0) << r.err; // warnings do not change the status
    EXPECT_NE(r.err.find("入稿チェック"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--pdfx"), std::string::npos) << r.err; // the RGB hint
    const CliResult boxes = runShell("pdfinfo -box " + out.string());
    if (boxes.status != 0)
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_NE(boxes.out.find("Pages:           2"), std::string::npos) << boxes.out;
    // A4 portrait: 595.28 x 841.89 points of trim, 3 mm (8.5 points) more on each side.
    EXPECT_NE(boxes.out.find("TrimBox:"), std::string::npos) << boxes.out;
    const auto widthOf = [&](const std::string& box) {
        std::istringstream line(boxes.out.substr(boxes.out.find(box) + box.size()));
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        line >> x0 >> y0 >> x1 >> y1;
        return x1 - x0;
    };
    EXPECT_NEAR(widthOf("TrimBox:"), 595.28, 0.3);
    EXPECT_NEAR(widthOf("BleedBox:"), 595.28 + 17.01, 0.3);
    EXPECT_GE(widthOf("MediaBox:"), 595.28 + 17.01 + 56.69);
}

TEST_F(RenderCommand, PdfxWithoutGhostscriptWritesNothing) {
    const fs::path out = dir / "x.pdf";
    // A PATH without gs.
    const CliResult r =
        runShell("PATH=/nonexistent " TOBIRAE_CLI_PATH " render " + kExample +
                 " --year 2027 --month 4 --format pdf --pdfx default -o " + out.string());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("Ghostscript"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(RenderCommand, PngOutput) {
    const fs::path out = dir / "page.png";
    const CliResult r = runCli("render " + kExample +
                               " --year 2027 --month 2 --dpi 72 --format png -o " + out.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(bytesOf(out).substr(1, 3), "PNG");
}

TEST_F(RenderCommand, AllMonthsWritesTwelvePages) {
    const CliResult r = runCli("render " + kExample + " --year 2027 --all-months --dpi 72 -o " +
                               (dir / "year").string());
    ASSERT_EQ(r.status, 0) << r.err;
    for (int m = 1; m <= 12; ++m) {
        const fs::path page =
            dir / "year" / ((m < 10 ? "2027-0" : "2027-") + std::to_string(m) + ".bmp");
        EXPECT_TRUE(fs::exists(page)) << page;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "year"), fs::directory_iterator()), 12);
}

TEST_F(RenderCommand, APictureThatDoesNotShowStopsTheRenderUnlessAllowed) {
    // The layout alone, without its picture beside it.
    fs::copy_file(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF", dir / "p.CLF");
    const std::string render =
        "render " + (dir / "p.CLF").string() + " --year 2027 --month 3 --dpi 72 -o ";
    for (const std::string format : {"", " --format pdf"}) {
        SCOPED_TRACE(format);
        CliResult r = runCli(render + (dir / "a.out").string() + format);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_FALSE(fs::exists(dir / "a.out"));
        EXPECT_NE(r.err.find("mountains.png (見つかりません)"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--allow-missing-pictures"), std::string::npos) << r.err;

        r = runCli(render + (dir / "a.out").string() + format + " --allow-missing-pictures");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(fs::exists(dir / "a.out"));
        EXPECT_NE(r.err.find("tobirae-cli: 警告: 画像なしで作成します: C:\\Calendars\\mountains.png"),
                  std::string::npos)
            << r.err;
        fs::remove(dir / "a.out");
    }

    // A picture there but damaged.
    std::ofstream(dir / "mountains.png", std::ios::binary) << "\x89PNG but cut short";
    CliResult r = runCli(render + (dir / "b.bmp").string());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_FALSE(fs::exists(dir / "b.bmp"));
    EXPECT_NE(r.err.find("mountains.png (画像として読み込めません)"), std::string::npos) << r.err;
}

TEST_F(RenderCommand, AllMonthsNamesEveryMonthNotWrittenAndWritesTheOthers) {
    fs::create_directories(dir / "year" / "2027-03.bmp"); // a folder where a page should go
    fs::create_directories(dir / "year" / "2027-07.bmp");
    std::ofstream(dir / "year" / "2027-12.bmp") << "stale";
    const CliResult r = runCli("render " + kExample + " --year 2027 --all-months --dpi 72 -o " +
                               (dir / "year").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("tobirae-cli: 2027-03: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("tobirae-cli: 2027-07: "), std::string::npos) << r.err;
    for (int m : {1, 2, 4, 5, 6, 8, 9, 10, 11, 12}) {
        const fs::path page =
            dir / "year" / ((m < 10 ? "2027-0" : "2027-") + std::to_string(m) + ".bmp");
        EXPECT_EQ(bytesOf(page).substr(0, 2), "BM") << page;
    }
}

// Output names that are links are written through to their target; nodes that are not regular
// files are never replaced.
TEST_F(RenderCommand, OutputThroughALinkReachesItsTargetAndOtherNodesAreRefused) {
    fs::create_directories(dir / "real");
    std::ofstream(dir / "real" / "page.bmp") << "old";
    fs::create_symlink("real/page.bmp", dir / "link.bmp");
    CliResult r = runCli("render " + kExample + " --year 2027 --month 1 --dpi 72 -o " +
                         (dir / "link.bmp").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(dir / "link.bmp"));
    EXPECT_EQ(bytesOf(dir / "real" / "page.bmp").substr(0, 2), "BM");

    const std::string json = runCli("to-json " + kExample).out;
    std::ofstream(dir / "a.json") << json;
    fs::create_symlink("real/a.CLF", dir / "a.CLF"); // a link to a file not there yet
    r = runCli("from-json " + (dir / "a.json").string() + " " + (dir / "a.CLF").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(dir / "a.CLF"));
    EXPECT_EQ(bytesOf(dir / "real" / "a.CLF"), bytesOf(kExample));

    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& command :
         {"render " + kExample + " --year 2027 --month 1 --dpi 72 -o " + pipe.string(),
          "render " + kExample + " --year 2027 --month 1 --format pdf -o " + pipe.string(),
          "from-json " + (dir / "a.json").string() + " " + pipe.string()}) {
        r = runCli(command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find(pipe.string()), std::string::npos) << r.err;
        EXPECT_TRUE(fs::is_fifo(pipe)) << command;
    }
}

// A disk that fills up: the message says so and names the file; the previous file stays. The disk
// is a small private file system, so the test needs the right to mount one.
TEST_F(RenderCommand, AFullDiskIsNamedAndThePreviousFileKept) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no private mounts here";
    const fs::path disk = dir / "disk";
    fs::create_directories(disk);
    ASSERT_EQ(mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k"), 0);
    std::ofstream(disk / "page.bmp") << "previous page";
    std::ofstream(disk / "page.png") << "previous png";
    std::ofstream(disk / "page.pdf") << "previous pdf";
    std::ofstream(disk / "a.CLF") << "previous layout";
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    const std::string json = runCli("to-json " + kExample).out;
    std::ofstream(dir / "a.json") << json;
    const struct {
        std::string command;
        fs::path target;
        std::string previous;
    } cases[] = {
        {"render " + kExample + " --year 2027 --month 1 --dpi 72 -o " +
             (disk / "page.bmp").string(),
         disk / "page.bmp", "previous page"},
        {"render " + kExample + " --year 2027 --month 1 --dpi 72 --format png -o " +
             (disk / "page.png").string(),
         disk / "page.png", "previous png"},
        {"render " + kExample + " --year 2027 --month 1 --format pdf -o " +
             (disk / "page.pdf").string(),
         disk / "page.pdf", "previous pdf"},
        {"from-json " + (dir / "a.json").string() + " " + (disk / "a.CLF").string(), disk / "a.CLF",
         "previous layout"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.command);
        EXPECT_EQ(r.status, 1) << c.command;
        EXPECT_NE(r.err.find("ディスクの空きが足りません"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.target.string()), std::string::npos) << r.err;
        EXPECT_EQ(bytesOf(c.target), c.previous);
    }
    umount(disk.c_str());
}

// Every writer treats its output the same way: a read-only file is refused with the same reason,
// the longest legal name is written, and links are followed as the kernel follows them.
TEST_F(RenderCommand, EveryFormatRefusesReadOnlyFilesAndFollowsLinksAlike) {
    const std::string json = runCli("to-json " + kExample).out;
    std::ofstream(dir / "a.json") << json;
    const std::string month = "render " + kExample + " --year 2027 --month 1 --dpi 72 ";
    const struct {
        std::string command; // the output path follows
        std::string suffix;
    } writers[] = {
        {month + "--format bmp -o ", ".bmp"},
        {month + "--format png -o ", ".png"},
        {month + "--format pdf -o ", ".pdf"},
        {"from-json " + (dir / "a.json").string() + " ", ".CLF"},
    };
    fs::create_directories(dir / "deep" / "inner");
    fs::create_directory_symlink("deep/inner", dir / "dl");
    for (const auto& w : writers) {
        const fs::path keep = dir / ("keep" + w.suffix);
        std::ofstream(keep) << "kept";
        fs::permissions(keep,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        CliResult r = runCli(w.command + keep.string());
        EXPECT_EQ(r.status, 1) << w.command;
        EXPECT_NE(r.err.find("権限がありません"), std::string::npos) << r.err;
        EXPECT_EQ(bytesOf(keep), "kept");

        const fs::path longest = dir / (std::string(250 - w.suffix.size(), 'l') + w.suffix);
        r = runCli(w.command + longest.string());
        EXPECT_EQ(r.status, 0) << w.command << r.err;
        EXPECT_TRUE(fs::exists(longest)) << w.command;
        fs::remove(longest);

        const fs::path victim = dir / ("victim" + w.suffix);
        std::ofstream(victim) << "unrelated";
        fs::create_symlink("../victim" + w.suffix, dir / "deep" / "inner" / ("out" + w.suffix));
        r = runCli(w.command + (dir / "dl" / ("out" + w.suffix)).string());
        EXPECT_EQ(r.status, 0) << w.command << r.err;
        EXPECT_EQ(bytesOf(victim), "unrelated") << w.command;
        EXPECT_TRUE(fs::exists(dir / "deep" / ("victim" + w.suffix))) << w.command;
    }
    // Nothing but the files named was left in the folder: no temporaries.
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(RenderCommand, RangesAcrossYearsGiveAFolderOfPagesOrOnePdf) {
    CliResult r = runCli("render " + kExample + " --from 2027-11 --to 2028-02 --dpi 72 -o " +
                         (dir / "winter").string());
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"2027-11.bmp", "2027-12.bmp", "2028-01.bmp", "2028-02.bmp"})
        EXPECT_TRUE(fs::exists(dir / "winter" / name)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "winter"), fs::directory_iterator()), 4);

    const fs::path pdf = dir / "fiscal.pdf";
    r = runCli("render " + kExample + " --from 2027-04 --to 2028-03 --format pdf -o " +
               pdf.string());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto pdfPages = [&](const fs::path& path) {
        const std::string bytes = bytesOf(path);
        EXPECT_EQ(bytes.substr(0, 5), "%PDF-") << path;
        std::size_t pages = 0;
        for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
             at = bytes.find("/Type /Page\n", at + 1))
            ++pages;
        return pages;
    };
    EXPECT_EQ(pdfPages(pdf), 12u);
    // One month makes a one-page PDF at the path given, the calendar's first and last too.
    for (const char* months :
         {"--year 2027 --month 5", "--from 2049-12 --to 2049-12", "--from 1950-01 --to 1950-01"}) {
        const fs::path one = dir / "one.pdf";
        r = runCli("render " + kExample + " " + months + " --format pdf -o " + one.string());
        ASSERT_EQ(r.status, 0) << months << ": " << r.err;
        EXPECT_EQ(pdfPages(one), 1u) << months;
    }
}

// The user's days files print their names where the holidays' print, and what cannot be read
// is named while the pages are still written.
TEST_F(RenderCommand, DaysFilesPutTheirNamesOnThePage) {
    std::ofstream(dir / "company.csv") << "日付,名前,種類\n2027-05-06,振替休業,休日\n"
                                          "2027-05-03,棚卸し,出勤日\n2027-05-32,x,休日\n";
    const fs::path pdf = dir / "may.pdf";
    const CliResult r =
        runCli("render " + kExample + " --year 2027 --month 5 --format pdf --days " +
               (dir / "company.csv").string() + " --days " + (dir / "none.ics").string() + " -o " +
               pdf.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("company.csv: 4行目: 2027-05-32 は存在しない日付です。"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("none.ics: ファイルがありません。"), std::string::npos) << r.err;
    const CliResult text = runShell("pdftotext " + pdf.string() + " -");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("振替休業"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("憲法記念日・棚卸し"), std::string::npos) << text.out;
}

TEST_F(RenderCommand, MissingLayoutOrUnwritableOutputFails) {
    CliResult r = runCli("render " + (dir / "none.CLF").string() + " --year 2027 --month 1 -o " +
                         (dir / "a.bmp").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir / "a.bmp"));
    r = runCli("render " + kExample + " --year 2027 --month 1 --dpi 72 -o " +
               (dir / "missing" / "a.bmp").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("tobirae-cli: "), std::string::npos);
    r = runCli("render " + kExample + " --year 2027 --month 1 --format pdf -o " +
               (dir / "missing" / "a.pdf").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

} // namespace
} // namespace tobirae::test
