#include "app/AppSettings.h"

#include "app/PageStartup.h"
#include "app/SettingsLocation.h"
#include "document/FixedText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

AppSettings settingsOf(const char* utf8) {
    return appSettingsFromText(SettingsText::fromFileBytes(encodeCp932(QString::fromUtf8(utf8))));
}

TEST(AppSettings, DefaultsWhenTheFileIsEmpty) {
    const AppSettings s = settingsOf("");
    EXPECT_FALSE(s.FormLeft);
    EXPECT_FALSE(s.FormTop);
    EXPECT_EQ(s.Page.PageBackColor, 0xFFFFFF);
    EXPECT_EQ(s.Page.PaperSize, 0);
    EXPECT_EQ(s.Page.PaperWidth, 0.0f);
    EXPECT_EQ(s.Page.Resolution, 300);
    EXPECT_EQ(s.Page.Portrait, kTrue);
    EXPECT_EQ(s.GridX, (std::array<std::int32_t, 2>{60, 60}));
    EXPECT_EQ(s.GridShown, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(s.EditLineSnap, (std::array<bool, 2>{false, false}));
    EXPECT_TRUE(s.AlignToolbarShown);
    EXPECT_FALSE(s.LastRangeFrom);
    EXPECT_EQ(s.LastFileFormat, 0);
    EXPECT_EQ(s.PrintBleedTenthsMm, 30);
    EXPECT_TRUE(s.PrintMarks);
    EXPECT_FALSE(s.PrintPdfx);
    EXPECT_FALSE(s.BleedGuideShown);
    EXPECT_FALSE(s.SafetyGuideShown);
}

TEST(AppSettings, PrintShopKeysAreBounded) {
    EXPECT_EQ(settingsOf("[Tobirae]\nPrintBleed=250\n").PrintBleedTenthsMm, 100);
    EXPECT_EQ(settingsOf("[Tobirae]\nPrintBleed=-5\n").PrintBleedTenthsMm, 0);
    const AppSettings s = settingsOf("[Tobirae]\nPrintBleed=25\nPrintMarks=False\n"
                                     "PrintPdfx=True\nPrintProfile=/x/Japan Color.icc\n"
                                     "BleedGuide=True\nSafetyGuide=-1\n");
    EXPECT_EQ(s.PrintBleedTenthsMm, 25);
    EXPECT_FALSE(s.PrintMarks);
    EXPECT_TRUE(s.PrintPdfx);
    EXPECT_EQ(s.PrintProfile, QStringLiteral("/x/Japan Color.icc"));
    EXPECT_TRUE(s.BleedGuideShown);
    EXPECT_TRUE(s.SafetyGuideShown);
}

TEST(AppSettings, RememberedRangeOnlyWhenItIsACalendarRange) {
    const AppSettings s = settingsOf("[Tobirae]\nAlignToolbar=False\nLastRangeFrom=202704\n"
                                     "LastRangeTo=202803\nLastFileFormat=1\n");
    EXPECT_FALSE(s.AlignToolbarShown);
    EXPECT_EQ(s.LastRangeFrom, 202704);
    EXPECT_EQ(s.LastRangeTo, 202803);
    EXPECT_EQ(s.LastFileFormat, 1);
    for (const char* bad : {"[Tobirae]\nLastRangeFrom=202713\nLastRangeTo=202803\n",
                            "[Tobirae]\nLastRangeFrom=204912\nLastRangeTo=205001\n",
                            "[Tobirae]\nLastRangeFrom=202805\nLastRangeTo=202803\n",
                            "[Tobirae]\nLastRangeFrom=202704\n"}) {
        const AppSettings b = settingsOf(bad);
        EXPECT_FALSE(b.LastRangeFrom) << bad;
        EXPECT_FALSE(b.LastRangeTo) << bad;
    }
    EXPECT_EQ(settingsOf("[Tobirae]\nLastFileFormat=7\n").LastFileFormat, 2);
}

TEST(AppSettings, EveryKeyReachesItsValue) {
    const AppSettings s = settingsOf(
        "[Form]\nForm_Left=1200\nForm_Top=-30\n[ページ]\n背景色=&HC0C0C0\nPageSize=1\n"
        "Width=100.5\nHeight=150\nDPI=150\nOrientation=False\n[GRID]\nMainGridDisp=1\n"
        "SubGridDisp=0\nMainGridConnect=True\nSubGridConnect=-1\nMainGridX=24\nSubGridX=48\n"
        "MainGridY=36\nSubGridY=72\nVBarDisp=1\nHBarDisp=0\nVBarConnect=0\nHBarConnect=1\n");
    EXPECT_EQ(s.FormLeft, 1200);
    EXPECT_EQ(s.FormTop, -30);
    EXPECT_EQ(s.Page.PageBackColor, 12632256);
    EXPECT_EQ(s.Page.PaperSize, 1);
    EXPECT_EQ(s.Page.PaperWidth, 100.5f);
    EXPECT_EQ(s.Page.PaperHeight, 150.0f);
    EXPECT_EQ(s.Page.Resolution, 150);
    EXPECT_EQ(s.Page.Portrait, kFalse);
    EXPECT_EQ(s.GridShown, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(s.GridSnap, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(s.GridX, (std::array<std::int32_t, 2>{24, 48}));
    EXPECT_EQ(s.GridY, (std::array<std::int32_t, 2>{36, 72}));
    EXPECT_EQ(s.EditLineShown, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(s.EditLineSnap, (std::array<bool, 2>{false, true}));
}

TEST(AppSettings, SaveKeepsOtherLinesAndReadsBackTheSame) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tobirae.ini"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodeCp932(QStringLiteral("; メモ\r\n[ページ]\r\n背景色=&HC0C0C0\r\n"
                                           "Custom=keep me\r\n[Mine]\r\nx=1\r\n")));
    }
    AppSettings s = loadAppSettings(path);
    EXPECT_EQ(s.FileName, path);
    s.FormLeft = 15;
    s.FormTop = 25;
    s.GridX = {24, 1188};
    s.AlignToolbarShown = false;
    s.LastRangeFrom = 202704;
    s.LastRangeTo = 202803;
    s.LastFileFormat = 2;
    s.PrintBleedTenthsMm = 50;
    s.PrintMarks = false;
    s.PrintPdfx = true;
    s.PrintProfile = QStringLiteral("/icc/入稿.icc");
    s.BleedGuideShown = true;
    s.SafetyGuideShown = true;
    ASSERT_EQ(saveAppSettings(s), std::nullopt);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text =
        decodeCp932(std::span(reinterpret_cast<const std::uint8_t*>(f.readAll().constData()),
                              static_cast<std::size_t>(f.size())));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; メモ\r\n[ページ]\r\n背景色=12632256\r\n"
                                               "Custom=keep me\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[Mine]\r\nx=1\r\n")));

    const AppSettings back = loadAppSettings(path);
    EXPECT_EQ(back.FormLeft, 15);
    EXPECT_EQ(back.FormTop, 25);
    EXPECT_EQ(back.Page, s.Page);
    EXPECT_EQ(back.GridX, s.GridX);
    EXPECT_EQ(back.GridShown, s.GridShown);
    EXPECT_FALSE(back.AlignToolbarShown);
    EXPECT_EQ(back.LastRangeFrom, 202704);
    EXPECT_EQ(back.LastRangeTo, 202803);
    EXPECT_EQ(back.LastFileFormat, 2);
    EXPECT_EQ(back.PrintBleedTenthsMm, 50);
    EXPECT_FALSE(back.PrintMarks);
    EXPECT_TRUE(back.PrintPdfx);
    EXPECT_EQ(back.PrintProfile, QStringLiteral("/icc/入稿.icc"));
    EXPECT_TRUE(back.BleedGuideShown);
    EXPECT_TRUE(back.SafetyGuideShown);
}

