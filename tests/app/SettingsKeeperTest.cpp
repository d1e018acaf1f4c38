#include "app/SettingsKeeper.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

struct KeptSettings : ::testing::Test {
    QTemporaryDir dir;
    AppSettings settings;
    void SetUp() override { settings.FileName = dir.filePath(QStringLiteral("Tobirae.ini")); }
    AppSettings onDisk() const { return loadAppSettings(settings.FileName); }
};

TEST_F(KeptSettings, AChangeIsWrittenWithoutAnExitAndChangesCloseTogetherAreOneWrite) {
    int argc = 1;
    char name[] = "app_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    SettingsKeeper keeper([this] { return settings; }, nullptr, 20);
    settings.RecentFiles = {QStringLiteral("/a/first.CLF")};
    keeper.changed();
    settings.LastRangeFrom = 202704;
    settings.LastRangeTo = 202704; // one month: from equal to to
    settings.LastFileFormat = 2;
    keeper.changed();
    // The event loop alone writes it: nothing calls flush or saves at exit.
    const QDeadlineTimer deadline(10000);
    while (keeper.writesDone() == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(keeper.writesDone(), 1);
    EXPECT_FALSE(keeper.lastError());
    const AppSettings read = onDisk();
    EXPECT_EQ(read.RecentFiles, settings.RecentFiles);
    EXPECT_EQ(read.LastRangeFrom, 202704);
    EXPECT_EQ(read.LastRangeTo, 202704);
    EXPECT_EQ(read.LastFileFormat, 2);
    // Written by replacing the file: no temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Tobirae.ini")});
}

TEST_F(KeptSettings, FlushWritesWhatIsPendingAndFailuresAreKept) {
    {
        SettingsKeeper keeper([this] { return settings; });
        settings.GridX = {120, 60};
        keeper.changed();
        keeper.flush();
        EXPECT_EQ(keeper.writesDone(), 1);
        EXPECT_EQ(onDisk().GridX[0], 120);
        settings.GridX = {240, 60};
        keeper.changed();
        keeper.flush();
    }
    EXPECT_EQ(onDisk().GridX[0], 240);

    // A folder where the file should be: the write fails and says why.
    settings.FileName = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    SettingsKeeper keeper([this] { return settings; });
    keeper.changed();
    keeper.flush();
    ASSERT_TRUE(keeper.lastError());
    EXPECT_FALSE(keeper.lastError()->isEmpty());
}

} // namespace
} // namespace tobirae
