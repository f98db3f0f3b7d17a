#include "manager/core/QzManagerEngine.h"

#include "FileWrite.h"
#include "QzCApplication.h"
#include "manager/core/QzManagerEngineShared.h"

#include <QFileInfo>
#include <algorithm>

namespace {

TQzPkgItemList* stringsList(TQzPkgStrings* pkg, TQzDlgManager kind) {
    if (!pkg)
        return nullptr;
    if (kind == dlmLabels)
        return pkg->Labels();
    return kind == dlmTexts ? pkg->Texts() : pkg->Messages();
}

} // namespace

namespace qzmanager {

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

QString quoted(const QString& text) {
    return u'\'' + text + u'\'';
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

TQzPkgItemList* itemList(TQzDlgManager kind, const QString& name) {
    if (kind == dlmImages) {
        TQzPkgImages* pkg = QzFindPkgImages(name);
        return pkg ? pkg->Images() : nullptr;
    }
    return stringsList(QzFindPkgStrings(name), kind);
}

} // namespace qzmanager

using namespace qzmanager;

QString QzCounterText(const TQzTokenRec2& rec, TQzDlgManager kind) {
    QString text = QStringLiteral("(%1) ").arg(rec.Counter, 5, 10, QLatin1Char('0'));
    if (!rec.PkgName.isEmpty())
        text += QStringLiteral("PkgName: ") + rec.PkgName + u' ';
    text += !rec.PkgName.isEmpty() || kind == dlmPrivileges ? QStringLiteral("Id")
                                                            : QStringLiteral("Name");
    return text + QStringLiteral(": ") + rec.NameId;
}

IQzManagerForms::~IQzManagerForms() = default;

QByteArray IQzManagerForms::FormFileBytes(const TFormFileText& text, const QString&) {
    return text.ToBytes();
}

void IQzManagerForms::WriteForms(TFileTransaction& files) {
    files.Commit();
}
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
    FFeedback.MessageAt(
        TQzManagerMessageType::Error,
        QStringLiteral("Internal Error: File: %1 Line: %2 Procedure: %3")
            .arg(fileNameOf(FNameUnit),
                 u'(' + QString::number(FNumLine) + QStringLiteral(") ") + FStringLine, FProcedure),
        FNameUnit, FNumLine);
}

void TQzManagerEngine::reportError(const std::exception& e, const QString& fileName) {
    const auto* exception = dynamic_cast<const Exception*>(&e);
    FFeedback.MessageAt(TQzManagerMessageType::Error,
                        QStringLiteral("%1: %2").arg(fileNameOf(fileName), errorText(e)), fileName,
                        exception && exception->Line() > 0 ? exception->Line() - 1 : -1);
}

void TQzManagerEngine::enterForm(const QString& name) {
    FNameUnit = name;
    FForm = FForms.DesignForm(name);
    FTypeLoad = FForm ? tldInternal : tldExternal;
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