TEST(PageStartup, A4FollowsTheOrientationAndIsWrittenBack) {
    AppSettings s = settingsOf("[ページ]\nPageSize=0\nOrientation=0\nWidth=5\nHeight=6\n");
    const PageValues page = startupPage(s.Page);
    EXPECT_EQ(page.PaperWidth, 297.0f);
    EXPECT_EQ(page.PaperHeight, 210.0f);
    EXPECT_FALSE(page.Portrait);
    EXPECT_EQ(s.Page.PaperWidth, 297.0f);
    EXPECT_EQ(s.Page.PaperHeight, 210.0f);

    QTemporaryDir dir;
    s.FileName = dir.filePath(QStringLiteral("Tobirae.ini"));
    ASSERT_EQ(saveAppSettings(s), std::nullopt);
    const SettingsText written = SettingsText::fromFile(s.FileName);
    EXPECT_EQ(written.value(u"ページ", u"Width"), QStringLiteral("297"));
    EXPECT_EQ(written.value(u"ページ", u"Height"), QStringLiteral("210"));

    AppSettings portrait = settingsOf("[ページ]\nPageSize=0\n");
    const PageValues p2 = startupPage(portrait.Page);
    EXPECT_EQ(p2.PaperWidth, 210.0f);
    EXPECT_EQ(p2.PaperHeight, 297.0f);
    EXPECT_EQ(portrait.Page.PaperWidth, 210.0f);
}

