#pragma once

// A project file (.dpr): its program name and the units of its uses clause, each
// `Name in 'path.pas' {FormName}` for a unit with a form. QtCore only, so the command line reads
// projects without a display.

#include <QList>
#include <QString>

struct TQzProjectUnit {
    QString Name;     // "Main"
    QString FileName; // the unit's .pas file, absolute
    QString FormName; // "FrmMain"; empty for a unit without a form
    // The unit's form file: its file name with the extension ".dfm" (in whatever case the file
    // on the disk has it); empty without a form.
    QString FormFileName() const;
};

class TQzProjectFile {
public:
    // Reads `fileName`; raises EQzError when it cannot be read or is not a program.
    static TQzProjectFile Load(const QString& fileName);
    // Parses project text; units' relative paths are resolved against `directory`.
    static TQzProjectFile Parse(const QString& text, const QString& fileName);

    QString FileName; // absolute
    QString ProgramName;
    // Units named with a path (`in '...'`), in the order of the uses clause. Library units named
    // without a path (Forms, SysUtils) are not part of the project.
    QList<TQzProjectUnit> Units;

    // The form files of the units with a form, in project order, each once.
    QStringList FormFileNames() const;
};

// The file name with its extension replaced by `ext` (".dfm"), or added when it has none.
QString QzChangeFileExt(const QString& fileName, const QString& ext);
// `fileName` as a file on the disk spells it when only the case of its extension differs
// ("Main.DFM" for "Main.dfm"); else `fileName` itself.
QString QzExistingFileName(const QString& fileName);
