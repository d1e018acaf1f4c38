#include "app/RecentFiles.h"

#include "document/FixedText.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

TEST(RecentFiles, NewestFirstOnceAndAtMostEight) {
    QStringList files;
    for (int i = 0; i < 10; ++i)
        files = withRecentFile(files, QStringLiteral("/l%1.CLF").arg(i));
    files = withRecentFile(files, QStringLiteral("/l5.CLF"));
    EXPECT_EQ(files, (QStringList{"/l5.CLF", "/l9.CLF", "/l8.CLF", "/l7.CLF", "/l6.CLF", "/l4.CLF",
                                  "/l3.CLF", "/l2.CLF"}));
    // What the settings file cannot hold is not remembered.
    EXPECT_EQ(withRecentFile(files, QStringLiteral("/😀.CLF")), files);
    EXPECT_EQ(withRecentFile(files, QStringLiteral("/a\nb.CLF")), files);
    EXPECT_EQ(withRecentFile(files, QString()), files);
}

// Written into their own section and read back; a shorter list blanks the keys it no longer uses.
TEST(RecentFiles, KeptInASectionOfTheirOwn) {
    const QByteArray page = encodeCp932(QStringLiteral("[ページ]\r\nDPI=300\r\n"));
    SettingsFileEditor editor(page);
    writeRecentFiles(editor, {QStringLiteral("/暦/a.CLF"), QStringLiteral("/b.CLF")});
    writeRecentFiles(editor, {QStringLiteral("/b.CLF")});
    const SettingsText text = SettingsText::fromFileBytes(editor.bytes());
    EXPECT_EQ(readRecentFiles(text), QStringList{QStringLiteral("/b.CLF")});
    EXPECT_EQ(text.readNumber(u"ページ", u"DPI", 0), 300);
    EXPECT_TRUE(editor.bytes().startsWith(page));
}

} // namespace
} // namespace tobirae
