#include "manager/core/QzManagerEngine.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgPrivileges.h"
#include "QzPkgStrings.h"

#include <QFileInfo>
#include <algorithm>

namespace {

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

QString quoted(const QString& text) {
    return u'\'' + text + u'\'';
}

// A string as a form text holds it: a quote inside is doubled, or the line would not parse.
QString formString(QString text) {
    return quoted(text.replace(u'\'', QStringLiteral("''")));
}

QString errorText(const std::exception& e) {
    if (const auto* exception = dynamic_cast<const Exception*>(&e))
        return exception->Message();
    return QString::fromLocal8Bit(e.what());
}

TQzPkgDisplay* display() {
    TQzCApplication* app = QzCApp();
    return app ? app->PkgDisplay() : nullptr;
}

TQzPkgPrivileges* privileges() {
    TQzCApplication* app = QzCApp();
    return app ? app->Privileges() : nullptr;
}

TQzPkgDisplaySets* setList(TQzDlgManager kind) {
    TQzPkgDisplay* pkg = display();
    if (!pkg)
        return nullptr;
    if (kind == dlmSetsColor)
        return pkg->SetsColor();
    if (kind == dlmSetsFont)
        return pkg->SetsFont();
    return pkg->SetsBackGround();
}

// The set lists whose description labels refer to labels, with the names results show.
struct TSetHolders {
    QString Name;
    TQzPkgDisplaySets* List;
};
QList<TSetHolders> labelSetLists() {
    TQzPkgDisplay* pkg = display();
    if (!pkg)
        return {};
    return {{QzDlgManagerName(dlmSetsBackGround), pkg->SetsBackGround()},
            {QzDlgManagerName(dlmSetsColor), pkg->SetsColor()},
            {QzDlgManagerName(dlmSetsFont), pkg->SetsFont()}};
}

TQzPkgItemList* stringsList(TQzPkgStrings* pkg, TQzDlgManager kind) {
    if (!pkg)
        return nullptr;
    if (kind == dlmLabels)
        return pkg->Labels();
    return kind == dlmTexts ? pkg->Texts() : pkg->Messages();
}

// The package list of items of a kind in the package `name`: images or a strings list.
TQzPkgItemList* itemList(TQzDlgManager kind, const QString& name) {
    if (kind == dlmImages) {
        TQzPkgImages* pkg = QzFindPkgImages(name);
        return pkg ? pkg->Images() : nullptr;
    }
    return stringsList(QzFindPkgStrings(name), kind);
}

QString countKey(const QString& pkgName, const QString& nameId) {
    return pkgName.toCaseFolded() + u'\x1f' + nameId.toCaseFolded();
}

} // namespace

QString QzCounterText(const TQzTokenRec2& rec, TQzDlgManager kind) {
    QString text = QStringLiteral("(%1) ").arg(rec.Counter, 5, 10, QLatin1Char('0'));
    if (!rec.PkgName.isEmpty())
        text += QStringLiteral("PkgName: ") + rec.PkgName + u' ';
    text += !rec.PkgName.isEmpty() || kind == dlmPrivileges ? QStringLiteral("Id")
                                                            : QStringLiteral("Name");
    return text + QStringLiteral(": ") + rec.NameId;
}

IQzManagerForms::~IQzManagerForms() = default;
IQzManagerOwner::~IQzManagerOwner() = default;

TQzManagerEngine::TQzManagerEngine(IQzManagerForms& forms, IQzManagerFeedback& feedback)
    : TQzFormScanner(feedback), FForms(forms) {}

TQzManagerEngine::~TQzManagerEngine() = default;

void TQzManagerEngine::SetChecked(int index, bool checked) {
    if (index >= 0 && index < int(FLines.size()))
        FLines[index].Checked = checked;
}

int TQzManagerEngine::CheckedCount() const {
    return int(std::count_if(FLines.begin(), FLines.end(),
                             [](const TQzManagerLine& line) { return line.Checked; }));
}

