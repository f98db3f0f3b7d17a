#pragma once

// The form-text scanner of the Packages Manager: it reads a form's text line by line, tells
// object, collection and property lines apart, builds the object path of a property, resolves
// the class at the end of that path through the class registry, and recognises the lines that
// refer to a package item of one kind. It also writes a new value into a live designer form.
// Its state is a set of plain fields, because the Manager's passes set them line by line.

#include "ObjectStreams.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <optional>

class TComponent;
class TQzPkgInfo;

// The kinds of item the Manager looks for, in the order used for dispatch.
enum TQzDlgManager {
    dlmSetsBackGround,
    dlmSetsColor,
    dlmSetsFont,
    dlmImages,
    dlmLabels,
    dlmTexts,
    dlmMessages,
    dlmPrivileges,
};
inline constexpr int QzDlgManagerCount = dlmPrivileges + 1;

// "SetsBackGround", "SetsColor", ..., "Privileges".
QString QzDlgManagerName(TQzDlgManager kind);
// The kind of a name, compared ignoring case; none for another name.
std::optional<TQzDlgManager> QzDlgManagerFromName(const QString& name);
// The class of the reference objects of a kind: "TQzSetBackGround", "TQzMemoryImage", ...
QString QzDlgManagerRefClass(TQzDlgManager kind);
// Display sets: referred to by name alone.
bool QzDlgManagerIsSet(TQzDlgManager kind);
// Images, labels, texts and messages: a package name line followed by an id line.
bool QzDlgManagerHasPackage(TQzDlgManager kind);
// The text between a leading and a trailing single quote, or the text itself.
QString QzUnquote(const QString& text);

// One reference found by a scan.
struct TQzTokenRec1 {
    // The form file; for a reference held by a display set or a privilege, the list name
    // ("SetsBackGround", "SetsColor", "SetsFont", "Privileges").
    QString NameUnit;
    // 0-based line of the match (the id line of two-line kinds); -1 for set and privilege holders.
    int NumLine = -1;
    // The object path of the referring property; the set name or privilege id for holders.
    QString StrChange;
    // The matched line as read, indentation included; empty for holders.
    QString StrLine;
    // Lines the matched property spans (a set name the form writer split over several lines);
    // NumLine is its first.
    int LineCount = 1;
    // Images, labels, texts and messages: the lines of the package name property right above
    // the id line.
    int PkgNameLines = 1;
};

// One item counted by a scan counter.
struct TQzTokenRec2 {
    QString PkgName; // in single quotes; empty for sets and privileges
    QString NameId;  // a set name in single quotes, or the id digits
    int Counter = 0;
};

// What a rewrite did to one reference, for callers that report or preview changes.
struct TQzManagerChange {
    enum Kind { LineRewritten, LineDeleted, LiveProperty, Holder };
    Kind kind = LineRewritten;
    QString NameUnit; // form file, or the holder's list name
    int NumLine = -1; // 0-based line in the form text as it was read; -1 for holders
    QString Path;     // object path, or the set name / privilege id of a holder
    QString Before;   // the line as it was
    QString After;    // the line as it is now; empty when deleted or set live
};

// Message types; the numbers are those of the library's message boxes.
enum class TQzManagerMessageType { Warning = 0, Error = 1, Information = 2 };

// How the scanner and the Manager's passes talk to whoever runs them: messages, progress with
// cancellation, and what they changed. Progress and change reports may be ignored; messages
// may not, so Message has no default.
class IQzManagerFeedback {
public:
    virtual ~IQzManagerFeedback();
    virtual void Message(TQzManagerMessageType type, const QString& text) = 0;
    // The same for a message about a form file and, when `line` is not -1, its 0-based line, for
    // callers that keep where a message points. Message(type, text) by default.
    virtual void MessageAt(TQzManagerMessageType type, const QString& text, const QString& file,
                           int line);
    // Whether progress is shown at all; without it the passes skip counting the lines first.
    virtual bool ShowsProgress() const;
    // A long operation starts under `caption` ("Scanning", "Counting", ...).
    virtual void ProgressOpen(const QString& caption);
    // The position goes back to 0 with a new maximum.
    virtual void ProgressMaximum(int maximum);
    // What is being worked on: a form file name or a step's name.
    virtual void ProgressText(const QString& text);
    virtual void ProgressStep();
    // Asked after every step; true stops the operation there.
    virtual bool Cancelled();
    virtual void ProgressClose();
    virtual void Changed(const TQzManagerChange& change);
    // A package the Manager changed (a display set's or a privilege's reference).
    virtual void PackageChanged(TQzPkgInfo* package);
};

// Tokens of one line: views into the line, which must outlive them.
using TQzTokens = QVarLengthArray<QStringView, 16>;

