#include "app/SettingsFile.h"

#include "app/AppSettings.h"
#include "document/FixedText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tobirae {
namespace {

SettingsText textOf(const char* utf8) {
    return SettingsText::fromFileBytes(encodeCp932(QString::fromUtf8(utf8)));
}

TEST(SettingsText, IsTheTrimmedNonEmptyLinesWithCrLf) {
    const SettingsText t = textOf("  [Form]  \n\nForm_Left=10 \r\n   \r\n");
    EXPECT_EQ(t.text(), QStringLiteral("[Form]\r\nForm_Left=10\r\n"));
}

TEST(SettingsText, LookupIgnoresCaseAndBlanksAroundTheEqualsSign) {
    const SettingsText t = textOf("[grid]\nmainGRIDx = 40\n");
    EXPECT_EQ(t.readNumber(u"GRID", u"MainGridX", 60), 40);
    EXPECT_EQ(t.value(u"Grid", u"MAINGRIDX"), QStringLiteral("40"));
}

TEST(SettingsText, ALongerKeyWithTheSameBeginningDoesNotMatch) {
    const SettingsText t = textOf("[ページ]\nDPIX=1\n");
    EXPECT_EQ(t.readNumber(u"ページ", u"DPI", 300), 300);
    const SettingsText both = textOf("[ページ]\nDPIX=1\nDPI=150\n");
    EXPECT_EQ(both.readNumber(u"ページ", u"DPI", 300), 150);
}

TEST(SettingsText, KeysOfALaterSectionDoNotCount) {
    const SettingsText t = textOf("[GRID]\nMainGridY=30\n[Other]\nMainGridX=99\n");
    EXPECT_EQ(t.readNumber(u"GRID", u"MainGridX", 60), 60);
    EXPECT_EQ(t.readNumber(u"GRID", u"MainGridY", 60), 30);
    EXPECT_EQ(t.readNumber(u"Other", u"MainGridX", 60), 99);
    EXPECT_FALSE(t.value(u"Missing", u"MainGridX"));
}

TEST(SettingsText, ValueEndsAtTheLineAndKeepsItsLetters) {
    const SettingsText t = textOf("[A]\nName = Mixed Case =x \nEmpty=\nBare\nNext=5\n");
    EXPECT_EQ(t.value(u"A", u"Name"), QStringLiteral("Mixed Case =x"));
    EXPECT_EQ(t.value(u"A", u"Empty"), QString());
    EXPECT_EQ(t.readText(u"A", u"Empty", QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_EQ(t.readText(u"A", u"Empty", QString()), QString());
    // A key line without "=" does not take the next line's value.
    EXPECT_FALSE(t.value(u"A", u"Bare"));
    // Without a final line end the value stops at character 26.
    const SettingsText raw =
        SettingsText::fromText(QStringLiteral("[A]\r\nK=7") + QChar(26) + QStringLiteral("junk"));
    EXPECT_EQ(raw.value(u"A", u"K"), QStringLiteral("7"));
}

TEST(SettingsText, TypedReadsFallBackOnUnusableValues) {
    const SettingsText t =
        textOf("[T]\nhex=&HC0C0C0\ndec=12632256\nneg=-5\nminus1=&HFFFFFFFF\n"
               "frac=12.5\nword=abc\nbig=99999999999\nlong=&H123456789\n"
               "f1=True\nf2=false\nf3=2\nf4=0\nf5=yes\nw=210.5\nw2=.5\nw3=1e3\n");
    struct {
        const char16_t* key;
        std::int32_t expected;
    } numbers[] = {{u"hex", 12632256}, {u"dec", 12632256}, {u"neg", -5},
                   {u"minus1", -1},    {u"frac", 7},       {u"word", 7},
                   {u"big", 7},        {u"long", 7},       {u"none", 7}};
    for (const auto& n : numbers)
        EXPECT_EQ(t.readNumber(u"T", QStringView(n.key), 7), n.expected)
            << QString::fromUtf16(n.key).toStdString();
    EXPECT_TRUE(t.readFlag(u"T", u"f1", false));
    EXPECT_FALSE(t.readFlag(u"T", u"f2", true));
    EXPECT_TRUE(t.readFlag(u"T", u"f3", false));
    EXPECT_FALSE(t.readFlag(u"T", u"f4", true));
    EXPECT_TRUE(t.readFlag(u"T", u"f5", true));
    EXPECT_FALSE(t.readFlag(u"T", u"f5", false));
    EXPECT_EQ(t.readDecimal(u"T", u"w", 0), 210.5f);
    EXPECT_EQ(t.readDecimal(u"T", u"w2", 0), 0.5f);
    EXPECT_EQ(t.readDecimal(u"T", u"w3", 3), 3.0f);
    EXPECT_EQ(t.readDecimal(u"T", u"word", 3), 3.0f);
}

TEST(SettingsText, MissingFileOrOneThatIsNoRegularFileGivesEmptyText) {
    EXPECT_TRUE(SettingsText::fromFile(QStringLiteral("/no/such/file.ini")).text().isEmpty());
    EXPECT_TRUE(SettingsText::fromFile(QString()).text().isEmpty());
    // A pipe without a writer would block the reader for good.
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("Tobirae.ini"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_TRUE(SettingsText::fromFile(pipe).text().isEmpty());
    QString why;
    EXPECT_FALSE(SettingsFileEditor::fromFile(pipe, &why));
    EXPECT_TRUE(why.contains(pipe));
    EXPECT_TRUE(SettingsText::fromFile(dir.path()).text().isEmpty());
}

TEST(SettingsWriter, FormsOfValues) {
    EXPECT_EQ(settingsDecimalText(297.0f), QStringLiteral("297"));
    EXPECT_EQ(settingsDecimalText(210.1f), QStringLiteral("210.1"));
    EXPECT_EQ(settingsDecimalText(0.0f), QStringLiteral("0"));
    EXPECT_EQ(settingsNumberText(-1), QStringLiteral("-1"));
    EXPECT_EQ(settingsFlagText(true), QStringLiteral("1"));
    EXPECT_EQ(settingsFlagText(false), QStringLiteral("0"));
}

TEST(SettingsWriter, ReplacesOnlyTheKeysLine) {
    const QByteArray original = encodeCp932(QStringLiteral(
        "; 設定\r\n[Form]\r\nForm_Left = 100\r\nForm_LeftX=5\r\n\r\n[ページ]\r\n背景色=0\r\n"));
    SettingsFileEditor editor(original);
    editor.setValue(QStringLiteral("FORM"), QStringLiteral("form_left"), QStringLiteral("250"));
    editor.setValue(QStringLiteral("ページ"), QStringLiteral("背景色"), QStringLiteral("12632256"));
    EXPECT_EQ(editor.bytes(),
              encodeCp932(QStringLiteral("; 設定\r\n[Form]\r\nform_left=250\r\nForm_LeftX=5\r\n"
                                         "\r\n[ページ]\r\n背景色=12632256\r\n")));
}

TEST(SettingsWriter, AddsMissingKeysAtTheEndOfTheirSectionAndMissingSectionsAtTheEnd) {
    SettingsFileEditor editor(QByteArray("[GRID]\nMainGridX=60\n\n[Other]\nk=v"));
    editor.setValue(QStringLiteral("GRID"), QStringLiteral("SubGridX"), QStringLiteral("30"));
    editor.setValue(QStringLiteral("Form"), QStringLiteral("Form_Top"), QStringLiteral("7"));
    editor.setValue(QStringLiteral("Other"), QStringLiteral("k2"), QStringLiteral("w"));
    EXPECT_EQ(editor.bytes(), QByteArray("[GRID]\nMainGridX=60\nSubGridX=30\n\n[Other]\nk=v\n"
                                         "k2=w\n[Form]\nForm_Top=7\n"));
}

TEST(SettingsWriter, KeepsUnreadableBytesOfOtherLines) {
    const QByteArray original("[A]\r\nodd=\xFF\xFE\x80\r\nk=1\r\n", 19);
    SettingsFileEditor editor(original);
    editor.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2"));
    EXPECT_EQ(editor.bytes(), QByteArray("[A]\r\nodd=\xFF\xFE\x80\r\nk=2\r\n", 19));
}

TEST(SettingsWriter, NewFileAndLineBreaksInValues) {
    SettingsFileEditor editor;
    editor.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("x\ny"));
    EXPECT_EQ(editor.bytes(), QByteArray("[A]\r\nk=x y\r\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/Tobirae.ini"));
    ASSERT_EQ(writeSettingsKey(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("1")),
              std::nullopt);
    ASSERT_EQ(writeSettingsKey(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")),
              std::nullopt);
    EXPECT_EQ(SettingsText::fromFile(path).readNumber(u"A", u"k", 0), 2);
}

// A file the reader could not take whole is not rewritten: what lies past the part read would be
// lost. The writer says so and leaves the file's bytes alone.
TEST(SettingsWriter, RefusesToRewriteAFileItCouldNotReadWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tobirae.ini"));
    QByteArray huge = "[GRID]\r\nMainGridX=40\r\n" + QByteArray(kMaxSettingsFileBytes, 'x');
    huge += "\r\n[Mine]\r\nKept=1\r\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(huge);
    }
    AppSettings settings = loadAppSettings(path);
    EXPECT_EQ(settings.GridX[0], 40);
    const auto error = saveAppSettings(settings);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(path)) << error->toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), huge);
}

} // namespace
} // namespace tobirae
