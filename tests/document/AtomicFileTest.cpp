#include "document/AtomicFile.h"

#include "LayoutSamples.h"
#include "document/LayoutFile.h"
#include "document/OutputPath.h"
#include "owndays/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tobirae {
namespace {

namespace fs = std::filesystem;

class SafeWrite : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    fs::path native(const QString& name) const { return fs::path(path(name).toStdString()); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every entry of the folder, so a left-over temporary shows.
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QTemporaryDir dir;
};

// dl -> deep/inner, deep/inner/out.CLF -> ../victim.CLF: the kernel takes ".." from the folder
// the link really lies in, deep/inner, so the file written is deep/victim.CLF and not ./victim.CLF.
TEST_F(SafeWrite, LinksAreFollowedAsTheKernelFollowsThem) {
    fs::create_directories(native("deep/inner"));
    fs::create_directory_symlink("deep/inner", native("dl"));
    fs::create_symlink("../victim.CLF", native("deep/inner/out.CLF"));
    put(QStringLiteral("victim.CLF"), "unrelated");
    put(QStringLiteral("deep/victim.CLF"), "old");

    EXPECT_EQ(resolveOutputTarget(path(QStringLiteral("dl/out.CLF"))).path,
              QFileInfo(path(QStringLiteral("deep/victim.CLF"))).canonicalFilePath());
    ASSERT_EQ(writeFileAtomically(path(QStringLiteral("dl/out.CLF")), "new"), std::nullopt);
    EXPECT_EQ(bytesOf(QStringLiteral("deep/victim.CLF")), "new");
    EXPECT_EQ(bytesOf(QStringLiteral("victim.CLF")), "unrelated");
    EXPECT_TRUE(fs::is_symlink(native("deep/inner/out.CLF")));

    // A loop of links is refused, not followed for ever.
    fs::create_symlink("b.CLF", native("a.CLF"));
    fs::create_symlink("a.CLF", native("b.CLF"));
    const auto loop = writeFileAtomically(path(QStringLiteral("a.CLF")), "x");
    ASSERT_TRUE(loop);
    EXPECT_TRUE(loop->contains(QStringLiteral("循環"))) << loop->toStdString();
}

// Each refusal names the file, says why, and leaves the folder as it was.
TEST_F(SafeWrite, RefusalsSayWhyAndLeaveEverythingAsItWas) {
    put(QStringLiteral("keep.CLF"), "kept");
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("keep.CLF")),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_EQ(::mkfifo(path(QStringLiteral("pipe")).toLocal8Bit().constData(), 0600), 0);
    const QStringList before = entries();
    const struct {
        QString name;
        const char* reason;
    } cases[] = {
        {QStringLiteral("keep.CLF"), "権限がありません"},
        {QStringLiteral("gone/a.CLF"), "フォルダーがありません"},
        {QString(NAME_MAX + 1, QLatin1Char('n')), "名前が長すぎる"},
        {QStringLiteral("pipe"), "通常のファイルではない"},
        {QStringLiteral("."), "フォルダー"},
    };
    for (const auto& c : cases) {
        const auto error = writeFileAtomically(path(c.name), "new");
        ASSERT_TRUE(error) << c.name.toStdString();
        EXPECT_TRUE(error->contains(QString::fromUtf8(c.reason))) << error->toStdString();
        EXPECT_TRUE(error->contains(path(c.name))) << error->toStdString();
    }
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(bytesOf(QStringLiteral("keep.CLF")), "kept");
}

