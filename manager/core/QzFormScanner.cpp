#include "manager/core/QzFormScanner.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "QzRefs.h"
#include "SysUtils.h"

#include <QFileInfo>
#include <QMetaProperty>
#include <cctype>
#include <memory>

namespace {

const QString KindNames[QzDlgManagerCount] = {
    QStringLiteral("SetsBackGround"), QStringLiteral("SetsColor"),  QStringLiteral("SetsFont"),
    QStringLiteral("Images"),         QStringLiteral("Labels"),     QStringLiteral("Texts"),
    QStringLiteral("Messages"),       QStringLiteral("Privileges"),
};

const QString RefClasses[QzDlgManagerCount] = {
    QStringLiteral("TQzSetBackGround"), QStringLiteral("TQzSetColor"),
    QStringLiteral("TQzSetFont"),       QStringLiteral("TQzMemoryImage"),
    QStringLiteral("TQzMemoryLabel"),   QStringLiteral("TQzMemoryText"),
    QStringLiteral("TQzMemoryMessage"), QStringLiteral("TQzPrivilege"),
};

bool same(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// "object", and the keywords the form writer uses for inherited and inline components, which
// start an object just the same.
bool startsObject(QStringView token) {
    return same(token, u"object") || same(token, u"inherited") || same(token, u"inline");
}

// "Name:Class" from the tokens of an object line, ":Class" for an object without a name.
QString objectName(const TQzTokens& list, int k) {
    if (k < 1)
        return u':' + TQzFormScanner::GetToken(list, 1).toString();
    return TQzFormScanner::GetToken(list, 1).toString() +
           TQzFormScanner::GetToken(list, 2).toString() +
           TQzFormScanner::GetToken(list, 3).toString();
}

// A path's tokens with the name an unnamed object stands in under.
QList<QStringView> pathTokens(const QString& path, QStringView unnamed) {
    TQzTokens tokens;
    TQzFormScanner::GetListTokens(tokens, path);
    QList<QStringView> list(tokens.begin(), tokens.end());
    if (!list.isEmpty() && list[0] == u":")
        list.insert(0, unnamed);
    return list;
}

const QString TempFormName = QStringLiteral("QzForm_Temp_1");

} // namespace

QString QzDlgManagerName(TQzDlgManager kind) {
    return KindNames[kind];
}

std::optional<TQzDlgManager> QzDlgManagerFromName(const QString& name) {
    for (int k = 0; k < QzDlgManagerCount; ++k)
        if (same(KindNames[k], name))
            return TQzDlgManager(k);
    return std::nullopt;
}

QString QzDlgManagerRefClass(TQzDlgManager kind) {
    return RefClasses[kind];
}

bool QzDlgManagerIsSet(TQzDlgManager kind) {
    return kind <= dlmSetsFont;
}

bool QzDlgManagerHasPackage(TQzDlgManager kind) {
    return kind >= dlmImages && kind <= dlmMessages;
}

QString QzUnquote(const QString& text) {
    if (text.size() >= 2 && text.front() == u'\'' && text.back() == u'\'')
        return text.mid(1, text.size() - 2);
    return text;
}

int QzStrToInt(const QString& text) {
    QStringView s = QStringView(text).trimmed();
    bool negative = false;
    if (!s.isEmpty() && (s[0] == u'-' || s[0] == u'+')) {
        negative = s[0] == u'-';
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    bool ok = !s.isEmpty() && s[0] != u'-' && s[0] != u'+';
    const qint64 magnitude = ok ? s.toLongLong(&ok, base) : 0;
    const qint64 value = negative ? -magnitude : magnitude;
    if (!ok || value < INT_MIN || value > INT_MAX)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return int(value);
}

// ---------------------------------------------------------------------------------------------

IQzManagerFeedback::~IQzManagerFeedback() = default;
void IQzManagerFeedback::MessageAt(TQzManagerMessageType type, const QString& text, const QString&,
                                   int) {
    Message(type, text);
}
bool IQzManagerFeedback::ShowsProgress() const {
    return true;
}
void IQzManagerFeedback::ProgressOpen(const QString&) {}
void IQzManagerFeedback::ProgressMaximum(int) {}
void IQzManagerFeedback::ProgressText(const QString&) {}
void IQzManagerFeedback::ProgressStep() {}
bool IQzManagerFeedback::Cancelled() {
    return false;
}
void IQzManagerFeedback::ProgressClose() {}
void IQzManagerFeedback::Changed(const TQzManagerChange&) {}
void IQzManagerFeedback::PackageChanged(TQzPkgInfo*) {}

TQzFormScanner::TQzFormScanner(IQzManagerFeedback& feedback) : FFeedback(feedback) {}

TQzFormScanner::~TQzFormScanner() = default;

// Every token is a run of the line's own characters, so the tokens are views: no line costs an
// allocation however many tokens it has.
void TQzFormScanner::GetListTokens(TQzTokens& list, QStringView line) {
    list.clear();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    qsizetype start = 0; // token under construction: line[start, start + length)
    qsizetype length = 0;
    bool afterEquals = false;
    auto skipBlanks = [&] {
        while (pos < n && isBlank(line[pos]))
            ++pos;
    };
    auto flush = [&] {
        qsizetype a = start, b = start + length;
        while (a < b && line[a].unicode() <= 32)
            ++a;
        while (b > a && line[b - 1].unicode() <= 32)
            --b;
        if (a < b)
            list.append(line.sliced(a, b - a));
    };
    auto advance = [&] {
        length = 0;
        if (pos < n)
            ++pos;
        skipBlanks();
    };
    auto append = [&] {
        if (length == 0)
            start = pos;
        ++length;
        ++pos;
    };

    skipBlanks();
    while (pos < n) {
        const QChar c = line[pos];
        if (c == u':' || c == u'=') {
            afterEquals = afterEquals || c == u'=';
            flush();
            list.append(line.sliced(pos, 1));
            advance();
        } else if ((c == u' ' || c == u'.') && !afterEquals) {
            flush();
            advance();
        } else if (c == u'\'') {
            qsizetype close = pos + 1;
            while (close < n && line[close] != u'\'')
                ++close;
            start = pos;
            if (close < n) {
                length = close + 1 - pos;
                pos = close + 1;
            } else {
                length = n - pos;
                pos = n;
            }
            flush();
            advance();
        } else {
            append();
        }
    }
    if (length > 0)
        flush();
}

QStringView TQzFormScanner::GetToken(const TQzTokens& list, qsizetype i) {
    return i >= 0 && i < list.size() ? list[i] : QStringView();
}

int TQzFormScanner::ScannerTokensEqual(const TQzTokens& list) {
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i] == u"=" || list[i] == u":")
            return int(i);
    return -1;
}

