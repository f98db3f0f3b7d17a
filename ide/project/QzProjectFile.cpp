#include "QzProjectFile.h"

#include "QzExcept.h"
#include "TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TQzProjectUnit::FormFileName() const {
    return FormName.isEmpty()
               ? QString()
               : QzExistingFileName(QzChangeFileExt(FileName, QStringLiteral(".dfm")));
}

QString QzExistingFileName(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.exists())
        return fileName;
    const QString suffix = info.suffix();
    const QStringList names = info.dir().entryList({info.completeBaseName() + QStringLiteral(".*")},
                                                   QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (QFileInfo(name).suffix().compare(suffix, Qt::CaseInsensitive) == 0 &&
            QFileInfo(name).completeBaseName() == info.completeBaseName())
            return info.dir().filePath(name);
    return fileName;
}

QString QzChangeFileExt(const QString& fileName, const QString& ext) {
    const int slash = int(fileName.lastIndexOf(u'/'));
    const int dot = int(fileName.lastIndexOf(u'.'));
    return (dot > slash ? fileName.left(dot) : fileName) + ext;
}

QStringList TQzProjectFile::FormFileNames() const {
    QStringList names;
    for (const TQzProjectUnit& unit : Units)
        if (!unit.FormName.isEmpty() && !names.contains(unit.FormFileName()))
            names << unit.FormFileName();
    return names;
}

namespace {

// Reads the tokens of project text: identifiers, strings, punctuation and, where a form name may
// follow a unit's path, the brace comment holding it. Other comments are skipped.
class Lexer {
public:
    enum Kind { End, Ident, String, Brace, Symbol };
    struct Token {
        Kind kind = End;
        QString text;
    };

    explicit Lexer(const QString& text) : FText(text) {}

    // With `braceAsToken`, a brace comment comes back as a Brace token instead of being skipped.
    Token next(bool braceAsToken = false) {
        skipBlanksAndComments(braceAsToken);
        if (FPos >= FText.size())
            return {};
        const QChar c = FText[FPos];
        if (c == u'{') {
            const qsizetype close = FText.indexOf(u'}', FPos);
            const qsizetype stop = close < 0 ? FText.size() : close;
            Token t{Brace, FText.mid(FPos + 1, stop - FPos - 1).trimmed()};
            FPos = close < 0 ? FText.size() : close + 1;
            return t;
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype start = FPos;
            while (FPos < FText.size() &&
                   (FText[FPos].isLetterOrNumber() || FText[FPos] == u'_' || FText[FPos] == u'.'))
                ++FPos;
            return {Ident, FText.mid(start, FPos - start)};
        }
        if (c == u'\'') {
            QString value;
            ++FPos;
            while (FPos < FText.size()) {
                if (FText[FPos] == u'\'') {
                    if (FPos + 1 < FText.size() && FText[FPos + 1] == u'\'') {
                        value += u'\'';
                        FPos += 2;
                        continue;
                    }
                    ++FPos;
                    return {String, value};
                }
                if (FText[FPos] == u'\n')
                    break;
                value += FText[FPos++];
            }
            QzExcept(QStringLiteral("Unterminated string in the project file"));
        }
        ++FPos;
        return {Symbol, QString(c)};
    }

private:
    void skipBlanksAndComments(bool keepBrace) {
        while (FPos < FText.size()) {
            const QChar c = FText[FPos];
            if (c.isSpace()) {
                ++FPos;
            } else if (c == u'/' && FPos + 1 < FText.size() && FText[FPos + 1] == u'/') {
                while (FPos < FText.size() && FText[FPos] != u'\n')
                    ++FPos;
            } else if (c == u'(' && FPos + 1 < FText.size() && FText[FPos + 1] == u'*') {
                const qsizetype close = FText.indexOf(QStringLiteral("*)"), FPos + 2);
                FPos = close < 0 ? FText.size() : close + 2;
            } else if (c == u'{' && !keepBrace) {
                const qsizetype close = FText.indexOf(u'}', FPos);
                FPos = close < 0 ? FText.size() : close + 1;
            } else {
                return;
            }
        }
    }

    const QString& FText;
    qsizetype FPos = 0;
};

} // namespace

TQzProjectFile TQzProjectFile::Parse(const QString& text, const QString& fileName) {
    TQzProjectFile project;
    project.FileName = QFileInfo(fileName).absoluteFilePath();
    const QDir directory = QFileInfo(project.FileName).absoluteDir();
    const QString shortName = QFileInfo(fileName).fileName();
    const auto fail = [&](const QString& what) {
        QzExcept(QStringLiteral("%1 is not a project file: %2").arg(shortName, what));
    };

    Lexer lexer(text);
    Lexer::Token t = lexer.next();
    if (t.kind != Lexer::Ident || t.text.compare(u"program", Qt::CaseInsensitive) != 0)
        fail(QStringLiteral("it does not start with \"program\""));
    t = lexer.next();
    if (t.kind != Lexer::Ident)
        fail(QStringLiteral("the program has no name"));
    project.ProgramName = t.text;
    if (lexer.next().text != u";")
        fail(QStringLiteral("\";\" expected after the program name"));

    t = lexer.next();
    if (t.kind != Lexer::Ident || t.text.compare(u"uses", Qt::CaseInsensitive) != 0) {
        // A program without units goes on with its declarations or its body; anything else is
        // a uses clause this reader cannot follow, not a project without forms.
        static const QStringList sections = {
            QStringLiteral("begin"),         QStringLiteral("const"),   QStringLiteral("var"),
            QStringLiteral("type"),          QStringLiteral("label"),   QStringLiteral("procedure"),
            QStringLiteral("function"),      QStringLiteral("exports"), QStringLiteral("threadvar"),
            QStringLiteral("resourcestring")};
        if (t.kind == Lexer::End ||
            (t.kind == Lexer::Ident && sections.contains(t.text, Qt::CaseInsensitive)))
            return project;
        fail(QStringLiteral("\"uses\" expected after the program name but \"%1\" found")
                 .arg(t.text));
    }
    for (;;) {
        t = lexer.next();
        if (t.kind != Lexer::Ident)
            fail(QStringLiteral("a unit name expected in the uses clause"));
        TQzProjectUnit unit;
        unit.Name = t.text;
        t = lexer.next();
        bool withPath = false;
        if (t.kind == Lexer::Ident && t.text.compare(u"in", Qt::CaseInsensitive) == 0) {
            t = lexer.next();
            if (t.kind != Lexer::String)
                fail(QStringLiteral("a path expected after \"%1 in\"").arg(unit.Name));
            QString path = t.text;
            path.replace(u'\\', u'/');
            unit.FileName = QDir::cleanPath(directory.absoluteFilePath(path));
            withPath = true;
            t = lexer.next(true);
            if (t.kind == Lexer::Brace) {
                // "{FrmMain}" or "{DataModule1: TDataModule}"
                unit.FormName = t.text.section(u':', 0, 0).trimmed();
                t = lexer.next();
            }
        }
        if (withPath)
            project.Units << unit;
        if (t.text == u";")
            break;
        if (t.text != u",")
            fail(QStringLiteral("\",\" or \";\" expected after unit %1").arg(unit.Name));
    }
    return project;
}

TQzProjectFile TQzProjectFile::Load(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(
            QStringLiteral("Cannot open the project %1: %2").arg(fileName, file.errorString()));
    return Parse(DecodeText(file.readAll()), fileName);
}
