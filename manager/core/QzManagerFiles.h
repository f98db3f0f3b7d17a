#pragma once

// Forms kept in plain files, for the Manager's passes outside the designer (the command line,
// the benchmark). A text form is read and written as the very lines of its file, so that a
// rewrite touches only the lines it changes, and keeps its encoding, byte order mark and line
// ends; a binary or resource form goes through the converters and is written back in the form
// it was read in. Every text is checked to parse before its file is replaced, and files are
// replaced through a temporary file.

#include "manager/core/QzManagerEngine.h"

#include <QHash>

class TQzManagerFileForms : public IQzManagerForms {
public:
    explicit TQzManagerFileForms(QStringList formFiles);

    // With a dry run nothing is written; WriteForm still checks the text.
    void SetDryRun(bool dryRun) { FDryRun = dryRun; }
    // The files written (or, in a dry run, that would have been), in order.
    const QStringList& Written() const { return FWritten; }
    // How the file was stored when it was last read; Unknown before.
    TFormFileFormat StoredFormat(const QString& fileName) const;

    QStringList FormNames() override;
    bool ReadForm(const QString& fileName, QStringList& lines,
                  TStreamOriginalFormat& format) override;
    TComponent* DesignForm(const QString& fileName) override;
    void WriteForm(const QStringList& lines, const QString& fileName,
                   TStreamOriginalFormat format) override;

private:
    struct TStored {
        TFormFileFormat Format = TFormFileFormat::Unknown;
        bool Utf8 = true;
        bool Bom = false;
        bool CrLf = false;
        bool FinalEol = true;
    };

    QStringList FFormFiles;
    QHash<QString, TStored> FStored;
    QStringList FWritten;
    bool FDryRun = false;
};