bool TQzFormScanner::ScannerObject(const TQzTokens& list) {
    if (!startsObject(GetToken(list, 0)))
        return false;
    FNameCol.clear();
    FNameObj = objectName(list, ScannerTokensEqual(list));
    return true;
}

bool TQzFormScanner::ScannerCollection(const TQzTokens& list, int k) {
    if (k < 0 || GetToken(list, k + 1) != u"<")
        return false;
    FNameCol = GetToken(list, k - 1).toString();
    // Items are numbered by their "item" lines from here on.
    FIndex = -1;
    return true;
}

bool TQzFormScanner::ScannerEndCollection(const TQzTokens& list) {
    if (list.size() != 1 || !same(list[0], u"end>"))
        return false;
    FNameCol.clear();
    return true;
}

bool TQzFormScanner::ScannerIndexCollection(const TQzTokens& list) {
    if (list.size() == 3 && same(list[0], u"Index") && list[1] == u"=") {
        FIndex = QzStrToInt(list[2].toString());
        return true;
    }
    // The form writer starts each item with an "item" line; counting them keeps the path on the
    // item the properties belong to, so that a live write reaches the right one.
    if (!list.isEmpty() && same(list[0], u"item") &&
        (list.size() == 1 || (list.size() == 2 && list[1].startsWith(u'[')))) {
        ++FIndex;
        return true;
    }
    return false;
}

int TQzFormScanner::Scanner(const TQzTokens& list) {
    FProcedure = QStringLiteral("Scanner");
    const int k = ScannerTokensEqual(list);
    if (ScannerObject(list))
        return -1;
    if (!FNameCol.isEmpty()) {
        if (ScannerEndCollection(list) || ScannerIndexCollection(list))
            return -1;
    } else if (ScannerCollection(list, k)) {
        return -1;
    }
    return k > 0 ? k : -1;
}

void TQzFormScanner::GetNameForm(QStringView line) {
    // A value left open by the form before ends with it.
    FPending.Active = false;
    TQzTokens list;
    GetListTokens(list, line);
    FNameForm = objectName(list, ScannerTokensEqual(list));
}

