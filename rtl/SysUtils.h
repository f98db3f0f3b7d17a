#pragma once

// Error types of the class library. Every failure the rtl reports is one of these, carrying a
// message a person can read; hosts catch Exception and show Message().

#include <QByteArray>
#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message, int line = 0);
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

    // Where the error is, as far as it is known: the file, and a line counted from 1 (0 when
    // none). Whoever knows the file sets it on the way up.
    const QString& File() const { return FFile; }
    int Line() const { return FLine; }
    void SetFile(const QString& file) { FFile = file; }

private:
    QString FMessage;
    QByteArray FUtf8;
    QString FFile;
    int FLine = 0;
};

// Declares an exception class that only adds its own type.
#define QZ_DECLARE_EXCEPTION(Name, Base)                                                           \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

QZ_DECLARE_EXCEPTION(EConvertError, Exception);
QZ_DECLARE_EXCEPTION(EListError, Exception);
QZ_DECLARE_EXCEPTION(EComponentError, Exception);
QZ_DECLARE_EXCEPTION(EStreamError, Exception);
QZ_DECLARE_EXCEPTION(EFilerError, EStreamError);
QZ_DECLARE_EXCEPTION(EReadError, EFilerError);
QZ_DECLARE_EXCEPTION(EWriteError, EFilerError);
QZ_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
QZ_DECLARE_EXCEPTION(EParserError, Exception);
QZ_DECLARE_EXCEPTION(EAssertionFailed, Exception);

// The operating system's text for an error number, in English whatever the locale
// ("No space left on device").
QString SysErrorMessage(int errorCode);

// True for a Pascal identifier: a letter or underscore, then letters, digits or underscores.
bool IsValidIdent(const QString& ident);

// Compares identifiers the way the streaming system does: ASCII case-insensitively.
bool SameText(const QString& a, const QString& b);
