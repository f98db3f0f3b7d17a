#pragma once

// Package files: a small header (magic, kind, format version, description, content length and
// checksum) followed by the package's content as a binary object stream. The description can be
// read without touching the content; a load validates the whole file first.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

enum class TQzPkgKind : std::uint8_t {
    Strings = 1,
    Images = 2,
    Vars = 3,
    Privileges = 4,
    Display = 5,
    Language = 6,
    Setup = 7,
};

// "strings", "images", ... as people and the command line name the kinds.
QString QzPkgKindName(TQzPkgKind kind);
// "an images package", "a strings package", as messages name what a file holds.
QString QzPkgKindWithArticle(TQzPkgKind kind);
// The kind for a name (case-insensitive); false when there is none.
bool QzPkgKindFromName(const QString& name, TQzPkgKind& kind);

inline constexpr quint16 QzPkgFormatVersion = 1;

struct TQzPkgFileHeader {
    TQzPkgKind Kind = TQzPkgKind::Strings;
    quint16 Version = QzPkgFormatVersion;
    QString Description;
    // The package's name when it was saved; informative, a load does not rename a package.
    QString Name;
};

struct TQzPkgFileContents {
    TQzPkgFileHeader Header;
    QByteArray Content;
};

// CRC-32 (the common polynomial) of `data`; files of the library check their content with it.
quint32 QzCrc32(QByteArrayView data);

QByteArray QzBuildPkgFile(const TQzPkgFileHeader& header, const QByteArray& content);
// Parses and checks a whole file's bytes; raises EQzError naming `fileName` and the problem.
TQzPkgFileContents QzParsePkgFile(QByteArray bytes, const QString& fileName);
// Reads and checks the header alone; raises EQzError like QzParsePkgFile.
TQzPkgFileHeader QzReadPkgFileHeader(const QString& fileName);
// Reads and parses a whole file, expecting `kind`.
TQzPkgFileContents QzLoadPkgFile(const QString& fileName, TQzPkgKind kind);

// The description stored in a package file of the kind, read without loading it; empty for a
// missing, unreadable or foreign file (these run on every selection of a file list).
QString QzReadPkgStringsDescription(const QString& fileName);
QString QzReadPkgImagesDescription(const QString& fileName);
QString QzReadPkgVarsDescription(const QString& fileName);
QString QzReadPkgAccessDescription(const QString& fileName);
QString QzReadPkgDisplayDescription(const QString& fileName);
QString QzReadPkgLanguageDescription(const QString& fileName);
QString QzReadPkgSetupDescription(const QString& fileName);
