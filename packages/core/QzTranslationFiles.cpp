#include "packages/core/QzTranslationFiles.h"

#include "packages/core/QzTranslationFormats.h"

#include "QzExcept.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzPkgStringsText.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString Labels = QStringLiteral("Labels");
const QString Messages = QStringLiteral("Messages");
const QString Texts = QStringLiteral("Texts");
const QString HintPart = QStringLiteral("Hint");

// Translation files carry line breaks as single line feeds.
QString shared(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A translation goes back with the line breaks its source text uses.
QString stored(const QString& translation, const QString& sourceText) {
    if (!sourceText.contains(QStringLiteral("\r\n")))
        return translation;
    QString text = translation;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\n', QStringLiteral("\r\n"));
}

bool sameEnds(const QString& a, const QString& b) {
    return a.startsWith(u'\n') == b.startsWith(u'\n') && a.endsWith(u'\n') == b.endsWith(u'\n');
}

const QString& hintOf(const TQzPkgItem* item) {
    return static_cast<const TQzPkgStringsLabel*>(item)->Hint();
}

// What a context names in a strings package.
struct TQzContext {
    QString List;
    int Id = -1;
    bool Hint = false;
};

std::optional<TQzContext> parseContext(const QString& context) {
    static const QRegularExpression pattern(
        QStringLiteral("^(Labels|Messages|Texts)/(0|[1-9][0-9]{0,9})(/Hint)?$"));
    const QRegularExpressionMatch match = pattern.match(context);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int id = match.captured(2).toInt(&ok);
    const bool hint = match.hasCaptured(3);
    if (!ok || (hint && match.captured(1) != Labels))
        return std::nullopt;
    return TQzContext{match.captured(1), id, hint};
}

TQzPkgItemList* listOf(const TQzPkgStrings& pkg, const QString& name) {
    if (name == Labels)
        return pkg.Labels();
    return name == Messages ? pkg.Messages() : pkg.Texts();
}

// The part of `item` a context names, and setting it.
QString partOf(const TQzPkgItem* item, bool hint) {
    return hint ? hintOf(item) : QzStringsItemText(item);
}

void setPart(TQzPkgItem* item, bool hint, const QString& text) {
    if (auto* label = qobject_cast<TQzPkgStringsLabel*>(item)) {
        if (hint)
            label->SetHint(text);
        else
            label->SetText(text);
        return;
    }
    static_cast<TQzPkgStringsText*>(item)->SetText(text);
}

TQzPkgItem* addLike(TQzPkgItemList* list, const TQzPkgItem* source) {
    TQzPkgItem* item = nullptr;
    if (auto* labels = qobject_cast<TQzPkgStringsLabels*>(list))
        item = labels->Add(source->Id(), QzStringsItemText(source), hintOf(source));
    else
        item = static_cast<TQzPkgStringsTexts*>(list)->Add(source->Id(), QzStringsItemText(source));
    item->Protected = source->Protected;
    return item;
}

} // namespace

bool QzUnitCarried(const TQzTranslationUnit& unit, bool xml, QStringList& warnings) {
    for (const QString* text : {&unit.Context, &unit.Source, &unit.Target})
        for (qsizetype i = 0; i < text->size(); ++i) {
            const QChar c = text->at(i);
            bool bad = c.isNull();
            if (c.isHighSurrogate())
                bad = i + 1 >= text->size() || !text->at(i + 1).isLowSurrogate();
            else if (c.isLowSurrogate())
                bad = i == 0 || !text->at(i - 1).isHighSurrogate();
            else if (xml && c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
                bad = true;
            else if (xml && (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF))
                bad = true;
            if (bad) {
                warnings << QStringLiteral("%1: holds U+%2, which this file cannot carry; left out")
                                .arg(unit.Context)
                                .arg(QStringLiteral("%1")
                                         .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                         .toUpper());
                return false;
            }
        }
    return true;
}

TQzTranslationFormat QzTranslationFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"po" || suffix == u"pot")
        return TQzTranslationFormat::Po;
    if (suffix == u"xlf" || suffix == u"xliff")
        return TQzTranslationFormat::Xliff;
    QzExcept(
        QStringLiteral("%1 is neither a PO file (.po) nor an XLIFF file (.xlf)").arg(fileName));
}

TQzTranslationFile QzTranslationUnits(const TQzPkgStrings& source, const TQzPkgStrings* translation,
                                      QStringList& warnings) {
    TQzTranslationFile file;
    file.PackageName = source.GetPkgName();
    const auto add = [&](const QString& context, const QString& text, const QString& target) {
        if (text.isEmpty())
            return;
        TQzTranslationUnit unit{context, shared(text), shared(target)};
        if (!unit.Target.isEmpty() && !sameEnds(unit.Source, unit.Target)) {
            unit.Fuzzy = true;
            warnings << QStringLiteral("%1: the translation begins or ends with a line break "
                                       "where the source does not, or the other way round; "
                                       "marked for review")
                            .arg(context);
        }
        file.Units.push_back(unit);
    };
    for (const QString& name : {Labels, Messages, Texts}) {
        const TQzPkgItemList* theirs = translation ? listOf(*translation, name) : nullptr;
        for (const TQzPkgItem* item : QzStringsItemsById(*listOf(source, name))) {
            const QString context = name + u'/' + QString::number(item->Id());
            const TQzPkgItem* other = theirs ? theirs->FindId(item->Id()) : nullptr;
            add(context, QzStringsItemText(item), other ? QzStringsItemText(other) : QString());
            if (name == Labels)
                add(context + u'/' + HintPart, hintOf(item), other ? hintOf(other) : QString());
        }
    }
    return file;
}

