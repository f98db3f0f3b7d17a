#pragma once

// Writing a whole file so that it is either written completely or not changed at all: the bytes
// go to a new file in the target's folder, are flushed to the disk and renamed over the target.
// On any failure the new file is removed again and the old one, if any, is left as it was. A
// target that is a symbolic link is written through, so the link stays; an existing target keeps
// its permissions.

#include "SysUtils.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QStringList>
#include <vector>

// The one error of a failed write. Its message names the file and gives the operating system's
// reason ("No space left on device").
QZ_DECLARE_EXCEPTION(EFileWriteError, EStreamError);

void WriteFileAtomic(const QString& fileName, QByteArrayView bytes);

// The same for bytes that come a piece at a time: a random-access device over the new file,
// which replaces the target on Commit. Destroyed without a Commit, it leaves the target as it
// was. Write errors raise EFileWriteError at once, with the system's reason.
class TAtomicFile : public QIODevice {
public:
    // Raises EFileWriteError when the new file cannot be made.
    explicit TAtomicFile(const QString& fileName);
    ~TAtomicFile() override;

    bool isSequential() const override { return false; }
    bool seek(qint64 pos) override;
    qint64 size() const override { return FSize; }
    // Flushes the bytes to the disk and renames the new file over the target.
    void Commit();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QString FFileName;
    QByteArray FTarget;
    QByteArray FPath;
    int FFd = -1;
    qint64 FSize = 0;
};

// Several files written together or not at all. Each is replaced through WriteFileAtomic in the
// order added; when one cannot be, the files already replaced get their previous bytes back (a
// file that did not exist is removed again) and the failure is raised. The previous bytes are
// read when a file is added, so a file that cannot be read is refused before anything is written.
class TFileTransaction {
public:
    // Raises EFileWriteError when an existing file cannot be read or is read-only; adding a
    // file twice keeps the bytes added last.
    void Add(const QString& fileName, QByteArray bytes);
    bool IsEmpty() const { return FFiles.empty(); }
    QStringList FileNames() const;
    // Raises EFileWriteError naming the file that failed and, should one of the restores fail
    // too, the files that could not be restored.
    void Commit();

private:
    struct TFile {
        QString FileName;
        QByteArray Bytes;
        bool Existed = false;
        QByteArray Previous;
    };
    std::vector<TFile> FFiles;
};
