// The rewrite passes: after a scan, Replace redirects and Clear clears the checked references;
// after a count, Clear deletes the checked unused items.

#include "manager/core/QzManagerEngine.h"

#include "FileWrite.h"
#include "QzHooks.h"
#include "TextForm.h"
#include "manager/core/QzManagerEngineShared.h"

#include <algorithm>

using namespace qzmanager;

namespace {

// A string property as the form writer writes it: the text up to "=" of `line`, then the value,
// on the lines after it when it is long.
QStringList stringProperty(const QString& line, const QString& value) {
    const QString head = line.left(line.indexOf(u'=') + 1);
    const QList<QByteArray> pieces = QuoteFormStringPieces(value);
    if (pieces.size() == 1)
        return {head + u' ' + QString::fromLatin1(pieces[0])};
    qsizetype blanks = 0;
    while (blanks < line.size() && line[blanks].unicode() <= 32)
        ++blanks;
    const QString indent = line.left(blanks) + QStringLiteral("  ");
    QStringList lines{head};
    for (const QByteArray& piece : pieces)
        lines << indent + QString::fromLatin1(piece);
    return lines;
}

// Whether two property lines qualify their properties with the same names ("Caption." in
// "Caption.PkgName" and "Caption.Id").
bool sameQualifiers(const QString& a, const QString& b) {
    TQzTokens ta, tb;
    TQzFormScanner::GetListTokens(ta, a);
    TQzFormScanner::GetListTokens(tb, b);
    const int ka = TQzFormScanner::ScannerTokensEqual(ta);
    if (ka < 1 || ka != TQzFormScanner::ScannerTokensEqual(tb))
        return false;
    for (int i = 0; i < ka - 1; ++i)
        if (ta[i].compare(tb[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

} // namespace

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

// The lines of the string property at line `first` when its value is still `quotedValue`
// (compared ignoring case); 0 when it is not.
int TQzManagerEngine::valueLines(const TFormFileText& text, int first,
                                 const QString& quotedValue) const {
    QString value;
    bool complete = false;
    const QString& line = text.Line(first);
    if (!line.contains(u'=') ||
        !QzFormStringValue(QStringView(line).mid(line.indexOf(u'=') + 1), value, complete))
        return 0;
    int last = first;
    while (!complete) {
        if (++last >= text.Count())
            return 0;
        QString piece;
        if (!QzFormStringValue(text.Line(last), piece, complete) || piece.isEmpty())
            return 0;
        value += piece;
    }
    return quoted(value).compare(quotedValue, Qt::CaseInsensitive) == 0 ? last - first + 1 : 0;
}

// Rewrites one reference in the form's text (or on its live form); false when its lines are no
// longer what the scan found. Text changes go to `changes`; a line left as it was is none.
bool TQzManagerEngine::rewriteLine(TFormText& form, const TQzTokenRec1& rec, bool clearing,
                                   const QString& pkgName, const QString& value,
                                   std::vector<TQzManagerChange>& changes) {
    TFormFileText& text = form.Text;
    const int i = rec.NumLine;
    if (i >= text.Count() || text.Line(i) != rec.StrLine)
        return false;
    const bool twoLines = QzDlgManagerHasPackage(FTypeDlg);
    const int pkgFirst = i - rec.PkgNameLines;
    if (twoLines && (pkgFirst < 0 || valueLines(text, pkgFirst, FPkgName) != rec.PkgNameLines ||
                     !sameQualifiers(text.Line(pkgFirst), text.Line(i))))
        return false;
    if (QzDlgManagerIsSet(FTypeDlg) && valueLines(text, i, FTextS) != rec.LineCount)
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

    // Later lines go first, so that the earlier ones keep their numbers.
    auto put = [&](int at, int count, const QStringList& lines) {
        const QStringList before = text.Lines().mid(at, count);
        if (before == lines)
            return;
        const bool deleted = lines.isEmpty();
        changes.push_back(
            {deleted ? TQzManagerChange::LineDeleted : TQzManagerChange::LineRewritten, form.Name,
             at, rec.StrChange, before.join(u'\n'), deleted ? QString() : lines.join(u'\n')});
        for (int n = count; n-- > 0;)
            text.RemoveLine(at + n);
        for (int n = 0; n < lines.size(); ++n)
            text.InsertLine(at + n, lines[n]);
        form.Changed = true;
    };
    if (twoLines) {
        put(i, 1, clearing ? QStringList() : QStringList{LineString(text.Line(i), value)});
        put(pkgFirst, rec.PkgNameLines,
            clearing ? QStringList() : stringProperty(text.Line(pkgFirst), pkgName));
    } else if (QzDlgManagerIsSet(FTypeDlg)) {
        put(i, rec.LineCount, clearing ? QStringList() : stringProperty(text.Line(i), value));
    } else {
        put(i, 1, clearing ? QStringList() : QStringList{LineString(text.Line(i), value)});
    }
    return true;
}

bool TQzManagerEngine::rewriteHolder(const TQzTokenRec1& rec, bool clearing, const QString& pkgName,
                                     const QString& value, std::vector<TQzManagerChange>& changes) {
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
    changes.push_back(
        {TQzManagerChange::Holder, rec.NameUnit, -1, rec.StrChange, QString(), QString()});
    // A display or privileges package kept in a designed form makes that form modified.
    QzDesignerModified(owner);
    FFeedback.PackageChanged(owner);
    return true;
}

// Rewrites one form's references and, when its text changed, adds its new bytes to `files`;
// false when the form could not be read or its new text cannot be stored.
bool TQzManagerEngine::rewriteForm(TFormRewrite& group, TFileTransaction& files, bool clearing,
                                   const QString& pkgName, const QString& value, int& notModified) {
    TFormText form;
    form.Name = group.Name;
    try {
        form.Loaded = FForms.ReadForm(form.Name, form.Text);
        if (form.Loaded)
            enterForm(form.Name);
    } catch (const std::exception& e) {
        reportError(e, form.Name);
        return false;
    }
    std::sort(group.Refs.begin(), group.Refs.end(),
              [](const TQzTokenRec1* a, const TQzTokenRec1* b) { return a->NumLine > b->NumLine; });
    for (const TQzTokenRec1* rec : group.Refs) {
        if (!form.Loaded || !rewriteLine(form, *rec, clearing, pkgName, value, group.Changes))
            ++notModified;
    }
    if (!form.Changed)
        return true;
    if (FTypeLoad == tldInternal) {
        QzDesignerModified(FForm);
        return true;
    }
    try {
        files.Add(form.Name, FForms.FormFileBytes(form.Text, form.Name));
    } catch (const std::exception& e) {
        reportError(e, form.Name);
        group.Changes.clear();
        return false;
    }
    std::reverse(group.Changes.begin(), group.Changes.end());
    return true;
}

// Every changed form is prepared and checked first; then all are written together, so that a
// failure anywhere leaves every file as it was.
void TQzManagerEngine::rewrite(bool clearing, const QString& pkgName, const QString& value) {
    int notModified = 0;
    const int count = int(FLines.size());
    if (count > 0) {
        FFeedback.ProgressOpen(clearing ? QStringLiteral("Cleaning") : QStringLiteral("Replacing"));
        FFeedback.ProgressMaximum(count - 1);
        std::vector<TFormRewrite> forms;
        std::vector<const TQzTokenRec1*> holders;
        QHash<QString, std::size_t> formIndex;
        for (const TQzManagerLine& line : FLines) {
            if (!line.Checked)
                continue;
            const TQzTokenRec1* rec = line.Found();
            if (rec->NumLine < 0) {
                holders.push_back(rec);
                continue;
            }
            const QString key = rec->NameUnit.toCaseFolded();
            if (!formIndex.contains(key)) {
                formIndex.insert(key, forms.size());
                forms.push_back({rec->NameUnit, {}, {}});
            }
            forms[formIndex[key]].Refs.push_back(rec);
        }

        TFileTransaction files;
        bool failed = false;
        bool cancelled = false;
        for (TFormRewrite& form : forms) {
            failed = !rewriteForm(form, files, clearing, pkgName, value, notModified) || failed;
            for (std::size_t n = 0; n < form.Refs.size() && !cancelled; ++n)
                cancelled = step();
            if (cancelled)
                break;
        }
        std::vector<TQzManagerChange> holderChanges;
        for (std::size_t n = 0; n < holders.size() && !failed && !cancelled; ++n) {
            if (!rewriteHolder(*holders[n], clearing, pkgName, value, holderChanges))
                ++notModified;
            cancelled = step();
        }
        if (!failed) {
            try {
                FForms.WriteForms(files);
            } catch (const std::exception& e) {
                FFeedback.Message(TQzManagerMessageType::Error, errorText(e));
                failed = true;
            }
        }
        if (failed) {
            FFeedback.Message(TQzManagerMessageType::Error, QStringLiteral("No form was changed"));
        } else {
            for (const TFormRewrite& form : forms)
                for (const TQzManagerChange& change : form.Changes)
                    FFeedback.Changed(change);
            for (const TQzManagerChange& change : holderChanges)
                FFeedback.Changed(change);
        }
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