class TQzFormScanner {
public:
    explicit TQzFormScanner(IQzManagerFeedback& feedback);
    virtual ~TQzFormScanner();
    TQzFormScanner(const TQzFormScanner&) = delete;
    TQzFormScanner& operator=(const TQzFormScanner&) = delete;

    // ---- Scanner state
    TQzDlgManager FTypeDlg = dlmLabels;
    QString FNameUnit;   // form file being scanned
    QString FProcedure;  // scanner operation now running, for internal-error messages
    QString FStringLine; // text of the line being scanned
    int FNumLine = 0;    // its 0-based index
    QString FNameObj;    // "Name:Class" of the current object, ":Class" without a name
    QString FNameCol;    // collection property being read; empty outside a collection
    int FIndex = 0;      // current collection item
    QString FNameForm;   // "Name:Class" of the root object
    bool FPkgNameB = false;
    QString FPkgName; // quoted package name looked for (scan) or last seen (count)
    QString FTextS;   // name or id looked for
    // Packages chosen for counting (names without quotes); empty outside a count.
    QStringList FListPkgs;

    // ---- Tokens and line kinds
    static void GetListTokens(TQzTokens& list, QStringView line);
    static QStringView GetToken(const TQzTokens& list, qsizetype i);
    // Index of the first "=" or ":" token; -1 when none.
    static int ScannerTokensEqual(const TQzTokens& list);
    bool ScannerObject(const TQzTokens& list);
    bool ScannerCollection(const TQzTokens& list, int k);
    bool ScannerEndCollection(const TQzTokens& list);
    bool ScannerIndexCollection(const TQzTokens& list);
    // Runs the line-kind rules on a tokenized line; the index of its "=" or ":" for a property
    // line, else -1.
    int Scanner(const TQzTokens& list);
    void GetNameForm(QStringView line);
    // Object path of a property line: the current object, the collection item and the names
    // that qualify the property.
    QString GetStrChange(const TQzTokens& list) const;

    // ---- Types and matching
    // Class name of the object at the end of `path`; empty (after a message) when it cannot be
    // resolved.
    QString GetTypeProperty(const QString& path);
    bool ValidTokenSel(TQzDlgManager kind, const TQzTokens& list, QString& path);
    std::optional<TQzTokenRec1> LineScanner(QStringView line);
    void LineCounter(QStringView line);
    // Counts one reference; the Manager keeps the results.
    virtual void SearchNewToken(const QString& pkgName, const QString& nameId) = 0;

    // Caches type resolution by the shape of the path (class and property names); on by default.
    void SetTypeCache(bool enabled);
    bool TypeCache() const { return FTypeCacheOn; }
    void ResetTypeCache() { FTypeCache.clear(); }

    // ---- Writing
    // Sets the reference at `path` of the live form `form` to `pkgName`/`value` as the kind
    // needs; false when the component or the reference is not there. A value that is not a
    // number raises EConvertError for kinds with ids.
    bool SetProperty(TComponent* form, const QString& path, const QString& pkgName,
                     const QString& value);
    // The line with its value replaced: the text up to its first "=", a blank and `value`. A
    // line without "=" comes back unchanged.
    static QString LineString(const QString& line, const QString& value);

protected:
    IQzManagerFeedback& FFeedback;

private:
    // A package name or set name property being read, which may go on over the lines after it.
    struct TPendingValue {
        bool Active = false;
        bool PkgName = false; // else a set name
        QString Value;
        QString Path;
        int FirstLine = 0;
        QString FirstText;
        int Lines = 0;
    };

    std::optional<QString> resolveType(const QList<QStringView>& tokens) const;
    void checkPkgNames();
    // Starts reading the string value of a candidate property line; false when it is none.
    bool startValue(QStringView line, bool pkgName);
    // Reads one more line of a value; true when it is complete (FPending then holds it).
    bool continueValue(QStringView line);
    bool pendingIsReference();
    std::optional<TQzTokenRec1> scanValue();
    void countValue();

    TQzTokens FTokens;
    bool FTypeCacheOn = true;
    // Path shape -> class name; none when the shape does not resolve.
    QHash<QString, std::optional<QString>> FTypeCache;
    QStringList FQuotedPkgs; // FListPkgs in quotes, as the form text writes them
    QStringList FQuotedFor;  // the FListPkgs they were made from
    TPendingValue FPending;
    int FPkgNameLines = 1; // lines of the package name property that set FPkgNameB
};

// The text of a form string expression as a form's text holds it: quoted pieces with doubled
// quotes, #nnn character codes, pieces joined by "+" ('Bob''s', 'D'#233'mo'). False when `text`
// is no such expression. `complete` is false when it ends in "+" or is empty: the form writer
// puts a long string on the lines after its property, so the value goes on on the next line.
bool QzFormStringValue(QStringView text, QString& value, bool& complete);

// StrToInt: a decimal (or $hex) integer; raises EConvertError otherwise.
int QzStrToInt(const QString& text);