void TQzManagerEngine::ClearLines() {
    FLines.clear();
    FCountIndex.clear();
    FModeScan = msnNone;
}

bool TQzManagerEngine::step() {
    FFeedback.ProgressStep();
    return FFeedback.Cancelled();
}

void TQzManagerEngine::internalError() {
    FFeedback.Message(
        TQzManagerMessageType::Error,
        QStringLiteral("Internal Error: File: %1 Line: %2 Procedure: %3")
            .arg(fileNameOf(FNameUnit),
                 u'(' + QString::number(FNumLine) + QStringLiteral(") ") + FStringLine,
                 FProcedure));
}

void TQzManagerEngine::reportError(const std::exception& e, const QString& fileName) {
    FFeedback.Message(TQzManagerMessageType::Error,
                      QStringLiteral("%1: %2").arg(fileNameOf(fileName), errorText(e)));
}

// ---------------------------------------------------------------------------------------------
// Reading the forms

// Each form is read once: its line count sizes the progress, and its text is what the pass scans.
std::vector<TQzManagerEngine::TFormText> TQzManagerEngine::readForms(int& lineCount) {
    std::vector<TFormText> forms;
    lineCount = 0;
    for (const QString& name : FForms.FormNames()) {
        TFormText form;
        form.Name = name;
        try {
            form.Loaded = FForms.ReadForm(name, form.Lines, form.Format);
        } catch (const std::exception& e) {
            reportError(e, name);
        }
        if (!form.Loaded)
            continue;
        lineCount += int(form.Lines.size());
        forms.push_back(std::move(form));
    }
    return forms;
}

void TQzManagerEngine::enterForm(const QString& name, TStreamOriginalFormat format) {
    FNameUnit = name;
    FOriginalFormat = format;
    FForm = FForms.DesignForm(name);
    FTypeLoad = FForm ? tldInternal : tldExternal;
}

