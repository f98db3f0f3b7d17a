#include "QzUnitSource.h"

#include "QzExcept.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

struct Token {
    enum Kind { Ident, Symbol, Other };
    Kind kind = Other;
    qsizetype pos = 0;
    qsizetype end = 0;
    QString text;
    bool is(const char* word) const {
        return kind == Ident && text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0;
    }
    bool isName(const QString& name) const {
        return kind == Ident && text.compare(name, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(char16_t c) const { return kind == Symbol && text.size() == 1 && text[0] == c; }
};
using Tokens = std::vector<Token>;

// Identifiers and symbols of Pascal text; comments ({ }, (* *), //) and strings are skipped
// (a string comes back as one Other token). A line may end in CR LF, LF or CR alone.
Tokens tokenize(const QString& s) {
    Tokens tokens;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'{') {
            const qsizetype close = s.indexOf(u'}', i + 1);
            i = close < 0 ? n : close + 1;
        } else if (c == u'(' && i + 1 < n && s[i + 1] == u'*') {
            const qsizetype close = s.indexOf(QStringLiteral("*)"), i + 2);
            i = close < 0 ? n : close + 2;
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'/') {
            while (i < n && !isBreak(s[i]))
                ++i;
        } else if (c == u'\'') {
            const qsizetype start = i++;
            while (i < n && !isBreak(s[i])) {
                if (s[i] == u'\'' && !(i + 1 < n && s[i + 1] == u'\''))
                    break;
                i += s[i] == u'\'' ? 2 : 1;
            }
            ++i;
            tokens.push_back({Token::Other, start, std::min(i, n), QString()});
        } else if (c.isLetter() || c == u'_') {
            const qsizetype start = i;
            while (i < n && (s[i].isLetterOrNumber() || s[i] == u'_'))
                ++i;
            tokens.push_back({Token::Ident, start, i, s.mid(start, i - start)});
        } else if (c.isDigit() || c == u'#' || c == u'$') {
            const qsizetype start = i++;
            while (i < n && (s[i].isLetterOrNumber() || s[i] == u'.'))
                ++i;
            tokens.push_back({Token::Other, start, i, QString()});
        } else {
            tokens.push_back({Token::Symbol, i, i + 1, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isVisibility(const Token& t) {
    return t.is("private") || t.is("protected") || t.is("public") || t.is("published") ||
           t.is("strict") || t.is("automated");
}

bool isRoutine(const Token& t) {
    return t.is("procedure") || t.is("function") || t.is("constructor") || t.is("destructor") ||
           t.is("operator");
}

// Words after a method's heading that belong to it ("virtual;", "message WM_PAINT;").
bool isDirective(const Token& t) {
    static const char* const words[] = {
        "virtual", "dynamic",   "override", "overload",   "abstract", "reintroduce",
        "message", "static",    "inline",   "final",      "stdcall",  "cdecl",
        "pascal",  "register",  "safecall", "deprecated", "platform", "experimental",
        "dispid",  "assembler", "default",  "nodefault",  "stored"};
    return std::any_of(std::begin(words), std::end(words), [&](const char* w) { return t.is(w); });
}

// A directive at `j`, not a field that happens to share its name ("Default: TQzLabel;").
bool directiveAt(const Tokens& t, std::size_t j, std::size_t limit) {
    return j < limit && isDirective(t[j]) &&
           !(j + 1 < limit && (t[j + 1].isSymbol(u':') || t[j + 1].isSymbol(u',')));
}

// ---------------------------------------------------------------------------------------------
// Blocks

// Whether the type word at `k` (class, object, interface, dispinterface, record) opens a body
// that ends with its own "end".
bool opensBody(const Tokens& t, std::size_t k) {
    const Token& word = t[k];
    if (word.is("record"))
        return true;
    const bool classLike = word.is("class") || word.is("object");
    const bool interfaceLike = word.is("interface") || word.is("dispinterface");
    if (!classLike && !interfaceLike)
        return false;
    // "procedure of object", "class of TFoo".
    if (k > 0 && t[k - 1].is("of"))
        return false;
    if (interfaceLike && !(k > 0 && t[k - 1].isSymbol(u'=')))
        return false;
    std::size_t next = k + 1;
    if (next >= t.size())
        return false;
    // "class procedure", "class var": members, not types.
    if (isRoutine(t[next]) || t[next].is("var") || t[next].is("property") ||
        t[next].is("threadvar") || t[next].is("of"))
        return false;
    if (t[next].isSymbol(u';'))
        return false;
    if (t[next].isSymbol(u'(')) {
        while (next < t.size() && !t[next].isSymbol(u')'))
            ++next;
        // "TFoo = class(TBar);" is complete without a body.
        if (next + 1 < t.size() && t[next + 1].isSymbol(u';'))
            return false;
    }
    return true;
}

// The "end" that closes the block opened at `k`; t.size() when the text ends first. Records
// hold variant parts ("case ... of") without an "end" of their own.
std::size_t matchingEnd(const Tokens& t, std::size_t k) {
    std::vector<bool> records{t[k].is("record")};
    for (std::size_t j = k + 1; j < t.size(); ++j) {
        const Token& w = t[j];
        if (w.is("end")) {
            records.pop_back();
            if (records.empty())
                return j;
        } else if (w.is("case")) {
            if (!records.back())
                records.push_back(false);
        } else if (w.is("begin") || w.is("try") || w.is("asm") || opensBody(t, j)) {
            records.push_back(w.is("record"));
        }
    }
    return t.size();
}

// The ";" ending the declaration that starts at `k`, brackets and parentheses skipped.
std::size_t declarationEnd(const Tokens& t, std::size_t k, std::size_t limit) {
    int depth = 0;
    for (std::size_t j = k; j < limit; ++j) {
        if (t[j].isSymbol(u'(') || t[j].isSymbol(u'['))
            ++depth;
        else if (t[j].isSymbol(u')') || t[j].isSymbol(u']'))
            --depth;
        else if (depth <= 0 && t[j].isSymbol(u';'))
            return j;
        else if (depth <= 0 && opensBody(t, j))
            j = matchingEnd(t, j);
    }
    return limit;
}

// ---------------------------------------------------------------------------------------------
// The class

struct Member {
    enum Kind { Field, Method, Other };
    Kind kind = Other;
    QString visibility;
    bool firstPart = false;
    std::size_t first = 0;
    std::size_t last = 0; // the ";" that ends it
    std::vector<std::size_t> names;
};

struct ClassDecl {
    std::size_t header = 0; // the class name
    QString ancestor;
    std::size_t body = 0;
    std::size_t firstVisibility = 0; // the first visibility word, or `end` without one
    std::size_t end = 0;
    std::vector<Member> members;
};

void readMembers(const Tokens& t, ClassDecl& decl) {
    enum Section { Fields, Types, Consts };
    Section section = Fields;
    QString visibility = QStringLiteral("published");
    bool firstPart = true;
    std::size_t k = decl.body;
    while (k < decl.end) {
        const Token& w = t[k];
        if (isVisibility(w)) {
            if (firstPart)
                decl.firstVisibility = k;
            firstPart = false;
            visibility = w.is("strict") && k + 1 < decl.end
                             ? QStringLiteral("strict ") + t[k + 1].text.toLower()
                             : w.text.toLower();
            k += w.is("strict") ? 2 : 1;
            section = Fields;
            continue;
        }
        if (w.is("type") || w.is("const") || w.is("var") || w.is("threadvar")) {
            section = w.is("type") ? Types : w.is("const") ? Consts : Fields;
            ++k;
            continue;
        }
        if (w.is("class") && k + 1 < decl.end && t[k + 1].is("var")) {
            section = Fields;
            k += 2;
            continue;
        }
        Member member;
        member.visibility = visibility;
        member.firstPart = firstPart;
        member.first = k;
        std::size_t head = w.is("class") ? k + 1 : k;
        if (head < decl.end && isRoutine(t[head])) {
            member.kind = Member::Method;
            if (head + 1 < decl.end && t[head + 1].kind == Token::Ident)
                member.names.push_back(head + 1);
            member.last = declarationEnd(t, head, decl.end);
            // Directives follow the heading, each ended by its own ";".
            while (directiveAt(t, member.last + 1, decl.end))
                member.last = declarationEnd(t, member.last + 1, decl.end);
        } else if (w.is("property") ||
                   (w.is("class") && head < decl.end && t[head].is("property"))) {
            member.last = declarationEnd(t, head, decl.end);
            while (directiveAt(t, member.last + 1, decl.end))
                member.last = declarationEnd(t, member.last + 1, decl.end);
        } else if (w.kind == Token::Ident && section == Fields) {
            // "A, B: TType;"
            std::size_t j = k;
            while (j < decl.end && t[j].kind == Token::Ident) {
                member.names.push_back(j);
                if (j + 1 < decl.end && t[j + 1].isSymbol(u','))
                    j += 2;
                else
                    break;
            }
            member.kind =
                j + 1 < decl.end && t[j + 1].isSymbol(u':') ? Member::Field : Member::Other;
            if (member.kind == Member::Other)
                member.names.clear();
            member.last = declarationEnd(t, k, decl.end);
        } else {
            // Nested types and constants, or whatever the designer need not understand.
            member.last = declarationEnd(t, k, decl.end);
        }
        decl.members.push_back(member);
        k = member.last + 1;
    }
    if (firstPart)
        decl.firstVisibility = decl.end;
}

std::optional<ClassDecl> findClass(const Tokens& t, const QString& className) {
    for (std::size_t i = 0; i + 3 < t.size(); ++i) {
        if (!t[i].isName(className) || !t[i + 1].isSymbol(u'=') || !t[i + 2].is("class") ||
            !opensBody(t, i + 2))
            continue;
        ClassDecl decl;
        decl.header = i;
        std::size_t k = i + 3;
        // "class sealed", "class abstract".
        while (k < t.size() && (t[k].is("sealed") || t[k].is("abstract")))
            ++k;
        if (k < t.size() && t[k].isSymbol(u'(')) {
            if (k + 1 < t.size() && t[k + 1].kind == Token::Ident)
                decl.ancestor = t[k + 1].text;
            while (k < t.size() && !t[k].isSymbol(u')'))
                ++k;
            ++k;
        }
        decl.body = k;
        decl.end = matchingEnd(t, i + 2);
        if (decl.end >= t.size())
            return std::nullopt;
        readMembers(t, decl);
        return decl;
    }
    return std::nullopt;
}

ClassDecl requireClass(const Tokens& t, const QString& className) {
    const auto decl = findClass(t, className);
    if (!decl)
        QzExcept(QStringLiteral("The unit does not declare the class %1").arg(className));
    return *decl;
}

// Where method bodies go: the unit's initialization part, the "begin" of an old-style unit
// tail whose "end" ends the unit, or the final "end." itself.
std::optional<std::size_t> findTail(const Tokens& t, std::size_t from) {
    std::vector<std::size_t> open;
    std::vector<bool> records;
    for (std::size_t k = from; k < t.size(); ++k) {
        const Token& w = t[k];
        if (open.empty() && (w.is("initialization") || w.is("finalization")))
            return k;
        if (w.is("end")) {
            const bool unitEnd = k + 1 < t.size() && t[k + 1].isSymbol(u'.');
            if (open.empty())
                return unitEnd ? std::optional<std::size_t>(k) : std::nullopt;
            const std::size_t opener = open.back();
            open.pop_back();
            records.pop_back();
            if (open.empty() && unitEnd && t[opener].is("begin"))
                return opener;
        } else if (w.is("case")) {
            if (records.empty() || !records.back()) {
                open.push_back(k);
                records.push_back(false);
            }
        } else if (w.is("begin") || w.is("try") || w.is("asm") || opensBody(t, k)) {
            open.push_back(k);
            records.push_back(w.is("record"));
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Lines

qsizetype lineStart(const QString& s, qsizetype pos) {
    qsizetype i = pos;
    while (i > 0 && !isBreak(s[i - 1]))
        --i;
    return i;
}

// Just after the line break that ends the line holding `pos` (the text's end when none does).
qsizetype nextLineStart(const QString& s, qsizetype pos) {
    qsizetype i = pos;
    while (i < s.size() && !isBreak(s[i]))
        ++i;
    if (i < s.size() && s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
        return i + 2;
    return i < s.size() ? i + 1 : i;
}

// The line break of the line holding `pos`, else of the line before it, else of the text.
QString eolAt(const QString& s, qsizetype pos) {
    const auto breakAt = [&](qsizetype i) -> QString {
        if (s[i] == u'\r')
            return i + 1 < s.size() && s[i + 1] == u'\n' ? QStringLiteral("\r\n")
                                                         : QStringLiteral("\r");
        return QStringLiteral("\n");
    };
    for (qsizetype i = pos; i < s.size(); ++i)
        if (isBreak(s[i]))
            return breakAt(i);
    for (qsizetype i = std::min(pos, s.size()) - 1; i >= 0; --i)
        if (isBreak(s[i]))
            return breakAt(s[i] == u'\n' && i > 0 && s[i - 1] == u'\r' ? i - 1 : i);
    return QStringLiteral("\n");
}

QString indentOf(const QString& s, qsizetype pos) {
    const qsizetype start = lineStart(s, pos);
    qsizetype i = start;
    while (i < pos && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    return s.mid(start, i - start);
}

bool onlyBlanksBefore(const QString& s, qsizetype pos) {
    return indentOf(s, pos).size() == pos - lineStart(s, pos);
}

bool onlyBlanksAfter(const QString& s, qsizetype pos) {
    for (qsizetype i = pos; i < s.size() && !isBreak(s[i]); ++i)
        if (s[i] != u' ' && s[i] != u'\t')
            return false;
    return true;
}

QString collapse(const QString& s) {
    return s.simplified().replace(QStringLiteral(" :"), QStringLiteral(":"));
}

// How the class's members are indented.
QString memberIndent(const QString& s, const Tokens& t, const ClassDecl& decl) {
    const qsizetype headerPos = t[decl.header].pos;
    if (!decl.members.empty()) {
        const qsizetype first = t[decl.members.front().first].pos;
        if (lineStart(s, first) > headerPos && onlyBlanksBefore(s, first))
            return indentOf(s, first);
    }
    return indentOf(s, headerPos) + QStringLiteral("  ");
}

// `line` (without its line break) put on a line of its own before the token at `pos`.
void insertLineBefore(QString& s, qsizetype pos, const QString& line, const QString& after) {
    const QString eol = eolAt(s, pos);
    if (onlyBlanksBefore(s, pos))
        s.insert(lineStart(s, pos), line + eol);
    else
        s.insert(pos, eol + line + eol + after);
}

// `line` put on a line of its own after the line holding `pos`.
void insertLineAfter(QString& s, qsizetype pos, const QString& line) {
    const QString eol = eolAt(s, pos);
    const qsizetype next = nextLineStart(s, pos);
    if (next == s.size() && (next == 0 || !isBreak(s[next - 1])))
        s.insert(next, eol + line);
    else
        s.insert(next, line + eol);
}

struct Replacement {
    qsizetype pos;
    qsizetype length;
    QString text;
};

// Applies replacements from the last to the first, so the earlier positions stay valid.
QString replaced(QString s, std::vector<Replacement> edits) {
    std::sort(edits.begin(), edits.end(),
              [](const Replacement& a, const Replacement& b) { return a.pos > b.pos; });
    for (const Replacement& e : edits)
        s.replace(e.pos, e.length, e.text);
    return s;
}

QList<TQzUnitMethod> methodsOf(const QString& source, const Tokens& t, const ClassDecl& decl,
                               bool publishedOnly) {
    QList<TQzUnitMethod> methods;
    for (const Member& m : decl.members) {
        if (m.kind != Member::Method || m.names.empty() ||
            (publishedOnly && m.visibility != u"published"))
            continue;
        const std::size_t name = m.names.front();
        TQzUnitMethod method{t[name].text, QString(), m.visibility};
        if (name + 1 < m.last && t[name + 1].isSymbol(u'(')) {
            std::size_t close = name + 2;
            while (close < m.last && !t[close].isSymbol(u')'))
                ++close;
            if (close < m.last)
                method.Params =
                    collapse(source.mid(t[name + 1].end, t[close].pos - t[name + 1].end));
        }
        methods << method;
    }
    return methods;
}

const Member* findField(const Tokens& t, const ClassDecl& decl, const QString& name,
                        std::size_t* nameToken = nullptr) {
    for (const Member& m : decl.members)
        if (m.kind == Member::Field && m.firstPart)
            for (std::size_t k : m.names)
                if (t[k].isName(name)) {
                    if (nameToken)
                        *nameToken = k;
                    return &m;
                }
    return nullptr;
}

// An edit the unit's own reading would not find again: the class is written in a way (unclosed
// brackets, a stray quote) the designer cannot follow, and writing on would damage it further.
[[noreturn]] void refuseEdit(const QString& className, const QString& name) {
    QzExcept(QStringLiteral("The declaration of %1 in the unit cannot be followed; %2 was not "
                            "added to it")
                 .arg(className, name));
}

} // namespace

QString QzUnitClassAncestor(const QString& source, const QString& className) {
    const Tokens tokens = tokenize(source);
    const auto decl = findClass(tokens, className);
    return decl ? decl->ancestor : QString();
}

bool QzUnitDeclaresClass(const QString& source, const QString& className) {
    return findClass(tokenize(source), className).has_value();
}

QList<TQzUnitMethod> QzUnitPublishedMethods(const QString& source, const QString& className) {
    const Tokens t = tokenize(source);
    const auto decl = findClass(t, className);
    return decl ? methodsOf(source, t, *decl, true) : QList<TQzUnitMethod>();
}

QList<TQzUnitMethod> QzUnitMethods(const QString& source, const QString& className) {
    const Tokens t = tokenize(source);
    const auto decl = findClass(t, className);
    return decl ? methodsOf(source, t, *decl, false) : QList<TQzUnitMethod>();
}

QList<TQzUnitField> QzUnitPublishedFields(const QString& source, const QString& className) {
    const Tokens t = tokenize(source);
    const auto decl = findClass(t, className);
    QList<TQzUnitField> fields;
    if (!decl)
        return fields;
    for (const Member& m : decl->members) {
        if (m.kind != Member::Field || !m.firstPart)
            continue;
        const std::size_t colon = m.names.back() + 1;
        const QString type = collapse(source.mid(t[colon].end, t[m.last].pos - t[colon].end));
        for (std::size_t k : m.names)
            fields << TQzUnitField{t[k].text, type};
    }
    return fields;
}

bool QzIsNotifyParams(const QString& params) {
    QString p = collapse(params);
    p.remove(u' ');
    return p.compare(u"Sender:TObject", Qt::CaseInsensitive) == 0;
}

QString QzUnitAddMethod(const QString& source, const QString& className, const QString& name,
                        const QString& params) {
    const Tokens t = tokenize(source);
    const ClassDecl decl = requireClass(t, className);
    const std::optional<std::size_t> tail = findTail(t, decl.end + 1);
    if (!tail)
        QzExcept(QStringLiteral("The unit of class %1 has no final \"end.\"").arg(className));

    const QString signature = params.isEmpty() ? QString() : u'(' + params + u')';
    const QString headerIndent = indentOf(source, t[decl.header].pos);
    const QString declaration =
        memberIndent(source, t, decl) + QStringLiteral("procedure ") + name + signature + u';';

    QString result = source;
    // The later insertion first, so the earlier position stays valid.
    const qsizetype tailPos = t[*tail].pos;
    const QString eol = eolAt(source, tailPos);
    const QString body = QStringLiteral("procedure ") + className + u'.' + name + signature + u';' +
                         eol + QStringLiteral("begin") + eol + eol + QStringLiteral("end;") + eol +
                         eol;
    if (onlyBlanksBefore(result, tailPos))
        result.insert(lineStart(result, tailPos), body);
    else
        result.insert(tailPos, eol + body);
    // The declaration closes the published part: before the first visibility word or the
    // class's "end".
    insertLineBefore(result, t[decl.firstVisibility].pos, declaration, headerIndent);
    const QList<TQzUnitMethod> methods = QzUnitPublishedMethods(result, className);
    if (std::none_of(methods.begin(), methods.end(), [&](const TQzUnitMethod& m) {
            return m.Name.compare(name, Qt::CaseInsensitive) == 0;
        }))
        refuseEdit(className, name);
    return result;
}

QString QzUnitRenameMethod(const QString& source, const QString& className, const QString& oldName,
                           const QString& newName) {
    const Tokens t = tokenize(source);
    const ClassDecl decl = requireClass(t, className);
    std::vector<Replacement> edits;
    for (const Member& m : decl.members)
        if (m.kind == Member::Method && m.visibility == u"published" && !m.names.empty() &&
            t[m.names.front()].isName(oldName))
            edits.push_back(
                {t[m.names.front()].pos, t[m.names.front()].end - t[m.names.front()].pos, newName});
    if (edits.empty())
        return source;
    // The heading of the body: "procedure TFrmMain.Old".
    for (std::size_t k = decl.end + 1; k + 2 < t.size(); ++k)
        if (t[k].isName(className) && t[k + 1].isSymbol(u'.') && t[k + 2].isName(oldName) &&
            k > 0 && isRoutine(t[k - 1]))
            edits.push_back({t[k + 2].pos, t[k + 2].end - t[k + 2].pos, newName});
    return replaced(source, edits);
}

QString QzUnitAddField(const QString& source, const QString& className, const QString& name,
                       const QString& typeName) {
    const Tokens t = tokenize(source);
    const ClassDecl decl = requireClass(t, className);
    if (findField(t, decl, name))
        return source;
    const QString line =
        memberIndent(source, t, decl) + name + QStringLiteral(": ") + typeName + u';';
    QString result = source;
    const Member* lastField = nullptr;
    for (const Member& m : decl.members)
        if (m.kind == Member::Field && m.firstPart)
            lastField = &m;
    if (lastField) {
        insertLineAfter(result, t[lastField->last].pos, line);
    } else {
        // The first field of the class goes before everything else in it.
        const std::size_t before = decl.members.empty()
                                       ? decl.firstVisibility
                                       : std::min(decl.members.front().first, decl.firstVisibility);
        insertLineBefore(result, t[before].pos, line, indentOf(source, t[decl.header].pos));
    }
    if (!findField(tokenize(result), requireClass(tokenize(result), className), name))
        refuseEdit(className, name);
    return result;
}

QString QzUnitRenameField(const QString& source, const QString& className, const QString& oldName,
                          const QString& newName, const QString& typeName) {
    const Tokens t = tokenize(source);
    const ClassDecl decl = requireClass(t, className);
    std::size_t token = 0;
    if (!findField(t, decl, oldName, &token))
        return QzUnitAddField(source, className, newName, typeName);
    QString result = source;
    result.replace(t[token].pos, t[token].end - t[token].pos, newName);
    return result;
}

QString QzUnitRemoveField(const QString& source, const QString& className, const QString& name) {
    const Tokens t = tokenize(source);
    const ClassDecl decl = requireClass(t, className);
    std::size_t token = 0;
    const Member* field = findField(t, decl, name, &token);
    if (!field)
        return source;
    QString result = source;
    if (field->names.size() > 1) {
        // "A, B: TType;": the name goes with the comma that joins it to its neighbour.
        const auto at = std::find(field->names.begin(), field->names.end(), token);
        const qsizetype from = at == field->names.begin() ? t[token].pos : t[*(at - 1)].end;
        const qsizetype to = at == field->names.begin() ? t[*(at + 1)].pos : t[token].end;
        result.remove(from, to - from);
        return result;
    }
    const qsizetype from = t[field->first].pos;
    const qsizetype to = t[field->last].end;
    if (onlyBlanksBefore(source, from) && onlyBlanksAfter(source, to)) {
        const qsizetype start = lineStart(source, from);
        result.remove(start, nextLineStart(source, to) - start);
    } else {
        qsizetype end = to;
        while (end < source.size() && (source[end] == u' ' || source[end] == u'\t'))
            ++end;
        result.remove(from, end - from);
    }
    return result;
}
