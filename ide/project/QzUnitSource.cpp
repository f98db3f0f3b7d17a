#include "QzUnitSource.h"

#include "QzExcept.h"

#include <optional>
#include <vector>

namespace {

struct Token {
    enum Kind { Ident, Symbol, Other };
    Kind kind = Other;
    qsizetype pos = 0;
    qsizetype end = 0;
    QString text;
    bool is(const char* word) const {
        return kind == Ident && text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(char16_t c) const { return kind == Symbol && text.size() == 1 && text[0] == c; }
};

// Identifiers and symbols of Pascal text; comments ({ }, (* *), //) and strings are skipped
// (a string comes back as one Other token).
std::vector<Token> tokenize(const QString& s) {
    std::vector<Token> tokens;
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
            while (i < n && s[i] != u'\n')
                ++i;
        } else if (c == u'\'') {
            const qsizetype start = i++;
            while (i < n && s[i] != u'\n') {
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
           t.is("strict");
}

// Where a class is declared: the token after its ancestor list (the body) and its closing
// "end".
struct ClassDecl {
    std::size_t header = 0; // the class name
    QString ancestor;
    std::size_t body = 0;
    std::size_t end = 0;
};

std::optional<ClassDecl> findClass(const std::vector<Token>& t, const QString& className) {
    for (std::size_t i = 0; i + 3 < t.size(); ++i) {
        if (t[i].kind != Token::Ident || t[i].text.compare(className, Qt::CaseInsensitive) != 0 ||
            !t[i + 1].isSymbol(u'=') || !t[i + 2].is("class"))
            continue;
        ClassDecl decl;
        decl.header = i;
        std::size_t k = i + 3;
        // "TFoo = class;" only announces the class.
        if (k < t.size() && t[k].isSymbol(u';'))
            continue;
        if (k < t.size() && t[k].isSymbol(u'(')) {
            if (k + 1 < t.size() && t[k + 1].kind == Token::Ident)
                decl.ancestor = t[k + 1].text;
            while (k < t.size() && !t[k].isSymbol(u')'))
                ++k;
            ++k;
        }
        decl.body = k;
        // Nested records and classes end with their own "end".
        int depth = 0;
        for (; k < t.size(); ++k) {
            if (t[k].is("record") || (t[k].is("class") && k + 1 < t.size() &&
                                      (t[k + 1].isSymbol(u'(') || t[k + 1].is("end"))))
                ++depth;
            else if (t[k].is("end") && depth-- == 0)
                break;
        }
        if (k >= t.size())
            return std::nullopt;
        decl.end = k;
        return decl;
    }
    return std::nullopt;
}

QString collapse(const QString& s) {
    return s.simplified().replace(QStringLiteral(" :"), QStringLiteral(":"));
}

qsizetype lineStart(const QString& s, qsizetype pos) {
    return s.lastIndexOf(u'\n', pos - 1) + 1;
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

} // namespace

QString QzUnitClassAncestor(const QString& source, const QString& className) {
    const std::vector<Token> tokens = tokenize(source);
    const auto decl = findClass(tokens, className);
    return decl ? decl->ancestor : QString();
}

QList<TQzUnitMethod> QzUnitPublishedMethods(const QString& source, const QString& className) {
    const std::vector<Token> t = tokenize(source);
    const auto decl = findClass(t, className);
    if (!decl)
        return {};
    QList<TQzUnitMethod> methods;
    bool published = true;
    for (std::size_t k = decl->body; k < decl->end; ++k) {
        if (isVisibility(t[k])) {
            // "strict private" and "strict protected" are never published.
            published = t[k].is("published");
            continue;
        }
        if (!published || !(t[k].is("procedure") || t[k].is("function")) || k + 1 >= decl->end ||
            t[k + 1].kind != Token::Ident)
            continue;
        TQzUnitMethod method{t[k + 1].text, QString()};
        if (k + 2 < decl->end && t[k + 2].isSymbol(u'(')) {
            std::size_t close = k + 3;
            while (close < decl->end && !t[close].isSymbol(u')'))
                ++close;
            if (close < decl->end)
                method.Params = collapse(source.mid(t[k + 2].end, t[close].pos - t[k + 2].end));
        }
        methods << method;
    }
    return methods;
}

bool QzIsNotifyParams(const QString& params) {
    QString p = collapse(params);
    p.remove(u' ');
    return p.compare(u"Sender:TObject", Qt::CaseInsensitive) == 0;
}

QString QzUnitAddMethod(const QString& source, const QString& className, const QString& name,
                        const QString& params) {
    const std::vector<Token> t = tokenize(source);
    const auto decl = findClass(t, className);
    if (!decl)
        QzExcept(QStringLiteral("The unit does not declare the class %1").arg(className));

    // The implementation goes before the unit's initialization part, or its final "end.".
    std::optional<std::size_t> tail;
    for (std::size_t k = decl->end + 1; k < t.size(); ++k) {
        if (t[k].is("initialization") || t[k].is("finalization")) {
            tail = k;
            break;
        }
        // Only the unit's last "end" is followed by a full stop; nothing after it counts.
        if (t[k].is("end") && k + 1 < t.size() && t[k + 1].isSymbol(u'.')) {
            tail = k;
            break;
        }
    }
    if (!tail)
        QzExcept(QStringLiteral("The unit of class %1 has no final \"end.\"").arg(className));

    const QString eol =
        source.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const QString signature = params.isEmpty() ? QString() : u'(' + params + u')';

    // The declaration closes the published part: before the first visibility keyword or the
    // class's "end".
    std::size_t mark = decl->body;
    while (mark < decl->end && !isVisibility(t[mark]))
        ++mark;
    const qsizetype headerPos = t[decl->header].pos;
    const qsizetype headerEol = source.indexOf(u'\n', headerPos);
    const QString memberIndent =
        decl->body < mark && headerEol >= 0 && t[decl->body].pos > headerEol
            ? indentOf(source, t[decl->body].pos)
            : indentOf(source, headerPos) + QStringLiteral("  ");
    const QString declaration =
        memberIndent + QStringLiteral("procedure ") + name + signature + u';' + eol;
    const qsizetype markPos = t[mark].pos;
    const bool markOnOwnLine =
        onlyBlanksBefore(source, markPos) && lineStart(source, markPos) > headerPos;

    const qsizetype tailPos = t[*tail].pos;
    const QString body = QStringLiteral("procedure ") + className + u'.' + name + signature + u';' +
                         eol + QStringLiteral("begin") + eol + eol + QStringLiteral("end;") + eol +
                         eol;

    QString result = source;
    // The later insertion first, so the earlier position stays valid.
    if (onlyBlanksBefore(result, tailPos))
        result.insert(lineStart(result, tailPos), body);
    else
        result.insert(tailPos, eol + body);
    if (markOnOwnLine)
        result.insert(lineStart(result, markPos), declaration);
    else
        result.insert(markPos, eol + declaration + indentOf(result, headerPos));
    return result;
}
