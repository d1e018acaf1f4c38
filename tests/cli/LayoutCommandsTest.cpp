#include "CliRunner.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace tobirae::test {
namespace {

// Layout files are built byte by byte here so the commands are checked against the format
// itself, not against the library that implements it.
void put(std::string& b, std::size_t at, std::int64_t value, int size) {
    for (int i = 0; i < size; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
void putFloat(std::string& b, std::size_t at, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    put(b, at, bits, 4);
}

std::string record(int category, int variant, int monthSelector, float left, float top) {
    std::string b(3925, '\0');
    putFloat(b, 0, top);
    putFloat(b, 4, left);
    putFloat(b, 8, 120);
    putFloat(b, 12, 60.5f);
    put(b, 32, -1, 2); // Live
    put(b, 38, category, 4);
    put(b, 42, variant, 4);
    put(b, 50, monthSelector, 4);
    return b;
}

std::string layoutFile() {
    std::string h(32, '\0');
    put(h, 0, 1, 4);
    put(h, 4, 1, 4);
    putFloat(h, 8, 297);
    putFloat(h, 12, 210);
    put(h, 16, 2, 4);
    put(h, 20, 0, 2);
    put(h, 22, 3, 4);
    put(h, 28, 0xFFFFFF, 4);
    return h + record(3, 4, 13, 5, 6) + record(2, 0, 27, 0, 0) + record(0, 0, 11, 1, 2) + "tail";
}

class LayoutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tobirae-cli-layout-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string dir;
};

TEST_F(LayoutCommands, InfoShowsThePageAndTheItemsInDrawingOrder) {
    const CliResult r = runCli("info " + write("a.CLF", layoutFile()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "用紙: サイズ指定\n"
                     "大きさ: 297 x 210 mm\n"
                     "解像度: 150 dpi\n"
                     "向き: 横\n"
                     "アイテム: 3\n"
                     // The boxes as the editor shows them: 4 pixels of frame around the drawing.
                     " 1 週単位横  X=5 Y=6 幅=124 高さ=64.5  翌月\n"
                     " 2 月表示  X=0 Y=0 幅=124 高さ=64.5  3月\n"
                     " 3 年表示  X=1 Y=2 幅=124 高さ=64.5  前月の年\n");
}

TEST_F(LayoutCommands, JsonComesBackAsTheIdenticalFile) {
    const std::string original = layoutFile();
    const std::string clf = write("a.CLF", original);
    const CliResult json = runCli("to-json " + clf);
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"MonthSelector\": 13"), std::string::npos);
    EXPECT_NE(json.out.find("\"TrailingBytes\": \"7461696c\""), std::string::npos);
    const CliResult back = runCli("from-json " + write("a.json", json.out) + " " + dir + "/b.CLF");
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(read(dir + "/b.CLF"), original);
}

TEST_F(LayoutCommands, BadFilesFailWithOneLineAndUsageErrorsWithTwo) {
    std::string tooMany = layoutFile();
    put(tooMany, 22, 101, 4);
    // Trailing bytes beyond what any command reads back are not written either.
    std::string hugeJson = runCli("to-json " + write("a.CLF", layoutFile())).out;
    const std::size_t tail = hugeJson.find("\"7461696c\"");
    ASSERT_NE(tail, std::string::npos);
    hugeJson.replace(tail + 1, 8, std::string(2 * 22'000'000, '0'));
    const struct {
        std::string arguments;
        int status;
        const char* reason;
    } cases[] = {
        {"info " + dir + "/missing.CLF", 1, "見つかりません"},
        {"info " + write("short.CLF", layoutFile().substr(0, 500)), 1, "途中"},
        {"to-json " + write("count.CLF", tooMany), 1, "アイテム数 101"},
        {"from-json " + write("bad.json", "{\"PageSettings\": {}, \"Items\": []}") + " " + dir +
             "/x.CLF",
         1, "PageSettings.FormatVersion"},
        {"from-json " + write("broken.json", "{") + " " + dir + "/x.CLF", 1, "JSON"},
        {"from-json " + write("huge.json", hugeJson) + " " + dir + "/x.CLF", 1, "大きすぎます"},
        {"info", 2, "info"},
        {"to-json a b", 2, "to-json"},
        {"from-json only-one", 2, "from-json"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_TRUE(r.err.starts_with("tobirae-cli: ")) << c.arguments << ": " << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.arguments << ": " << r.err;
    }
    EXPECT_FALSE(std::ifstream(dir + "/x.CLF").good()) << "nothing written on a bad JSON";
}

} // namespace
} // namespace tobirae::test