QString TQzFormScanner::GetStrChange(const TQzTokens& list) const {
    QString path = FNameObj;
    if (!FNameCol.isEmpty())
        path += u'.' + FNameCol + u'[' + QString::number(FIndex) + u']';
    qsizetype equals = -1;
    for (qsizetype i = 0; i < list.size() && equals < 0; ++i)
        if (list[i] == u"=")
            equals = i;
    for (qsizetype j = 0; j <= equals - 2; ++j) {
        path += u'.';
        path += list[j];
    }
    return path;
}

// ---------------------------------------------------------------------------------------------
// Type resolution

void TQzFormScanner::SetTypeCache(bool enabled) {
    FTypeCacheOn = enabled;
    FTypeCache.clear();
}

// The class at the end of the path, found the way a form reads it: a component of the path's
// class is read into a temporary form ("object QzForm_Temp_1: TForm / object Name: Class / end /
// end") and the properties are followed from there. None when anything on the way fails.
std::optional<QString> TQzFormScanner::resolveType(const QList<QStringView>& tokens) const {
    try {
        // The temporary component is no component of the design: it must not announce itself
        // to the package and application registries.
        const TDefaultInstanceScope scope;
        auto form = std::make_unique<TForm>(nullptr);
        form->SetName(TempFormName);
        TFormObject object;
        object.ClassName = QStringLiteral("TForm");
        object.Name = TempFormName;
        TFormObject& child = object.Children.emplace_back();
        child.ClassName = tokens.value(2).toString();
        child.Name = tokens[0].toString();
        ReadComponent(object, form.get());
        TComponent* component = form->FindComponent(child.Name);
        if (!component)
            return std::nullopt;
        QObject* instance = component;
        const QMetaObject* type = component->metaObject();
        for (qsizetype i = 3; i < tokens.size(); ++i) {
            const QStringView token = tokens[i];
            const qsizetype bracket = token.indexOf(u'[');
            const QString name = (bracket >= 0 ? token.left(bracket) : token).toString();
            const QMetaProperty prop = FindPublishedProperty(type, name);
            if (!prop.isValid())
                return std::nullopt;
            if (bracket >= 0) {
                auto* collection =
                    instance ? qobject_cast<TCollection*>(prop.read(instance).value<QObject*>())
                             : nullptr;
                if (!collection)
                    return std::nullopt;
                collection->Add();
                instance = collection->Items(0);
                type = instance->metaObject();
            } else if (const QMetaObject* cls = PropertyClass(type, name)) {
                instance = instance ? prop.read(instance).value<QObject*>() : nullptr;
                type = cls;
            } else if (i + 1 == tokens.size()) {
                return QString::fromLatin1(prop.metaType().name());
            } else {
                return std::nullopt;
            }
        }
        return QString::fromLatin1(type->className());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString TQzFormScanner::GetTypeProperty(const QString& path) {
    FProcedure = QStringLiteral("GetTypeProperty");
    const QList<QStringView> tokens = pathTokens(path, u"QzNew_Object");
    if (tokens.size() < 2 || tokens[1] != u":")
        return QString();

    std::optional<QString> type;
    // The answer depends on the class and the property names only, as long as the component
    // name is one a form accepts; collection indexes do not matter (item 0 is inspected).
    const bool cacheable = FTypeCacheOn && IsValidIdent(tokens[0].toString());
    QString key;
    if (cacheable) {
        key = tokens.value(2).toString();
        for (qsizetype i = 3; i < tokens.size(); ++i) {
            const qsizetype bracket = tokens[i].indexOf(u'[');
            key += u'.';
            key += bracket >= 0 ? tokens[i].left(bracket + 1) : tokens[i];
        }
        const auto it = FTypeCache.constFind(key);
        if (it != FTypeCache.constEnd())
            type = *it;
        else
            type = *FTypeCache.insert(key, resolveType(tokens));
    } else {
        type = resolveType(tokens);
    }
    if (type)
        return *type;
    // Scanning goes on: the line is just not taken for a reference.
    FFeedback.MessageAt(TQzManagerMessageType::Warning,
                        QStringLiteral("The file: %1 can contain an error in the line: %2")
                            .arg(QFileInfo(FNameUnit).fileName(),
                                 u'(' + QString::number(FNumLine) + QStringLiteral(") ") + path),
                        FNameUnit, FNumLine);
    return QString();
}

bool TQzFormScanner::ValidTokenSel(TQzDlgManager kind, const TQzTokens& list, QString& path) {
    if (FNameObj == FNameForm)
        return false;
    FProcedure = QStringLiteral("LineString");
    path = GetStrChange(list);
    return same(GetTypeProperty(path), RefClasses[kind]);
}

// ---------------------------------------------------------------------------------------------
// Matching

bool QzFormStringValue(QStringView text, QString& value, bool& complete) {
    value.clear();
    qsizetype at = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (at < n && text[at].unicode() <= 32)
            ++at;
    };
    skipBlanks();
    complete = false;
    if (at == n)
        return true;
    for (;;) {
        bool piece = false;
        for (;;) {
            if (at < n && text[at] == u'\'') {
                for (++at;; ++at) {
                    if (at == n)
                        return false;
                    if (text[at] == u'\'') {
                        if (at + 1 < n && text[at + 1] == u'\'') {
                            value += u'\'';
                            ++at;
                            continue;
                        }
                        ++at;
                        break;
                    }
                    value += text[at];
                }
            } else if (at < n && text[at] == u'#') {
                ++at;
                const bool hex = at < n && text[at] == u'$';
                at += hex ? 1 : 0;
                const qsizetype digits = at;
                while (at < n && (hex ? isxdigit(text[at].toLatin1()) != 0
                                      : text[at] >= u'0' && text[at] <= u'9'))
                    ++at;
                bool ok = false;
                const uint code = text.mid(digits, at - digits).toUInt(&ok, hex ? 16 : 10);
                if (!ok || code > 0xFFFF)
                    return false;
                value += QChar(char16_t(code));
            } else {
                break;
            }
            piece = true;
        }
        if (!piece)
            return false;
        skipBlanks();
        if (at == n) {
            complete = true;
            return true;
        }
        if (text[at] != u'+')
            return false;
        ++at;
        skipBlanks();
        if (at == n)
            return true;
    }
}

bool TQzFormScanner::startValue(QStringView line, bool pkgName) {
    // Properties of the root form are never references.
    if (FNameObj == FNameForm)
        return false;
    FPending =
        TPendingValue{true, pkgName, QString(), GetStrChange(FTokens), FNumLine, FStringLine, 1};
    bool complete = false;
    if (!QzFormStringValue(line.mid(line.indexOf(u'=') + 1), FPending.Value, complete)) {
        FPending.Active = false;
        return false;
    }
    FPending.Active = !complete;
    return complete;
}

bool TQzFormScanner::continueValue(QStringView line) {
    QString piece;
    bool complete = false;
    if (!QzFormStringValue(line, piece, complete) || piece.isEmpty()) {
        FPending.Active = false;
        return false;
    }
    FPending.Value += piece;
    ++FPending.Lines;
    FPending.Active = !complete;
    return complete;
}

// A package name matched sets FPkgNameB for the id line that must follow; a set name matched is
// a reference.
bool TQzFormScanner::pendingIsReference() {
    FProcedure = QStringLiteral("LineString");
    return same(GetTypeProperty(FPending.Path), RefClasses[FTypeDlg]);
}

std::optional<TQzTokenRec1> TQzFormScanner::scanValue() {
    const QString value = u'\'' + FPending.Value + u'\'';
    if (FPending.PkgName) {
        if (same(value, FPkgName) && pendingIsReference()) {
            FPkgNameB = true;
            FPkgNameLines = FPending.Lines;
        }
        return std::nullopt;
    }
    if (!same(value, FTextS) || !pendingIsReference())
        return std::nullopt;
    return TQzTokenRec1{FNameUnit,          FPending.FirstLine, FPending.Path,
                        FPending.FirstText, FPending.Lines,     1};
}

void TQzFormScanner::countValue() {
    const QString value = u'\'' + FPending.Value + u'\'';
    if (!FPending.PkgName) {
        if (pendingIsReference())
            SearchNewToken(QString(), value);
        return;
    }
    checkPkgNames();
    if (FQuotedPkgs.contains(value, Qt::CaseInsensitive) && pendingIsReference()) {
        FPkgNameB = true;
        FPkgName = value;
    }
}

std::optional<TQzTokenRec1> TQzFormScanner::LineScanner(QStringView line) {
    if (FPending.Active)
        return continueValue(line) ? scanValue() : std::nullopt;
    FProcedure = QStringLiteral("GetListTokens");
    GetListTokens(FTokens, line);
    const int k = Scanner(FTokens);
    FProcedure = QStringLiteral("LineScanner");
    const QStringView name = GetToken(FTokens, k - 1);
    const QStringView value = GetToken(FTokens, k + 1);
    QString path;

    if (FTypeDlg == dlmPrivileges) {
        if (k > 0 && same(name, u"Id") && same(value, FTextS) &&
            ValidTokenSel(FTypeDlg, FTokens, path))
            return TQzTokenRec1{FNameUnit, FNumLine, path, FStringLine};
        return std::nullopt;
    }
    if (QzDlgManagerIsSet(FTypeDlg)) {
        if (k > 0 && same(name, u"Name") && startValue(line, false))
            return scanValue();
        return std::nullopt;
    }
    if (FPkgNameB) {
        FPkgNameB = false;
        if (k > 0 && name == u"Id" && same(value, FTextS) && ValidTokenSel(FTypeDlg, FTokens, path))
            return TQzTokenRec1{FNameUnit, FNumLine, path, FStringLine, 1, FPkgNameLines};
    } else if (k > 0 && same(name, u"PkgName") && startValue(line, true)) {
        scanValue();
    }
    return std::nullopt;
}

void TQzFormScanner::checkPkgNames() {
    if (FQuotedFor == FListPkgs)
        return;
    FQuotedFor = FListPkgs;
    FQuotedPkgs.clear();
    for (const QString& name : FListPkgs)
        FQuotedPkgs.push_back(u'\'' + name + u'\'');
}

void TQzFormScanner::LineCounter(QStringView line) {
    if (FPending.Active) {
        if (continueValue(line))
            countValue();
        return;
    }
    FProcedure = QStringLiteral("GetListTokens");
    GetListTokens(FTokens, line);
    const int k = Scanner(FTokens);
    FProcedure = QStringLiteral("LineScanner");
    const QStringView name = GetToken(FTokens, k - 1);
    const QStringView value = GetToken(FTokens, k + 1);
    QString path;

    if (FTypeDlg == dlmPrivileges) {
        if (k > 0 && same(name, u"Id") && ValidTokenSel(FTypeDlg, FTokens, path))
            SearchNewToken(QString(), value.toString());
        return;
    }
    if (QzDlgManagerIsSet(FTypeDlg)) {
        if (k > 0 && same(name, u"Name") && startValue(line, false))
            countValue();
        return;
    }
    if (FPkgNameB) {
        FPkgNameB = false;
        if (k > 0 && same(name, u"Id") && ValidTokenSel(FTypeDlg, FTokens, path))
            SearchNewToken(FPkgName, value.toString());
    } else if (k > 0 && same(name, u"PkgName") && startValue(line, true)) {
        countValue();
    }
}

// ---------------------------------------------------------------------------------------------
// Writing

bool TQzFormScanner::SetProperty(TComponent* form, const QString& path, const QString& pkgName,
                                 const QString& value) {
    FProcedure = QStringLiteral("SetProperty");
    const QList<QStringView> tokens = pathTokens(path, QStringView());
    if (!form || tokens.isEmpty() || tokens[0].isEmpty())
        return false;
    TComponent* component = form->FindComponent(tokens[0].toString());
    if (!component)
        return false;

    FProcedure = QStringLiteral("GetObject");
    QObject* object = component;
    for (qsizetype i = 3; i < tokens.size() && object; ++i) {
        const QStringView token = tokens[i];
        const qsizetype bracket = token.indexOf(u'[');
        const QString name = (bracket >= 0 ? token.left(bracket) : token).toString();
        const QMetaProperty prop = FindPublishedProperty(object->metaObject(), name);
        if (!prop.isValid())
            return false;
        QObject* next = prop.read(object).value<QObject*>();
        if (bracket >= 0) {
            auto* collection = qobject_cast<TCollection*>(next);
            bool ok = false;
            const QStringView digits = token.mid(bracket + 1).chopped(token.endsWith(u']'));
            const int index = digits.toInt(&ok);
            next = collection && ok && index >= 0 && index < collection->Count()
                       ? collection->Items(index)
                       : nullptr;
        }
        object = next;
    }

    FProcedure = QStringLiteral("SetProperty");
    if (QzDlgManagerIsSet(FTypeDlg)) {
        auto* set = qobject_cast<TQzSetRef*>(object);
        if (!set ||
            !same(QString::fromLatin1(set->metaObject()->className()), RefClasses[FTypeDlg]))
            return false;
        set->SetName(value);
        return true;
    }
    if (FTypeDlg == dlmPrivileges) {
        auto* privilege = qobject_cast<TQzPrivilege*>(object);
        if (!privilege)
            return false;
        privilege->SetId(QzStrToInt(value));
        return true;
    }
    auto* ref = qobject_cast<TQzMemoryRef*>(object);
    if (!ref || !same(QString::fromLatin1(ref->metaObject()->className()), RefClasses[FTypeDlg]))
        return false;
    ref->PkgId(pkgName, QzStrToInt(value));
    return true;
}

QString TQzFormScanner::LineString(const QString& line, const QString& value) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return line;
    return line.left(equals + 1) + u' ' + value;
}
