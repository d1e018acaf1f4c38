#include "files/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tobirae {

OpenProblem openRegularFile(QFile& file, const QString& path, OpenLinks links) {
    if (path.isEmpty())
        return OpenProblem::Missing;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                                                (links == OpenLinks::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        if (errno == ELOOP && links == OpenLinks::Refuse)
            return OpenProblem::NotRegular;
        return errno == ENOENT || errno == ENOTDIR ? OpenProblem::Missing : OpenProblem::Unreadable;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return OpenProblem::NotRegular;
    }
    // Reads of a regular file never wait; the flag only mattered for the open itself.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return OpenProblem::Unreadable;
    }
    return OpenProblem::None;
}

} // namespace tobirae
