#include "CliRunner.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

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
    };
    for (const std::string& args : cases) {
        const CliResult r = runCli("render " + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("tobirae-cli: "), std::string::npos) << args;
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

TEST_F(RenderCommand, APictureThatDoesNotShowIsNamedOnStderrAndThePageStillWritten) {
    // The layout alone, without its picture beside it.
    fs::copy_file(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF", dir / "p.CLF");
    const std::string render =
        "render " + (dir / "p.CLF").string() + " --year 2027 --month 3 --dpi 72 -o ";
    CliResult r = runCli(render + (dir / "a.bmp").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "a.bmp"));
    EXPECT_NE(r.err.find("tobirae-cli: warning: item "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("mountains.png"), std::string::npos) << r.err;

    // A picture there but damaged.
    std::ofstream(dir / "mountains.png", std::ios::binary) << "\x89PNG but cut short";
    r = runCli(render + (dir / "b.bmp").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "b.bmp"));
    EXPECT_NE(r.err.find((dir / "mountains.png").string()), std::string::npos) << r.err;
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
}

} // namespace
} // namespace tobirae::test
