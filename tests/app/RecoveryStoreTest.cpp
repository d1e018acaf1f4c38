#include "app/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

TEST(RecoveryCopyFormat, KeepsThePathTheTimeAndEveryByte) {
    QByteArray layout;
    for (int i = 0; i < 4000; ++i)
        layout += static_cast<char>(i * 7);
    const QDateTime when =
        QDateTime::fromString(QStringLiteral("2027-03-04T05:06:07.089Z"), Qt::ISODateWithMs);
    for (const QString& path : {QStringLiteral("/home/a b/暦\n2027%.CLF"), QString()}) {
        const auto copy = decodeRecoveryCopy(encodeRecoveryCopy(layout, path, when));
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->layoutPath, path);
        EXPECT_EQ(copy->written, when);
        EXPECT_EQ(copy->layoutBytes, layout);
    }
    EXPECT_FALSE(decodeRecoveryCopy("something else\n\n\n"));
    EXPECT_FALSE(decodeRecoveryCopy(QByteArray()));
}

// Copies of editors still running are never offered; those of an editor that died are, newest
// first, and a removed copy is gone with its lock.
TEST(RecoveryStore, OffersOnlyTheCopiesOfEditorsThatEnded) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("state/Tobirae"));
    RecoveryStore running(folder);
    running.keep("running layout", QStringLiteral("/a.CLF"));
    running.waitForWrites();
    ASSERT_TRUE(QFile::exists(running.ownCopyPath()));

    RecoveryStore starting(folder);
    EXPECT_TRUE(starting.orphanedCopies().empty());

    // An editor that was killed: its copy and a lock naming a process that no longer runs.
    for (int i = 0; i < 2; ++i) {
        const QString copy = QDir(folder).filePath(QStringLiteral("edit-dead%1.recovery").arg(i));
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeRecoveryCopy(QByteArray("dead layout ") + char('0' + i),
                                      QStringLiteral("/b%1.CLF").arg(i),
                                      QDateTime::currentDateTimeUtc().addSecs(i * 60)));
        file.close();
        QFile lock(copy + QStringLiteral(".lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("2147483000\ntobirae\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    const std::vector<RecoveryCopy> offered = starting.orphanedCopies();
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].layoutPath, QStringLiteral("/b1.CLF"));
    EXPECT_EQ(offered[0].layoutBytes, "dead layout 1");
    EXPECT_EQ(offered[1].layoutPath, QStringLiteral("/b0.CLF"));
    RecoveryStore::removeCopy(offered[0]);
    EXPECT_FALSE(QFile::exists(offered[0].copyPath));
    EXPECT_EQ(starting.orphanedCopies().size(), 1u);

    running.discard();
    running.waitForWrites();
    EXPECT_FALSE(QFile::exists(running.ownCopyPath()));
}

} // namespace
} // namespace tobirae