// The temporary name stays within the folder's limit, so the longest legal name can be written,
// and a replaced file keeps its mode.
TEST_F(SafeWrite, LongestNamesAreWrittenAndModesKept) {
    const QString longest = QString(NAME_MAX - 4, QChar(u'a')) + QStringLiteral(".CLF");
    ASSERT_EQ(writeFileAtomically(path(longest), "one"), std::nullopt);
    EXPECT_EQ(bytesOf(longest), "one");
    // Three-byte characters: the temporary's name is cut at a character boundary.
    const QString japanese = QString(NAME_MAX / 3 - 2, QChar(u'暦')) + QStringLiteral(".CLF");
    ASSERT_EQ(writeFileAtomically(path(japanese), "two"), std::nullopt);
    EXPECT_EQ(bytesOf(japanese), "two");

    ASSERT_TRUE(QFile::setPermissions(path(longest), QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_EQ(writeFileAtomically(path(longest), "three"), std::nullopt);
    EXPECT_EQ(fs::status(native(longest)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entries(), QStringList({longest, japanese}));
}

// Without the sync the new file is swapped into the old one's place: the name holds the new
// bytes with the old mode, another link to the old file keeps the old bytes, and nothing is left
// beside them.
TEST_F(SafeWrite, AReplacedFileIsSwappedWholeWithoutSync) {
    put(QStringLiteral("page.bmp"), "old page");
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("page.bmp")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    fs::create_hard_link(native(QStringLiteral("page.bmp")), native(QStringLiteral("link.bmp")));
    for (const QByteArray& bytes : {QByteArray("new page"), QByteArray("newer page")}) {
        ASSERT_EQ(writeFileAtomically(path(QStringLiteral("page.bmp")), bytes,
                                      AtomicFile::Durability::Flush),
                  std::nullopt);
        EXPECT_EQ(bytesOf(QStringLiteral("page.bmp")), bytes);
    }
    EXPECT_EQ(bytesOf(QStringLiteral("link.bmp")), "old page");
    EXPECT_EQ(fs::status(native(QStringLiteral("page.bmp"))).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), QStringList({QStringLiteral("link.bmp"), QStringLiteral("page.bmp")}));
}

// A folder that takes the target's name while the file is written is never swapped away: the
// write fails and the folder keeps its place and contents.
TEST_F(SafeWrite, AFolderInTheTargetsPlaceIsLeftThere) {
    put(QStringLiteral("page.bmp"), "old page");
    AtomicFile file(path(QStringLiteral("page.bmp")), AtomicFile::Durability::Flush);
    ASSERT_TRUE(file.open());
    file.device().write("new page");
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("page.bmp"))));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("page.bmp/inside")));
    EXPECT_FALSE(file.commit());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("page.bmp/inside"))).isDir());
    EXPECT_EQ(entries(), QStringList({QStringLiteral("page.bmp")}));
}

// On a full disk the write fails with the reason, the previous file keeps its bytes and no
// temporary is left. The disk is a private 64 KB file system, so this needs the right to mount.
TEST_F(SafeWrite, AFullDiskKeepsThePreviousFile) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no private mounts here";
    ASSERT_EQ(mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k"), 0);
    LayoutDocument document;
    for (int i = 0; i < 3; ++i) {
        const auto where = document.findSlotForNewItem();
        document.item(where->slot) = testing::liveItem(CategoryYear);
        document.commitNewItem(where->slot);
    }
    ASSERT_EQ(writeLayoutFile(document, path(QStringLiteral("a.CLF"))), std::nullopt);
    const QByteArray saved = bytesOf(QStringLiteral("a.CLF"));
    {
        QFile filler(path(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    for (int i = 0; i < 20; ++i) {
        const auto where = document.findSlotForNewItem();
        document.item(where->slot) = testing::liveItem(CategoryYear);
        document.commitNewItem(where->slot);
    }
    const auto error = writeLayoutFile(document, path(QStringLiteral("a.CLF")));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("ディスクの空きが足りません")))
        << error->toStdString();
    EXPECT_EQ(bytesOf(QStringLiteral("a.CLF")), saved);
    EXPECT_EQ(entries(), QStringList({QStringLiteral("a.CLF"), QStringLiteral("filler")}));
    umount(dir.path().toLocal8Bit().constData());
}

// Readers open only regular files, checked on the opened file itself: a FIFO never blocks.
TEST_F(SafeWrite, ReadersRefuseWhatIsNoRegularFile) {
    ASSERT_EQ(::mkfifo(path(QStringLiteral("pipe.CLF")).toLocal8Bit().constData(), 0600), 0);
    QFile file;
    EXPECT_EQ(openRegularFile(file, path(QStringLiteral("pipe.CLF"))), OpenProblem::NotRegular);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(openRegularFile(file, path(QStringLiteral("none"))), OpenProblem::Missing);
    EXPECT_EQ(openRegularFile(file, dir.path()), OpenProblem::NotRegular);
    EXPECT_EQ(openRegularFile(file, QStringLiteral("/dev/zero")), OpenProblem::NotRegular);
    const LayoutParseResult read = readLayoutFileContent(path(QStringLiteral("pipe.CLF")));
    EXPECT_FALSE(read.content);
    EXPECT_TRUE(read.error.contains(QStringLiteral("通常のファイル"))) << read.error.toStdString();
}

} // namespace
} // namespace tobirae
