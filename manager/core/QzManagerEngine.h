#pragma once

// The Packages Manager's work, without a window: over the forms of a project it finds where one
// package item is referenced (Scan), counts how often each item of the chosen packages is
// referenced (Counter), redirects or clears the references found (Replace, Clear) and deletes
// items nobody references. The results are lines with a text and a check state, as the Manager's
// list shows them. Forms come and go through IQzManagerForms, so the same passes run against the
// designer (live forms and the IDE's form files) and against plain files.

#include "Classes.h"
#include "FormFileText.h"
#include "manager/core/QzFormScanner.h"

#include <QPointer>
#include <variant>
#include <vector>

class TFileTransaction;
class TQzMemoryRef;
class TQzPkgInfo;

enum TQzModeScan { msnNone, msnScan, msnCounter };
// Where changes to the current form go: the live designer form, or the form text.
enum TQzTypeLoad { tldInternal, tldExternal };

// The project's forms as the Manager reads and writes them.
class IQzManagerForms {
public:
    virtual ~IQzManagerForms();
    // The form file names of the project, in project order.
    virtual QStringList FormNames() = 0;
    // Fills `text` with the form's lines and how it was stored; false when there is no form to
    // read. Raises when the form cannot be read.
    virtual bool ReadForm(const QString& fileName, TFormFileText& text) = 0;
    // The live designer form of the file; none when it is not open in a designer.
    virtual TComponent* DesignForm(const QString& fileName) = 0;
    // The bytes the form file is to hold for changed text, in the form it is stored in; raises
    // when the text does not parse or holds what the file's encoding cannot.
    virtual QByteArray FormFileBytes(const TFormFileText& text, const QString& fileName);
    // Writes the prepared form files all or none (TFileTransaction::Commit); raises, with every
    // file as it was, when they cannot be written.
    virtual void WriteForms(TFileTransaction& files);
};

// The editor or picker that opened the Manager. After a count, the Manager deletes unused items
// through it, so that the owner's lists, selection and modified state follow; every package
// editor and item picker implements it.
class IQzManagerOwner {
public:
    virtual ~IQzManagerOwner();
    // Whether the owner edits or picks items of `kind` (a strings package editor: labels, texts
    // and messages).
    virtual bool ManagerEditsKind(TQzDlgManager kind) const = 0;
    // The package the owner shows, for images, labels, texts and messages.
    virtual QString ManagerPackageName() const = 0;
    // Deletes `item` (a display set, privilege, image or strings item of `kind`) as the owner's
    // own delete command does.
    virtual void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) = 0;
};

// One line of the result list: its text, its check state and what it stands for.
struct TQzManagerLine {
    QString Text;
    bool Checked = false;
    std::variant<TQzTokenRec1, TQzTokenRec2> Rec;
    // After a count: where the item is referenced: a form file and its 0-based id line, or a
    // holder's list name and set name (or privilege id) with line -1.
    std::vector<TQzTokenRec1> Places;

    const TQzTokenRec1* Found() const { return std::get_if<TQzTokenRec1>(&Rec); }
    const TQzTokenRec2* Counted() const { return std::get_if<TQzTokenRec2>(&Rec); }
};

class TQzManagerEngine : public TQzFormScanner {
public:
    TQzManagerEngine(IQzManagerForms& forms, IQzManagerFeedback& feedback);
    ~TQzManagerEngine() override;

    // ---- State beyond the scanner's
    TQzModeScan FModeScan = msnNone;
    TQzTypeLoad FTypeLoad = tldExternal;
    // Check state given to the references a scan finds in forms.
    bool FIniCheck = true;
    QPointer<TComponent> FForm;

    // ---- Results
    const std::vector<TQzManagerLine>& Lines() const { return FLines; }
    void SetChecked(int index, bool checked);
    int CheckedCount() const;
    // Empties the list; the mode goes back to msnNone.
    void ClearLines();

    // ---- Commands
    // Finds the references to item `id` (a set name for sets) of package `pkgName` (images,
    // labels, texts and messages). Nothing happens for a blank id.
    void Scan(TQzDlgManager kind, const QString& pkgName, const QString& id);
    // Counts the references to every item of the kind (of `packages` for images, labels, texts
    // and messages), marks missing items and checks the unused ones.
    void Counter(TQzDlgManager kind, const QStringList& packages);
    // After a scan: points the checked references at `pkgName`/`value`. Raises EConvertError,
    // before changing anything, when the kind needs a number and `value` is none.
    void Replace(const QString& pkgName, const QString& value);
    // After a scan: clears the checked references. After a count: deletes the checked items
    // through `owner`, which must edit that kind; nothing is deleted without one.
    void Clear(IQzManagerOwner* owner);

    // The item a count line names, or none when its package or list lacks it.
    TCollectionItem* FindItem(const TQzTokenRec2& rec) const;

    void SearchNewToken(const QString& pkgName, const QString& nameId) override;

private:
    struct TFormText {
        QString Name;
        TFormFileText Text;
        bool Loaded = false;
        bool Changed = false;
    };
    // A form's references to rewrite, and the changes made to its text.
    struct TFormRewrite {
        QString Name;
        std::vector<const TQzTokenRec1*> Refs;
        std::vector<TQzManagerChange> Changes;
    };

    int lineCount();
    bool passForms(bool counting);
    void enterForm(const QString& name);
    void addFound(const TQzTokenRec1& rec, bool checked, const QString& text);
    bool scanHolders(int id);
    int holderCount() const;
    bool countHolders();
    void countHolder(const TQzMemoryRef* ref, const QString& list, const QString& name);
    int entryCount() const;
    bool searchEntries();
    void addCount(const QString& pkgName, const QString& nameId, int counter);
    bool existCheck();

    void rewrite(bool clearing, const QString& pkgName, const QString& value);
    bool rewriteForm(TFormRewrite& form, TFileTransaction& files, bool clearing,
                     const QString& pkgName, const QString& value, int& notModified);
    bool rewriteLine(TFormText& form, const TQzTokenRec1& rec, bool clearing,
                     const QString& pkgName, const QString& value,
                     std::vector<TQzManagerChange>& changes);
    int valueLines(const TFormFileText& text, int first, const QString& quotedValue) const;
    bool rewriteHolder(const TQzTokenRec1& rec, bool clearing, const QString& pkgName,
                       const QString& value, std::vector<TQzManagerChange>& changes);
    void deleteUnused(IQzManagerOwner* owner);
    bool step();
    void internalError();
    void reportError(const std::exception& e, const QString& fileName);

    IQzManagerForms& FForms;
    std::vector<TQzManagerLine> FLines;
    // While the holders are counted: the holder whose reference is being counted.
    std::optional<TQzTokenRec1> FHolder;
    // Count lines by package and id, folded for case-insensitive lookup.
    QHash<QString, int> FCountIndex;
};

// The text of a count line: "(00003) PkgName: 'User' Id: 12", "(00000) Name: 'Header'".
QString QzCounterText(const TQzTokenRec2& rec, TQzDlgManager kind);
