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

// Each form is read once: its line count sizes the progress, and its text is what the pass scans.
std::vector<TQzManagerEngine::TFormText> TQzManagerEngine::readForms(int& lineCount) {
    std::vector<TFormText> forms;
    lineCount = 0;
    for (const QString& name : FForms.FormNames()) {
        TFormText form;
        form.Name = name;
        try {
            form.Loaded = FForms.ReadForm(name, form.Text);
        } catch (const std::exception& e) {
            reportError(e, name);
        }
        if (!form.Loaded)
            continue;
        lineCount += form.Text.Count();
        forms.push_back(std::move(form));
    }
    return forms;
}

// Scans or counts every line of every form; true when cancelled. A form whose scan raises is
// reported and the next one follows.
bool TQzManagerEngine::passForms(std::vector<TFormText>& forms, bool counting) {
    for (TFormText& form : forms) {
        FFeedback.ProgressText(form.Name);
        FNumLine = 0;
        FStringLine.clear();
        try {
            enterForm(form.Name);
            for (int i = 0; i < form.Text.Count(); ++i) {
                FNumLine = i;
                FStringLine = form.Text.Line(i);
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
        form.Text = TFormFileText();
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