TEST(PageStartup, UserSizeIsTakenAsItStands) {
    AppSettings s = settingsOf("[ページ]\nPageSize=1\nWidth=100\nHeight=150\nOrientation=0\n");
    const PageValues page = startupPage(s.Page);
    EXPECT_EQ(page.PaperSize, 1);
    EXPECT_EQ(page.PaperWidth, 100.0f);
    EXPECT_EQ(page.PaperHeight, 150.0f);
    EXPECT_FALSE(page.Portrait);
    EXPECT_EQ(s.Page.PaperWidth, 100.0f);

    // A user size below what the page-size dialog allows (the file's default 0) is raised to it.
    AppSettings tiny = settingsOf("[ページ]\nPageSize=1\n");
    const PageValues p2 = startupPage(tiny.Page);
    EXPECT_EQ(p2.PaperWidth, 50.0f);
    EXPECT_EQ(p2.PaperHeight, 50.0f);
}

TEST(PageStartup, ResolutionIndexFromDotsPerInch) {
    const struct {
        const char* dpi;
        int index;
        int documentDpi;
    } cases[] = {{"300", 4, 300}, {"72", 0, 72}, {"96", 5, 96}, {"0", 4, 300}, {"-5", 4, 300}};
    for (const auto& c : cases) {
        AppSettings s = settingsOf((std::string("[ページ]\nDPI=") + c.dpi + "\n").c_str());
        const PageValues page = startupPage(s.Page);
        EXPECT_EQ(page.ResolutionIndex, c.index) << c.dpi;
        EXPECT_EQ(page.ResolutionDpi, c.documentDpi) << c.dpi;
    }
}

TEST(SettingsLocation, BesideTheProgramWhenWritableElseInTheUserConfig) {
    QTemporaryDir dir;
    EXPECT_EQ(settingsFilePath(dir.path(), QStringLiteral("/home/u/.config")),
              QDir(dir.path()).filePath(QStringLiteral("Tobirae.ini")));
    EXPECT_EQ(
        settingsFilePath(QStringLiteral("/no/such/program/dir"), QStringLiteral("/home/u/.config")),
        QStringLiteral("/home/u/.config/Tobirae/Tobirae.ini"));
    EXPECT_EQ(settingsFilePath(QString(), QStringLiteral("/cfg")),
              QStringLiteral("/cfg/Tobirae/Tobirae.ini"));
}

} // namespace
} // namespace tobirae
