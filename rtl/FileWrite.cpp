#include "FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    EFileWriteError error(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason));
    error.SetFile(fileName);
    throw error;
}

[[noreturn]] void failWith(const QString& fileName, int error) {
    fail(fileName, SysErrorMessage(error));
}

} // namespace

TAtomicFile::TAtomicFile(const QString& fileName) : FFileName(fileName) {
    const QFileInfo info(fileName);
    FTarget = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : fileName);
    struct stat old {};
    const bool exists = ::stat(FTarget.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        failWith(fileName, EISDIR);
    // Renaming over a device or a pipe would replace it rather than write to it.
    if (exists && !S_ISREG(old.st_mode))
        fail(fileName, QStringLiteral("it is not a regular file"));
    while (FFd < 0) {
        FPath = FTarget + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        FFd = ::open(FPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FFd < 0) {
            const int error = errno;
            FPath.clear();
            if (error != EEXIST)
                failWith(fileName, error);
        }
    }
    if (exists && ::fchmod(FFd, old.st_mode & 07777) != 0) {
        const int error = errno;
        ::close(FFd);
        ::unlink(FPath.constData());
        failWith(fileName, error);
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TAtomicFile::~TAtomicFile() {
    if (FFd >= 0)
        ::close(FFd);
    if (!FPath.isEmpty())
        ::unlink(FPath.constData());
}

bool TAtomicFile::seek(qint64 pos) {
    QIODevice::seek(pos);
    return ::lseek(FFd, pos, SEEK_SET) == pos;
}

qint64 TAtomicFile::writeData(const char* data, qint64 size) {
    for (qint64 left = size; left > 0;) {
        const ssize_t written = ::write(FFd, data, std::size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWith(FFileName, errno);
        }
        data += written;
        left -= written;
    }
    FSize = std::max(FSize, pos() + size);
    return size;
}

void TAtomicFile::Commit() {
    if (::fsync(FFd) != 0)
        failWith(FFileName, errno);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0)
        failWith(FFileName, errno);
    if (::rename(FPath.constData(), FTarget.constData()) != 0)
        failWith(FFileName, errno);
    FPath.clear();
    QIODevice::close();
}

void WriteFileAtomic(const QString& fileName, QByteArrayView bytes) {
    TAtomicFile file(fileName);
    file.write(bytes.data(), bytes.size());
    file.Commit();
}

void TFileTransaction::Add(const QString& fileName, QByteArray bytes) {
    for (TFile& file : FFiles)
        if (file.FileName == fileName) {
            file.Bytes = std::move(bytes);
            return;
        }
    TFile file{fileName, std::move(bytes), false, QByteArray()};
    QFile old(fileName);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            fail(fileName, old.errorString());
        // A rename would replace it though it may not be written; its owner marked it so.
        if (!QFileInfo(fileName).isWritable())
            fail(fileName, QStringLiteral("the file is read-only"));
        file.Existed = true;
        file.Previous = old.readAll();
        if (old.error() != QFileDevice::NoError)
            fail(fileName, old.errorString());
    }
    FFiles.push_back(std::move(file));
}

QStringList TFileTransaction::FileNames() const {
    QStringList names;
    for (const TFile& file : FFiles)
        names << file.FileName;
    return names;
}

void TFileTransaction::Commit() {
    std::size_t written = 0;
    try {
        for (; written < FFiles.size(); ++written)
            WriteFileAtomic(FFiles[written].FileName, FFiles[written].Bytes);
    } catch (const EFileWriteError& e) {
        QStringList lost;
        while (written-- > 0) {
            const TFile& file = FFiles[written];
            if (file.Existed) {
                try {
                    WriteFileAtomic(file.FileName, file.Previous);
                } catch (const EFileWriteError&) {
                    lost << file.FileName;
                }
            } else if (!QFile::remove(file.FileName)) {
                lost << file.FileName;
            }
        }
        if (lost.isEmpty())
            throw;
        EFileWriteError error(QStringLiteral("%1; these files could not be given back their "
                                             "previous content: %2")
                                  .arg(e.Message(), lost.join(QStringLiteral(", "))));
        error.SetFile(e.File());
        throw error;
    }
}
