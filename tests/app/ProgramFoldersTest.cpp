#include "app/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

// A prefix laid out as an installation: PREFIX/bin and PREFIX/share/tobirae/NAME.
TEST(ProgramFolders, BesideTheProgramFirstThenTheInstalledPlace) {
    QTemporaryDir root;
    const QDir prefix(root.path());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const auto installed = [&](const char* name) {
        return prefix.filePath(QStringLiteral("share/tobirae/") + QLatin1String(name));
    };
    ASSERT_TRUE(prefix.mkpath(QStringLiteral("bin/help")));
    ASSERT_TRUE(prefix.mkpath(installed("help")) && prefix.mkpath(installed("templates")));
    // A file of a data folder's name beside the program is not that folder.
    QFile stray(QDir(bin).filePath(QStringLiteral("templates")));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));

    EXPECT_EQ(dataFolder(bin, QStringLiteral("help")), QDir(bin).filePath(QStringLiteral("help")));
    EXPECT_EQ(dataFolder(bin, QStringLiteral("templates")), installed("templates"));
    // Neither exists: the installed place, cleaned, so a message can name it.
    EXPECT_EQ(dataFolder(bin, QStringLiteral("translations")), installed("translations"));
    // A relative program folder gives the same absolute answer.
    EXPECT_EQ(dataFolder(QDir::current().relativeFilePath(bin), QStringLiteral("templates")),
              installed("templates"));
}

} // namespace
} // namespace tobirae