QByteArray QzWriteTranslationFile(const TQzTranslationFile& file, TQzTranslationFormat format,
                                  QStringList& warnings) {
    return format == TQzTranslationFormat::Po ? QzWritePo(file, warnings)
                                              : QzWriteXliff(file, warnings);
}

TQzTranslationFile QzReadTranslationFile(const QString& fileName, TQzTranslationFormat format) {
    if (format == TQzTranslationFormat::Po)
        return QzReadPo(fileName);
    QFile in(fileName);
    const bool opened =
        fileName == u"-" ? in.open(stdin, QIODevice::ReadOnly) : in.open(QIODevice::ReadOnly);
    if (!opened)
        QzExcept(QStringLiteral("Cannot read %1: %2").arg(fileName, in.errorString()));
    return QzReadXliff(in.readAll(), fileName);
}

TQzTranslationImport QzApplyTranslations(const TQzTranslationFile& file,
                                         const TQzPkgStrings& source, TQzPkgStrings& target,
                                         bool acceptFuzzy) {
    if (!file.PackageName.isEmpty() && file.PackageName != source.GetPkgName())
        QzExcept(QStringLiteral("The translations are for the package \"%1\", not for \"%2\"; "
                                "nothing was imported")
                     .arg(file.PackageName, source.GetPkgName()));
    TQzTranslationImport result;
    const auto issue = [&](const TQzTranslationUnit& unit, const QString& text) {
        result.Issues.push_back({unit.Context, unit.Line, text});
    };
    // Everything is checked before anything changes: the target may be the source itself.
    struct Change {
        TQzPkgItemList* List;
        const TQzPkgItem* SourceItem;
        bool Hint;
        QString Text;
    };
    QList<Change> changes;
    QHash<QString, qint64> seen;
    for (const TQzTranslationUnit& unit : file.Units) {
        const std::optional<TQzContext> context = parseContext(unit.Context);
        if (!context) {
            issue(unit, QStringLiteral("unknown context"));
            continue;
        }
        if (seen.contains(unit.Context)) {
            issue(unit, QStringLiteral("appears twice; only the first is used"));
            continue;
        }
        seen.insert(unit.Context, unit.Line);
        const TQzPkgItem* item = listOf(source, context->List)->FindId(context->Id);
        if (!item) {
            issue(unit, QStringLiteral("unknown context: the package has no such item"));
            continue;
        }
        const QString sourceText = partOf(item, context->Hint);
        if (unit.Source != shared(sourceText)) {
            issue(unit, QStringLiteral("the source text has changed since the file was made"));
            continue;
        }
        if (unit.Target.isEmpty()) {
            ++result.Untranslated;
            continue;
        }
        if (unit.Fuzzy && !acceptFuzzy) {
            issue(unit, QStringLiteral("marked fuzzy (for review); not applied"));
            continue;
        }
        changes.push_back(
            {listOf(target, context->List), item, context->Hint, stored(unit.Target, sourceText)});
    }
    for (const Change& change : changes) {
        TQzPkgItem* item = change.List->FindId(change.SourceItem->Id());
        const bool added = !item;
        if (added)
            item = addLike(change.List, change.SourceItem);
        if (!added && partOf(item, change.Hint) == change.Text) {
            ++result.Unchanged;
            continue;
        }
        setPart(item, change.Hint, change.Text);
        ++result.Applied;
    }
    return result;
}

TQzPkgStrings* QzLanguageStringsFor(TQzPkgLanguage& language, const QString& packageName) {
    return packageName == u"System" ? language.SystemStrings() : language.UserStrings();
}

// ---------------------------------------------------------------------------------------------
// Translation files on disk

namespace {

std::unique_ptr<TQzPkgInfo> loadTarget(const QString& fileName) {
    const TQzPkgFileHeader header = QzReadPkgFileHeader(fileName);
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(header.Kind));
    pkg->LoadFromFile(fileName);
    // Written back under the name it was saved with.
    pkg->SetPkgName(header.Name);
    return pkg;
}

} // namespace

TQzTranslationTarget::TQzTranslationTarget(const QString& fileName, const QString& packageName)
    : TQzTranslationTarget(fileName, loadTarget(fileName), packageName) {}

TQzTranslationTarget::TQzTranslationTarget(const QString& fileName, std::unique_ptr<TQzPkgInfo> pkg,
                                           const QString& packageName)
    : FFileName(fileName), FPkg(std::move(pkg)) {
    if (FPkg->Kind() != TQzPkgKind::Strings && FPkg->Kind() != TQzPkgKind::Language)
        QzExcept(QStringLiteral("%1 holds a %2 package; translations live in strings packages "
                                "and language files")
                     .arg(fileName, QzPkgKindName(FPkg->Kind())));
    if (auto* language = qobject_cast<TQzPkgLanguage*>(FPkg.get()))
        FStrings = QzLanguageStringsFor(*language, packageName);
    else
        FStrings = static_cast<TQzPkgStrings*>(FPkg.get());
}

TQzTranslationTarget::~TQzTranslationTarget() = default;

bool TQzTranslationTarget::IsLanguage() const {
    return FPkg->Kind() == TQzPkgKind::Language;
}

void TQzTranslationTarget::Save() {
    FPkg->SaveToFile(FFileName);
}
