// The read passes: Scan finds where one item is referenced, Counter counts every item's
// references.

#include "manager/core/QzManagerEngine.h"

#include "manager/core/QzManagerEngineShared.h"

#include <algorithm>

using namespace qzmanager;

namespace {

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

QString countKey(const QString& pkgName, const QString& nameId) {
    return pkgName.toCaseFolded() + u'\x1f' + nameId.toCaseFolded();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading the forms

// The lines of every form, for the progress maximum; only when the progress is shown, as it
// costs a read of every form.
int TQzManagerEngine::lineCount() {
    if (!FFeedback.ShowsProgress())
        return 0;
    int count = 0;
    for (const QString& name : FForms.FormNames()) {
        TFormFileText text;
        try {
            if (FForms.ReadForm(name, text))
                count += text.Count();
        } catch (const std::exception&) {
            // Reported when the pass reads it.
        }
    }
    return count;
}

// Scans or counts every line of every form, one form in memory at a time; true when cancelled.
// A form that cannot be read or whose scan raises is reported and the next one follows.
bool TQzManagerEngine::passForms(bool counting) {
    for (const QString& name : FForms.FormNames()) {
        TFormFileText text;
        try {
            if (!FForms.ReadForm(name, text))
                continue;
        } catch (const std::exception& e) {
            reportError(e, name);
            continue;
        }
        FFeedback.ProgressText(name);
        FNumLine = 0;
        FStringLine.clear();
        try {
            enterForm(name);
            for (int i = 0; i < text.Count(); ++i) {
                FNumLine = i;
                FStringLine = text.Line(i);
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
    FFeedback.ProgressMaximum(std::max(lineCount() + holderCount(), 1) - 1);

    FPkgNameB = false;
    const bool cancelled = passForms(false);
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
    FLines[FCountIndex.value(countKey(pkgName, nameId))].Places.push_back(
        FHolder ? *FHolder : TQzTokenRec1{FNameUnit, FNumLine, QString(), QString()});
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
void TQzManagerEngine::countHolder(const TQzMemoryRef* ref, const QString& list,
                                   const QString& name) {
    if (!ref->Defined())
        return;
    FHolder = TQzTokenRec1{list, -1, name, QString()};
    SearchNewToken(quoted(ref->PkgName()), QString::number(ref->Id()));
    FHolder.reset();
}

bool TQzManagerEngine::countHolders() {
    if (FTypeDlg == dlmImages) {
        FFeedback.ProgressText(QStringLiteral("Images Check (SetsBackGround)"));
        TQzPkgDisplay* pkg = display();
        for (int i = 0; pkg && i < pkg->SetsBackGround()->Count(); ++i) {
            TQzPkgDisplaySetBackGround* set = pkg->SetsBackGround()->GetItems(i);
            countHolder(set->Image(), QzDlgManagerName(dlmSetsBackGround), set->Name());
            if (step())
                return true;
        }
    } else if (FTypeDlg == dlmLabels) {
        FFeedback.ProgressText(
            QStringLiteral("Labels Check (SetsBackGround, SetsColor, SetsFont, Privileges)"));
        for (const TSetHolders& holders : labelSetLists()) {
            for (int i = 0; i < holders.List->Count(); ++i) {
                TQzPkgDisplaySet* set = holders.List->GetItems(i);
                countHolder(set->DescriptionId(), holders.Name, set->Name());
                if (step())
                    return true;
            }
        }
        TQzPkgPrivileges* pkg = privileges();
        for (int i = 0; pkg && i < pkg->Count(); ++i) {
            TQzPkgPrivilegesItem* privilege = pkg->GetItems(i);
            countHolder(privilege->DescriptionId(), QzDlgManagerName(dlmPrivileges),
                        QString::number(privilege->Id()));
            if (step())
                return true;
        }
    }
    return false;
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
    FFeedback.ProgressMaximum(std::max(lineCount() + entryCount() + holderCount() - 1, 0));

    FPkgNameB = false;
    bool cancelled = passForms(true);
    cancelled = cancelled || searchEntries();
    cancelled = cancelled || countHolders();
    // Counters only grow during the passes; the texts are written once they are final.
    for (TQzManagerLine& line : FLines)
        line.Text = QzCounterText(*line.Counted(), FTypeDlg);
    if (!cancelled)
        existCheck();

    FFeedback.ProgressClose();
    // By counter, then package, then id as a number (a set name as text).
    std::stable_sort(FLines.begin(), FLines.end(),
                     [](const TQzManagerLine& a, const TQzManagerLine& b) {
                         const TQzTokenRec2& x = *a.Counted();
                         const TQzTokenRec2& y = *b.Counted();
                         if (x.Counter != y.Counter)
                             return x.Counter < y.Counter;
                         if (const int c = x.PkgName.compare(y.PkgName, Qt::CaseInsensitive))
                             return c < 0;
                         bool xNumber = false, yNumber = false;
                         const qlonglong xId = x.NameId.toLongLong(&xNumber);
                         const qlonglong yId = y.NameId.toLongLong(&yNumber);
                         if (xNumber && yNumber && xId != yId)
                             return xId < yId;
                         if (xNumber != yNumber)
                             return xNumber;
                         return x.NameId.compare(y.NameId, Qt::CaseInsensitive) < 0;
                     });
    FCountIndex.clear();
    FListPkgs.clear();
}
