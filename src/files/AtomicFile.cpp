#include "files/AtomicFile.h"

#include "files/OutputPath.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tobirae {

namespace {

constexpr int kRandomLetters = 6;

// "." + as much of the name as fits + "." + random letters, never longer than the folder allows,
// cut at a character boundary.
QByteArray temporaryName(const QByteArray& name, int maxBytes) {
    qsizetype keep = std::min<qsizetype>(name.size(), maxBytes - 2 - kRandomLetters);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    QByteArray result = '.' + name.left(std::max<qsizetype>(keep, 0)) + '.';
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < kRandomLetters; ++i)
        result += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return result;
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Swaps the new file into the target's place and removes the old one. ext4 starts writing a file
// out when it is renamed over another, which for a page of tens of megabytes costs more than
// drawing it; an exchange is as atomic for readers and leaves the writing to the kernel's
// schedule, which is all Flush asks for. False when there is no target to swap with or the file
// system cannot exchange: the caller renames then.
bool exchangeAndDrop(const QByteArray& temporary, const QByteArray& target) {
    const auto exchange = [&] {
        return ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                           RENAME_EXCHANGE) == 0;
    };
    if (!exchange())
        return false;
    // Only a file is dropped: what took the target's name since it was checked (a folder, a link)
    // is put back and the caller's rename decides.
    struct stat old {};
    if (::lstat(temporary.constData(), &old) != 0 || !S_ISREG(old.st_mode)) {
        exchange();
        return false;
    }
    ::unlink(temporary.constData());
    return true;
}

} // namespace

AtomicFile::AtomicFile(QString path, Durability durability, Links links)
    : path_(std::move(path)), durability_(durability), links_(links) {}

AtomicFile::~AtomicFile() {
    cancel();
}

bool AtomicFile::fail(int errorNumber, std::int64_t needed) {
    error_ = writeFailureMessage(path_, errorNumber, needed);
    cancel();
    return false;
}

bool AtomicFile::open() {
    if (links_ == Links::Replace) {
        target_ = QFileInfo(path_).absoluteFilePath();
    } else {
        const OutputTarget target = resolveOutputTarget(path_);
        if (target.path.isEmpty()) {
            error_ = target.error;
            return false;
        }
        target_ = target.path;
    }
    const QFileInfo info(target_);
    const QString folder = info.absolutePath();
    const QByteArray name = QFile::encodeName(info.fileName());
    const int maxBytes = maxNameBytes(folder);
    struct stat existing {};
    const bool replacing =
        links_ == Links::Follow && ::stat(QFile::encodeName(target_).constData(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate =
            QFile::encodeName(folder) + '/' + temporaryName(name, maxBytes);
        // The mode a new file would get (the user's umask applies); a replaced file keeps its own.
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              links_ == Links::Replace ? 0600 : 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail(errno);
        }
        temporary_ = QFile::decodeName(candidate);
        if (replacing)
            ::fchmod(fd, existing.st_mode & 07777);
        if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return fail(EIO);
        }
        return true;
    }
    return fail(EEXIST);
}

bool AtomicFile::commit(std::int64_t expected) {
    if (temporary_.isEmpty()) {
        if (error_.isEmpty())
            error_ = writeFailureMessage(path_, EBADF);
        return false;
    }
    errno = 0;
    if (!file_.flush() || file_.error() != QFileDevice::NoError)
        return fail(errno, std::max<std::int64_t>(expected, file_.size()));
    if (durability_ == Durability::Sync && ::fsync(file_.handle()) != 0)
        return fail(errno, expected);
    file_.close();
    const QByteArray temporary = QFile::encodeName(temporary_);
    const QByteArray target = QFile::encodeName(target_);
    if (durability_ == Durability::Flush && exchangeAndDrop(temporary, target)) {
        temporary_.clear();
        return true;
    }
    if (::rename(temporary.constData(), target.constData()) != 0)
        return fail(errno);
    temporary_.clear();
    if (durability_ == Durability::Sync)
        syncFolder(QFileInfo(target_).absolutePath());
    return true;
}

void AtomicFile::cancel() {
    if (file_.isOpen())
        file_.close();
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
    }
}

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes,
                                           AtomicFile::Durability durability,
                                           AtomicFile::Links links) {
    AtomicFile file(path, durability, links);
    if (!file.open())
        return file.error();
    errno = 0;
    if (file.device().write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancel();
        return writeFailureMessage(path, error, bytes.size());
    }
    if (!file.commit(bytes.size()))
        return file.error();
    return std::nullopt;
}

} // namespace tobirae
