#include "app/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A link put in place of a copy is replaced, never followed, and a copy that cannot be used is
// named rather than skipped; a copy that cannot be written says why.
TEST(RecoveryStore, PrivateFilesFollowNoLinkAndFailuresAreNamed) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("state/Tobirae"));
    RecoveryStore store(folder);
    store.keep("first", QString());
    store.waitForWrites();
    const QString unrelated = dir.filePath(QStringLiteral("unrelated.txt"));
    QFile other(unrelated);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("keep me");
    other.close();
    ASSERT_TRUE(QFile::remove(store.ownCopyPath()));
    ASSERT_TRUE(QFile::link(unrelated, store.ownCopyPath()));
    store.keep("second", QString());
    store.waitForWrites();
    EXPECT_FALSE(store.lastError());
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "keep me");
    other.close();
    EXPECT_FALSE(QFileInfo(store.ownCopyPath()).isSymLink());
    EXPECT_EQ(QFile(store.ownCopyPath()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
              QFile::Permissions{});

    // Copies of dead editors: a link to a foreign file and one cut within its header lines.
    const QString linked = QDir(folder).filePath(QStringLiteral("edit-link.recovery"));
    ASSERT_TRUE(QFile::link(unrelated, linked));
    QFile cut(QDir(folder).filePath(QStringLiteral("edit-cut.recovery")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(encodeRecoveryCopy("layout", QStringLiteral("/c.CLF"), QDateTime::currentDateTime())
                  .left(30));
    cut.close();
    RecoveryStore next(folder);
    const std::vector<RecoveryCopy> offered = next.orphanedCopies();
    ASSERT_EQ(offered.size(), 2u);
    for (const RecoveryCopy& copy : offered) {
        EXPECT_FALSE(copy.damage.isEmpty()) << copy.copyPath.toStdString();
        EXPECT_TRUE(copy.layoutBytes.isEmpty());
    }

    // A state folder that cannot be made: the error reaches the handler.
    const QString blocked = dir.filePath(QStringLiteral("file-not-folder"));
    ASSERT_TRUE(QFile(blocked).open(QIODevice::WriteOnly));
    RecoveryStore nowhere(blocked + QStringLiteral("/Tobirae"));
    QString said;
    nowhere.onFailure([&](const QString& error) { said = error; });
    nowhere.keep("lost", QString());
    nowhere.waitForWrites();
    ASSERT_TRUE(nowhere.lastError());
    EXPECT_EQ(said, *nowhere.lastError());
    EXPECT_FALSE(said.isEmpty());
}

} // namespace
} // namespace tobirae