// Scans or counts every line of every form; true when cancelled. A form whose scan raises is
// reported and the next one follows.
bool TQzManagerEngine::passForms(std::vector<TFormText>& forms, bool counting) {
    for (TFormText& form : forms) {
        FFeedback.ProgressText(form.Name);
        FNumLine = 0;
        FStringLine.clear();
        try {
            enterForm(form.Name, form.Format);
            for (int i = 0; i < int(form.Lines.size()); ++i) {
                FNumLine = i;
                FStringLine = form.Lines[i];
                if (step())
                    return true;
                if (i == 0)
                    GetNameForm(FStringLine);
                if (counting)
                    LineCounter(FStringLine);
                else if (const std::optional<TQzTokenRec1> rec = LineScanner(FStringLine))
                    addFound(*rec, FIniCheck, QString());
            }
        } catch (const std::exception&) {
            internalError();
        }
        // The texts are not needed again; long projects keep only one form at a time.
        form.Lines = QStringList();
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Scan

void TQzManagerEngine::addFound(const TQzTokenRec1& rec, bool checked, const QString& text) {
    TQzManagerLine line;
    line.Checked = checked;
    if (!text.isEmpty()) {
        line.Text = text;
    } else {
        TQzTokens tokens;
        GetListTokens(tokens, rec.StrChange);
        QString object;
        for (int i = 0; i <= 2; ++i)
            object += GetToken(tokens, i);
        if (GetToken(tokens, 3).contains(u'[')) {
            object += QStringLiteral(" - ");
            object += GetToken(tokens, 3);
        }
        line.Text = u'(' + fileNameOf(rec.NameUnit) + QStringLiteral(") (") + object +
                    QStringLiteral(") ") + rec.StrLine;
    }
    line.Rec = rec;
    FLines.push_back(std::move(line));
}

int TQzManagerEngine::holderCount() const {
    int count = 0;
    if (FTypeDlg == dlmImages) {
        if (TQzPkgDisplay* pkg = display())
            count += pkg->SetsBackGround()->Count();
    } else if (FTypeDlg == dlmLabels) {
        for (const TSetHolders& holders : labelSetLists())
            count += holders.List->Count();
        if (TQzPkgPrivileges* pkg = privileges())
            count += pkg->Count();
    }
    return count;
}

// References held by the application's own sets and privileges; true when cancelled.
bool TQzManagerEngine::scanHolders(int id) {
    auto matches = [&](const TQzMemoryRef* ref) {
        return ref->Defined() &&
               quoted(ref->PkgName()).compare(FPkgName, Qt::CaseInsensitive) == 0 &&
               ref->Id() == id;
    };
    auto addSet = [&](const QString& list, const QString& name) {
        addFound({list, -1, name, QString()}, false,
                 u'(' + list + QStringLiteral(")") + QStringLiteral(" Name: ") + quoted(name));
    };
    if (FTypeDlg == dlmImages) {
        FFeedback.ProgressText(QStringLiteral("Images Check (SetsBackGround)"));
        TQzPkgDisplay* pkg = display();
        for (int i = 0; pkg && i < pkg->SetsBackGround()->Count(); ++i) {
            TQzPkgDisplaySetBackGround* set = pkg->SetsBackGround()->GetItems(i);
            if (matches(set->Image()))
                addSet(QzDlgManagerName(dlmSetsBackGround), set->Name());
            if (step())
                return true;
        }
    } else if (FTypeDlg == dlmLabels) {
        FFeedback.ProgressText(
            QStringLiteral("Labels Check (SetsBackGround, SetsColor, SetsFont, Privileges)"));
        for (const TSetHolders& holders : labelSetLists()) {
            for (int i = 0; i < holders.List->Count(); ++i) {
                TQzPkgDisplaySet* set = holders.List->GetItems(i);
                if (matches(set->DescriptionId()))
                    addSet(holders.Name, set->Name());
                if (step())
                    return true;
            }
        }
        TQzPkgPrivileges* pkg = privileges();
        for (int i = 0; pkg && i < pkg->Count(); ++i) {
            TQzPkgPrivilegesItem* privilege = pkg->GetItems(i);
            if (matches(privilege->DescriptionId())) {
                const QString id = QString::number(privilege->Id());
                const QString list = QzDlgManagerName(dlmPrivileges);
                addFound({list, -1, id, QString()}, false,
                         u'(' + list + QStringLiteral(")") + QStringLiteral(" Id: ") + id);
            }
            if (step())
                return true;
        }
    }
    return false;
}

void TQzManagerEngine::Scan(TQzDlgManager kind, const QString& pkgName, const QString& id) {
    if (id.trimmed().isEmpty())
        return;
    FTypeDlg = kind;
    if (QzDlgManagerIsSet(kind)) {
        FTextS = quoted(id);
    } else {
        FTextS = id;
        if (QzDlgManagerHasPackage(kind))
            FPkgName = quoted(pkgName);
    }
    FNameCol.clear();
    ResetTypeCache();

    FFeedback.ProgressOpen(QStringLiteral("Scanning"));
    ClearLines();
    FModeScan = msnScan;
    int total = 0;
    std::vector<TFormText> forms = readForms(total);
    total += holderCount();
    FFeedback.ProgressMaximum(std::max(total, 1) - 1);

    FPkgNameB = false;
    bool cancelled = passForms(forms, false);
    // Holders refer by number; an id that is not one refers to nothing they hold.
    bool numeric = false;
    const int number = id.toInt(&numeric);
    if (!cancelled && numeric)
        scanHolders(number);
    FFeedback.ProgressClose();
}

// ---------------------------------------------------------------------------------------------
// Counter

void TQzManagerEngine::addCount(const QString& pkgName, const QString& nameId, int counter) {
    FCountIndex.insert(countKey(pkgName, nameId), int(FLines.size()));
    TQzManagerLine line;
    line.Rec = TQzTokenRec2{pkgName, nameId, counter};
    FLines.push_back(std::move(line));
}

void TQzManagerEngine::SearchNewToken(const QString& pkgName, const QString& nameId) {
    const auto it = FCountIndex.constFind(countKey(pkgName, nameId));
    if (it != FCountIndex.constEnd())
        ++std::get<TQzTokenRec2>(FLines[*it].Rec).Counter;
    else
        addCount(pkgName, nameId, 1);
}

int TQzManagerEngine::entryCount() const {
    if (QzDlgManagerIsSet(FTypeDlg)) {
        TQzPkgDisplaySets* list = setList(FTypeDlg);
        return list ? list->Count() : 0;
    }
    if (FTypeDlg == dlmPrivileges) {
        TQzPkgPrivileges* pkg = privileges();
        return pkg ? pkg->Count() : 0;
    }
    int count = 0;
    for (const QString& name : FListPkgs)
        if (TQzPkgItemList* list = itemList(FTypeDlg, name))
            count += list->Count();
    return count;
}

// Every item of the package side gets a line, unreferenced ones with 0; true when cancelled.
bool TQzManagerEngine::searchEntries() {
    FFeedback.ProgressText(QzDlgManagerName(FTypeDlg) + QStringLiteral(" Search"));
    auto add = [&](const QString& pkgName, const QString& nameId) {
        if (!FCountIndex.contains(countKey(pkgName, nameId)))
            addCount(pkgName, nameId, 0);
        return step();
    };
    if (QzDlgManagerIsSet(FTypeDlg)) {
        TQzPkgDisplaySets* list = setList(FTypeDlg);
        for (int i = 0; list && i < list->Count(); ++i)
            if (add(QString(), quoted(list->GetItems(i)->Name())))
                return true;
    } else if (FTypeDlg == dlmPrivileges) {
        TQzPkgPrivileges* pkg = privileges();
        for (int i = 0; pkg && i < pkg->Count(); ++i)
            if (add(QString(), QString::number(pkg->GetItems(i)->Id())))
                return true;
    } else {
        for (const QString& name : FListPkgs) {
            TQzPkgItemList* list = itemList(FTypeDlg, name);
            for (int i = 0; list && i < list->Count(); ++i)
                if (add(quoted(name), QString::number(list->GetItems(i)->Id())))
                    return true;
        }
    }
    return false;
}

// References held by the application's sets and privileges, whatever packages were chosen;
// true when cancelled.
bool TQzManagerEngine::countHolders() {
    auto count = [&](const TQzMemoryRef* ref) {
        if (ref->Defined())
            SearchNewToken(quoted(ref->PkgName()), QString::number(ref->Id()));
        return step();
    };
    if (FTypeDlg == dlmImages) {
        FFeedback.ProgressText(QStringLiteral("Images Check (SetsBackGround)"));
        TQzPkgDisplay* pkg = display();
        for (int i = 0; pkg && i < pkg->SetsBackGround()->Count(); ++i)
            if (count(pkg->SetsBackGround()->GetItems(i)->Image()))
                return true;
    } else if (FTypeDlg == dlmLabels) {
        FFeedback.ProgressText(
            QStringLiteral("Labels Check (SetsBackGround, SetsColor, SetsFont, Privileges)"));
        for (const TSetHolders& holders : labelSetLists())
            for (int i = 0; i < holders.List->Count(); ++i)
                if (count(holders.List->GetItems(i)->DescriptionId()))
                    return true;
        TQzPkgPrivileges* pkg = privileges();
        for (int i = 0; pkg && i < pkg->Count(); ++i)
            if (count(pkg->GetItems(i)->DescriptionId()))
                return true;
    }
    return false;
}

TCollectionItem* TQzManagerEngine::FindItem(const TQzTokenRec2& rec) const {
    if (QzDlgManagerIsSet(FTypeDlg)) {
        TQzPkgDisplaySets* list = setList(FTypeDlg);
        return list ? list->Find(QzUnquote(rec.NameId)) : nullptr;
    }
    bool ok = false;
    const int id = rec.NameId.toInt(&ok);
    if (!ok)
        return nullptr;
    if (FTypeDlg == dlmPrivileges) {
        TQzPkgPrivileges* pkg = privileges();
        return pkg ? pkg->FindId(id) : nullptr;
    }
    TQzPkgItemList* list = itemList(FTypeDlg, QzUnquote(rec.PkgName));
    return list ? list->FindId(id) : nullptr;
}

// Marks lines whose item is missing and checks the unused ones; true when cancelled.
bool TQzManagerEngine::existCheck() {
    FFeedback.ProgressMaximum(int(FLines.size()) - 1);
    FFeedback.ProgressText(QStringLiteral("Exist Check"));
    for (TQzManagerLine& line : FLines) {
        if (!FindItem(*line.Counted()))
            line.Text += QStringLiteral(" ( Nonexistent )");
        if (step())
            return true;
    }
    for (TQzManagerLine& line : FLines)
        line.Checked = line.Counted()->Counter == 0;
    return false;
}

void TQzManagerEngine::Counter(TQzDlgManager kind, const QStringList& packages) {
    FTypeDlg = kind;
    FListPkgs = QzDlgManagerHasPackage(kind) ? packages : QStringList();
    FNameCol.clear();
    ResetTypeCache();

    FFeedback.ProgressOpen(QStringLiteral("Counting"));
    ClearLines();
    FModeScan = msnCounter;
    int total = 0;
    std::vector<TFormText> forms = readForms(total);
    total += entryCount() + holderCount();
    FFeedback.ProgressMaximum(std::max(total - 1, 0));

    FPkgNameB = false;
    bool cancelled = passForms(forms, true);
    cancelled = cancelled || searchEntries();
    cancelled = cancelled || countHolders();
    // Counters only grow during the passes; the texts are written once they are final.
    for (TQzManagerLine& line : FLines)
        line.Text = QzCounterText(*line.Counted(), FTypeDlg);
    if (!cancelled)
        existCheck();

    FFeedback.ProgressClose();
    std::stable_sort(FLines.begin(), FLines.end(),
                     [](const TQzManagerLine& a, const TQzManagerLine& b) {
                         return a.Text.compare(b.Text, Qt::CaseInsensitive) < 0;
                     });
    FCountIndex.clear();
    FListPkgs.clear();
}

// ---------------------------------------------------------------------------------------------
// Replace and Clear

void TQzManagerEngine::Replace(const QString& pkgName, const QString& value) {
    if (FModeScan != msnScan)
        return;
    // A number is written as the form writer would ("0x10" or "008" would not read back as the
    // same id, or at all).
    rewrite(false, pkgName, FTypeDlg >= dlmImages ? QString::number(QzStrToInt(value)) : value);
}

void TQzManagerEngine::Clear(IQzManagerOwner* owner) {
    if (FModeScan == msnScan)
        rewrite(true, QString(), QString());
    else if (FModeScan == msnCounter)
        deleteUnused(owner);
}

TQzManagerEngine::TFormText TQzManagerEngine::openForm(const QString& name) {
    TFormText form;
    form.Name = name;
    try {
        form.Loaded = FForms.ReadForm(name, form.Lines, form.Format);
        if (form.Loaded)
            enterForm(name, form.Format);
    } catch (const std::exception& e) {
        form.Loaded = false;
        reportError(e, name);
    }
    form.Backup = form.Lines;
    return form;
}

// A live form is told it changed; a form file gets its text back, or its old text when the new
// one cannot be stored.
void TQzManagerEngine::finishForm(TFormText& form) {
    if (!form.Loaded || !form.Changed)
        return;
    if (FTypeLoad == tldInternal) {
        QzDesignerModified(FForm);
        return;
    }
    try {
        FForms.WriteForm(form.Lines, form.Name, FOriginalFormat);
    } catch (const std::exception& e) {
        try {
            FForms.WriteForm(form.Backup, form.Name, FOriginalFormat);
        } catch (const std::exception&) {
            // The message below already says the form was not written.
        }
        FFeedback.Message(TQzManagerMessageType::Error, errorText(e));
    }
}

// The package line above an id line must still be the one the scan matched: same package, same
// property; otherwise the id line moved next to something else.
bool TQzManagerEngine::pkgNameLineAbove(const QStringList& lines, int idLine) const {
    if (idLine < 1)
        return false;
    TQzTokens above, id;
    GetListTokens(above, lines[idLine - 1]);
    GetListTokens(id, lines[idLine]);
    const int ka = ScannerTokensEqual(above);
    const int ki = ScannerTokensEqual(id);
    if (ka < 1 || ka != ki || GetToken(above, ka - 1).compare(u"PkgName", Qt::CaseInsensitive) ||
        GetToken(above, ka + 1).compare(FPkgName, Qt::CaseInsensitive))
        return false;
    for (int i = 0; i < ka - 1; ++i)
        if (above[i].compare(id[i], Qt::CaseInsensitive))
            return false;
    return true;
}

bool TQzManagerEngine::rewriteLine(TFormText& form, const TQzTokenRec1& rec, bool clearing,
                                   const QString& pkgName, const QString& value) {
    const int i = rec.NumLine;
    if (i >= form.Lines.size() || form.Lines[i] != rec.StrLine)
        return false;
    const bool twoLines = QzDlgManagerHasPackage(FTypeDlg);
    if (twoLines && !pkgNameLineAbove(form.Lines, i))
        return false;

    if (FTypeLoad == tldInternal) {
        const QString newValue = clearing && !QzDlgManagerIsSet(FTypeDlg) ? QStringLiteral("-1")
                                 : clearing                               ? QString()
                                                                          : value;
        if (!SetProperty(FForm, rec.StrChange, clearing ? QString() : pkgName, newValue))
            return false;
        form.Changed = true;
        FFeedback.Changed(
            {TQzManagerChange::LiveProperty, form.Name, i, rec.StrChange, rec.StrLine, QString()});
        return true;
    }

    auto change = [&](int line, const QString& after) {
        const TQzManagerChange::Kind kind =
            after.isNull() ? TQzManagerChange::LineDeleted : TQzManagerChange::LineRewritten;
        FFeedback.Changed({kind, form.Name, line, rec.StrChange, form.Lines[line], after});
        if (after.isNull())
            form.Lines.removeAt(line);
        else
            form.Lines[line] = after;
    };
    if (clearing) {
        change(i, QString());
        if (twoLines)
            change(i - 1, QString());
    } else {
        if (twoLines)
            change(i - 1, LineString(form.Lines[i - 1], formString(pkgName)));
        change(i,
               LineString(form.Lines[i], QzDlgManagerIsSet(FTypeDlg) ? formString(value) : value));
    }
    form.Changed = true;
    return true;
}

bool TQzManagerEngine::rewriteHolder(const TQzTokenRec1& rec, bool clearing, const QString& pkgName,
                                     const QString& value) {
    TQzMemoryRef* ref = nullptr;
    TQzPkgInfo* owner = nullptr;
    if (rec.NameUnit == QzDlgManagerName(dlmPrivileges)) {
        if (FTypeDlg == dlmLabels && privileges()) {
            bool ok = false;
            const int id = rec.StrChange.toInt(&ok);
            if (TQzPkgPrivilegesItem* privilege = ok ? privileges()->FindId(id) : nullptr)
                ref = privilege->DescriptionId();
            owner = privileges();
        }
    } else if (FTypeDlg == dlmImages || FTypeDlg == dlmLabels) {
        const std::optional<TQzDlgManager> list = QzDlgManagerFromName(rec.NameUnit);
        TQzPkgDisplaySets* sets = list && QzDlgManagerIsSet(*list) ? setList(*list) : nullptr;
        if (TQzPkgDisplaySet* set = sets ? sets->Find(rec.StrChange) : nullptr) {
            auto* background = qobject_cast<TQzPkgDisplaySetBackGround*>(set);
            if (FTypeDlg == dlmLabels)
                ref = set->DescriptionId();
            else if (background)
                ref = background->Image();
        }
        owner = display();
    }
    if (!ref)
        return false;
    if (clearing)
        ref->SetId(TQzMemoryRef::NoItem);
    else
        ref->PkgId(pkgName, QzStrToInt(value));
    FFeedback.Changed(
        {TQzManagerChange::Holder, rec.NameUnit, -1, rec.StrChange, QString(), QString()});
    // A display or privileges package kept in a designed form makes that form modified.
    QzDesignerModified(owner);
    FFeedback.PackageChanged(owner);
    return true;
}

void TQzManagerEngine::rewrite(bool clearing, const QString& pkgName, const QString& value) {
    int notModified = 0;
    const int count = int(FLines.size());
    if (count > 0) {
        FFeedback.ProgressOpen(clearing ? QStringLiteral("Cleaning") : QStringLiteral("Replacing"));
        FFeedback.ProgressMaximum(count - 1);
        TFormText form;
        // Clearing deletes lines, so it goes backwards: the lines still to do keep their index.
        for (int n = 0; n < count; ++n) {
            const TQzManagerLine& line = FLines[clearing ? count - 1 - n : n];
            if (line.Checked) {
                const TQzTokenRec1& rec = *line.Found();
                bool done = false;
                if (rec.NumLine < 0) {
                    done = rewriteHolder(rec, clearing, pkgName, value);
                } else {
                    if (rec.NameUnit.compare(form.Name, Qt::CaseInsensitive) != 0) {
                        finishForm(form);
                        form = openForm(rec.NameUnit);
                    }
                    done = form.Loaded && rewriteLine(form, rec, clearing, pkgName, value);
                }
                notModified += done ? 0 : 1;
            }
            if (step())
                break;
        }
        finishForm(form);
        FFeedback.ProgressClose();
    }
    if (notModified > 0)
        FFeedback.Message(
            TQzManagerMessageType::Information,
            QStringLiteral("Unable to modified %1 ").arg(notModified) +
                (notModified == 1 ? QStringLiteral("line") : QStringLiteral("lines")));
    ClearLines();
}

void TQzManagerEngine::deleteUnused(IQzManagerOwner* owner) {
    const int count = int(FLines.size());
    if (count > 0) {
        FFeedback.ProgressOpen(QStringLiteral("Cleaning"));
        FFeedback.ProgressMaximum(count - 1);
        for (const TQzManagerLine& line : FLines) {
            TCollectionItem* item = line.Checked ? FindItem(*line.Counted()) : nullptr;
            if (item && owner && owner->ManagerEditsKind(FTypeDlg)) {
                const QString pkgName = QzUnquote(line.Counted()->PkgName);
                if (!QzDlgManagerHasPackage(FTypeDlg) ||
                    owner->ManagerPackageName().compare(pkgName, Qt::CaseInsensitive) == 0) {
                    owner->ManagerDeleteItem(FTypeDlg, item);
                } else {
                    // Another package than the owner shows: nobody else lists the item.
                    TQzPkgInfo* pkg = FTypeDlg == dlmImages
                                          ? static_cast<TQzPkgInfo*>(QzFindPkgImages(pkgName))
                                          : QzFindPkgStrings(pkgName);
                    delete item;
                    QzDesignerModified(pkg);
                    FFeedback.PackageChanged(pkg);
                }
            }
            if (step())
                break;
        }
        FFeedback.ProgressClose();
    }
    ClearLines();
}
