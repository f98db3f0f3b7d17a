// The rewrite passes: after a scan, Replace redirects and Clear clears the checked references;
// after a count, Clear deletes the checked unused items.

#include "manager/core/QzManagerEngine.h"

#include "QzHooks.h"
#include "manager/core/QzManagerEngineShared.h"

using namespace qzmanager;

namespace {

// A string as a form text holds it: a quote inside is doubled, or the line would not parse.
QString formString(QString text) {
    return quoted(text.replace(u'\'', QStringLiteral("''")));
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

TQzManagerEngine::TFormText TQzManagerEngine::openForm(const QString& name) {
    TFormText form;
    form.Name = name;
    try {
        form.Loaded = FForms.ReadForm(name, form.Text);
        if (form.Loaded)
            enterForm(name);
    } catch (const std::exception& e) {
        form.Loaded = false;
        reportError(e, name);
    }
    form.Backup = form.Text;
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
        FForms.WriteForm(form.Text, form.Name);
    } catch (const std::exception& e) {
        try {
            FForms.WriteForm(form.Backup, form.Name);
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
    if (i >= form.Text.Count() || form.Text.Line(i) != rec.StrLine)
        return false;
    const bool twoLines = QzDlgManagerHasPackage(FTypeDlg);
    if (twoLines && !pkgNameLineAbove(form.Text.Lines(), i))
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
        FFeedback.Changed({kind, form.Name, line, rec.StrChange, form.Text.Line(line), after});
        if (after.isNull())
            form.Text.RemoveLine(line);
        else
            form.Text.SetLine(line, after);
    };
    if (clearing) {
        change(i, QString());
        if (twoLines)
            change(i - 1, QString());
    } else {
        if (twoLines)
            change(i - 1, LineString(form.Text.Line(i - 1), formString(pkgName)));
        change(i, LineString(form.Text.Line(i),
                             QzDlgManagerIsSet(FTypeDlg) ? formString(value) : value));
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
