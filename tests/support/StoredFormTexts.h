#pragma once

// One small form stored the ways other tools store text forms: encodings, byte order mark, every
// kind of line end, mixed, and no final line break. Tests that rewrite a form check that every
// line they did not change comes back byte for byte.

#include "FormFileText.h"

#include <QList>
#include <QStringList>

namespace storedforms {

// Line 1 holds a letter outside ASCII; line 5 is the privilege reference a test rewrites.
inline const QStringList Lines = {
    QStringLiteral("object FrmTest: TForm"),
    QStringLiteral("  Caption = 'T\u00E9st \u20AC'"),
    QStringLiteral("  object SbSave: TQzSpeedButton"),
    QStringLiteral("    Hint.PkgName = 'User'"),
    QStringLiteral("    Hint.Id = 5"),
    QStringLiteral("    Privilege.Id = 2"),
    QStringLiteral("  end"),
    QStringLiteral("end"),
};
constexpr int PrivilegeLine = 5;

struct TStoredForm {
    const char* What;
    TTextEncoding Encoding;
    // The end of line i is Ends[i % Ends.size()]; the last line has none without FinalBreak.
    QList<TLineEnd> Ends;
    bool FinalBreak = true;

    // The file's bytes for `lines` (Lines with an edit), whose line `skip` (if any) was removed.
    QByteArray Bytes(const QStringList& lines, int skip = -1) const {
        QString text;
        for (int i = 0, n = 0; i < Lines.size(); ++i) {
            if (i == skip)
                continue;
            text += lines[n++];
            const bool last = n == lines.size();
            if (last && !FinalBreak)
                break;
            switch (Ends[i % Ends.size()]) {
            case TLineEnd::Lf:
                text += u'\n';
                break;
            case TLineEnd::CrLf:
                text += QStringLiteral("\r\n");
                break;
            case TLineEnd::Cr:
                text += u'\r';
                break;
            case TLineEnd::None:
                break;
            }
        }
        return EncodeText(text, Encoding);
    }
};

inline const TStoredForm StoredForms[] = {
    {"UTF-8, LF", TTextEncoding::Utf8, {TLineEnd::Lf}},
    {"UTF-8 with a byte order mark, CR LF", TTextEncoding::Utf8Bom, {TLineEnd::CrLf}},
    {"Windows-1252, CR LF", TTextEncoding::Windows1252, {TLineEnd::CrLf}},
    {"Windows-1252, CR LF and LF mixed",
     TTextEncoding::Windows1252,
     {TLineEnd::CrLf, TLineEnd::Lf, TLineEnd::Lf}},
    {"CR alone", TTextEncoding::Utf8, {TLineEnd::Cr}},
    {"no final line break", TTextEncoding::Windows1252, {TLineEnd::Lf}, false},
};

} // namespace storedforms
