#include "FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    throw EFileWriteError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason));
}

// The reason in English whatever locale the host set, like every other message of the library.
[[noreturn]] void failWith(const QString& fileName, int error) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    fail(fileName, QString::fromLocal8Bit(strerror_l(error, cLocale)));
}

// The new file beside the target; closed and removed again unless it was renamed over it.
struct TNewFile {
    QByteArray Path;
    int Fd = -1;

    ~TNewFile() {
        if (Fd >= 0)
            ::close(Fd);
        if (!Path.isEmpty())
            ::unlink(Path.constData());
    }
};

} // namespace

void WriteFileAtomic(const QString& fileName, QByteArrayView bytes) {
    const QFileInfo info(fileName);
    const QByteArray target = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : fileName);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        failWith(fileName, EISDIR);
    // Renaming over a device or a pipe would replace it rather than write to it.
    if (exists && !S_ISREG(old.st_mode))
        fail(fileName, QStringLiteral("it is not a regular file"));

    TNewFile file;
    while (file.Fd < 0) {
        file.Path = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        file.Fd = ::open(file.Path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.Fd < 0) {
            const int error = errno;
            file.Path.clear();
            if (error != EEXIST)
                failWith(fileName, error);
        }
    }
    if (exists && ::fchmod(file.Fd, old.st_mode & 07777) != 0)
        failWith(fileName, errno);
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(file.Fd, at, std::size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWith(fileName, errno);
        }
        at += written;
        left -= written;
    }
    if (::fsync(file.Fd) != 0)
        failWith(fileName, errno);
    const int fd = file.Fd;
    file.Fd = -1;
    if (::close(fd) != 0)
        failWith(fileName, errno);
    if (::rename(file.Path.constData(), target.constData()) != 0)
        failWith(fileName, errno);
    file.Path.clear();
}
