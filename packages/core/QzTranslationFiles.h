#pragma once

// The strings of a package in the files translators' own tools read: gettext PO and XLIFF 1.2.
// Each unit is one text to translate: a label's text ("Labels/12"), a label's hint
// ("Labels/12/Hint"), a message ("Messages/3") or a text ("Texts/5"), with the package's own
// text as its source and the translation, when there is one, as its target. Translations come
// from, and go to, a translation file: a strings package file holding the same package in another
// language, or a language file, whose "System" strings translate the "System" package and whose
// "User" strings translate every other one. Line breaks travel as single line feeds.
//
// Importing checks every unit against the package the file was made from: a unit whose context
// names nothing in it, whose source text has changed since, or that is marked fuzzy (for review)
// is reported and not applied; a damaged file is refused whole, with its line.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class TQzPkgInfo;
class TQzPkgLanguage;
class TQzPkgStrings;

struct TQzTranslationUnit {
    QString Context;
    QString Source;
    // Empty when not translated.
    QString Target;
    bool Fuzzy = false;
    // Where the unit starts in the file read; 0 when the format does not say.
    qint64 Line = 0;
};

struct TQzTranslationFile {
    // The package the source texts come from ("X-Qz-Package", the XLIFF file's "original").
    QString PackageName;
    // Language codes; either may be empty.
    QString SourceLanguage;
    QString TargetLanguage;
    QList<TQzTranslationUnit> Units;
};

enum class TQzTranslationFormat { Po, Xliff };

// The format a file name asks for: ".po" or ".pot", ".xlf" or ".xliff"; raises EQzError
// otherwise.
TQzTranslationFormat QzTranslationFormatOf(const QString& fileName);

// The units of `source`, every list by ascending id, with the texts of `translation` (none: no
// target) as targets. A translation whose line breaks at its start or end differ from the
// source's is marked fuzzy, for review; `warnings` names each.
TQzTranslationFile QzTranslationUnits(const TQzPkgStrings& source, const TQzPkgStrings* translation,
                                      QStringList& warnings);

// The file's bytes. Units a format cannot carry are left out and named in `warnings`.
QByteArray QzWritePo(const TQzTranslationFile& file, QStringList& warnings);
QByteArray QzWriteXliff(const TQzTranslationFile& file, QStringList& warnings);
QByteArray QzWriteTranslationFile(const TQzTranslationFile& file, TQzTranslationFormat format,
                                  QStringList& warnings);

// Read whole and checked; raise EQzError naming the file and, for damage, the line.
TQzTranslationFile QzReadPo(const QString& fileName);
TQzTranslationFile QzReadXliff(QByteArrayView bytes, const QString& fileName);
TQzTranslationFile QzReadTranslationFile(const QString& fileName, TQzTranslationFormat format);

struct TQzTranslationIssue {
    QString Context;
    qint64 Line = 0;
    QString Text;
};

struct TQzTranslationImport {
    // Translations written into the target, and those it already held.
    int Applied = 0;
    int Unchanged = 0;
    // Units without a translation.
    int Untranslated = 0;
    // Units not applied, and why.
    QList<TQzTranslationIssue> Issues;
};

// Writes the translations of `file` into `target`, checking each unit against `source` (which may
// be `target` itself: the package is then translated in place). Items `target` lacks are added,
// with the source's text where only the hint is translated, and the source's protection. A file
// made from another package than `source` raises EQzError and changes nothing.
TQzTranslationImport QzApplyTranslations(const TQzTranslationFile& file,
                                         const TQzPkgStrings& source, TQzPkgStrings& target,
                                         bool acceptFuzzy);

// The strings of `language` that translate the package named `packageName`: "System" for the
// "System" package (exactly so spelt), else "User".
TQzPkgStrings* QzLanguageStringsFor(TQzPkgLanguage& language, const QString& packageName);

// A translation file read from disk for a package named `packageName`: a strings package file or
// a language file (told apart by the file's header), kept whole so it can be written back.
class TQzTranslationTarget {
public:
    TQzTranslationTarget(const QString& fileName, const QString& packageName);
    // The same for a package already read from `fileName`, named as it was saved.
    TQzTranslationTarget(const QString& fileName, std::unique_ptr<TQzPkgInfo> pkg,
                         const QString& packageName);
    ~TQzTranslationTarget();

    TQzPkgStrings& Strings() const { return *FStrings; }
    bool IsLanguage() const;
    // Writes the file again, all or nothing.
    void Save();

private:
    QString FFileName;
    std::unique_ptr<TQzPkgInfo> FPkg;
    TQzPkgStrings* FStrings = nullptr;
};
