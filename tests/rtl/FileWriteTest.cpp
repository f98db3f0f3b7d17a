// Whole-file writes: the target is replaced completely or not at all, and a failure says which
// file and why, in the operating system's words.

#include "FileWrite.h"

#include "../support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString errorOf(const QString& fileName, const QByteArray& bytes) {
    try {
        WriteFileAtomic(fileName, bytes);
    } catch (const EFileWriteError& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

class FileWrite : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(Dir.path()).filePath(name); }
    QStringList entries() const {
        return QDir(Dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QTemporaryDir Dir;
};

} // namespace

TEST_F(FileWrite, CreatesOrReplacesTheWholeFile) {
    const QString form = path(QStringLiteral("Form.dfm"));
    WriteFileAtomic(form, "object A: TForm\nend\n");
    EXPECT_EQ(readBytes(form), "object A: TForm\nend\n");

    // An existing file keeps its permissions; a link keeps pointing at the file it names.
    QFile::setPermissions(form, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(form);
    ASSERT_TRUE(QFile::link(form, path(QStringLiteral("Link.dfm"))));
    const QByteArray big(1 << 20, 'x');
    WriteFileAtomic(path(QStringLiteral("Link.dfm")), big);
    EXPECT_EQ(readBytes(form), big);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Link.dfm"))).isSymLink());
    EXPECT_EQ(QFile::permissions(form), permissions);
    WriteFileAtomic(form, "");
    EXPECT_EQ(QFileInfo(form).size(), 0);
    EXPECT_EQ(entries(), QStringList({QStringLiteral("Form.dfm"), QStringLiteral("Link.dfm")}));
}

TEST_F(FileWrite, AFailureKeepsTheOldFileAndSaysWhy) {
    const QByteArray old = "object Old: TForm\r\nend\r\n";
    struct Case {
        const char* what;
        QString target;
        std::function<void()> prepare;
        QString reason;
    };
    const QString form = path(QStringLiteral("Form.dfm"));
    const Case cases[] = {
        {"target is a folder", path(QStringLiteral("Folder.dfm")),
         [&] { QDir(Dir.path()).mkdir(QStringLiteral("Folder.dfm")); },
         QStringLiteral("Is a directory")},
        {"folder vanished", path(QStringLiteral("gone/Form.dfm")), [] {},
         QStringLiteral("No such file or directory")},
        {"disk refuses the bytes", form, [] {}, QStringLiteral("File too large")},
        {"device", QStringLiteral("/dev/null"), [] {}, QStringLiteral("it is not a regular file")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(form, old);
        c.prepare();
        const QStringList before = entries();
        QString error;
        {
            const FileSizeLimit limit(4096);
            error = errorOf(c.target, QByteArray(64 * 1024, 'n'));
        }
        EXPECT_EQ(error, QStringLiteral("Cannot write \"%1\": %2").arg(c.target, c.reason));
        EXPECT_EQ(readBytes(form), old);
        EXPECT_EQ(entries(), before); // nothing half-written is left behind
    }
}

TEST_F(FileWrite, AReadOnlyFolderIsRefused) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    const QString form = path(QStringLiteral("Form.dfm"));
    writeBytes(form, "old");
    QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(errorOf(form, "new"),
              QStringLiteral("Cannot write \"%1\": Permission denied").arg(form));
    QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readBytes(form), "old");
}

TEST_F(FileWrite, ATransactionWritesEveryFileOrNone) {
    const QString a = path(QStringLiteral("A.dfm"));
    const QString b = path(QStringLiteral("B.dfm"));
    const QString c = path(QStringLiteral("C.dfm"));
    writeBytes(a, "old a");
    writeBytes(c, "old c");
    const QStringList before = entries();

    // The third file is too big for the limit: the first gets its bytes back, the second,
    // new, goes again.
    TFileTransaction failing;
    failing.Add(a, "new a");
    failing.Add(b, "new b");
    failing.Add(c, QByteArray(64 * 1024, 'c'));
    QString error;
    {
        const FileSizeLimit limit(4096);
        try {
            failing.Commit();
        } catch (const EFileWriteError& e) {
            error = e.Message();
        }
    }
    EXPECT_EQ(error, QStringLiteral("Cannot write \"%1\": File too large").arg(c));
    EXPECT_EQ(readBytes(a), "old a");
    EXPECT_EQ(readBytes(c), "old c");
    EXPECT_EQ(entries(), before);

    TFileTransaction passing;
    passing.Add(a, "new a");
    passing.Add(b, "new b");
    passing.Commit();
    EXPECT_EQ(readBytes(a), "new a");
    EXPECT_EQ(readBytes(b), "new b");
    EXPECT_EQ(passing.FileNames(), QStringList({a, b}));
}
