#pragma once

// Forms kept in plain files, for the Manager's passes outside the designer (the command line,
// the benchmark). A form is read and written as TFormFileText, so that a rewrite touches only the
// lines it changes and a text form keeps its encoding, byte order mark and line ends; a binary or
// resource form is written back in the form it was read in. Every text is checked to parse before
// its file is replaced, and files are replaced whole or not at all.

#include "manager/core/QzManagerEngine.h"

class TQzManagerFileForms : public IQzManagerForms {
public:
    explicit TQzManagerFileForms(QStringList formFiles);

    // With a dry run nothing is written; the texts are still checked.
    void SetDryRun(bool dryRun) { FDryRun = dryRun; }
    // The files written (or, in a dry run, that would have been), in order.
    const QStringList& Written() const { return FWritten; }

    QStringList FormNames() override;
    // Raises when the form file is missing, cannot be read or is no form.
    bool ReadForm(const QString& fileName, TFormFileText& text) override;
    TComponent* DesignForm(const QString& fileName) override;
    void WriteForms(TFileTransaction& files) override;

private:
    QStringList FFormFiles;
    QStringList FWritten;
    bool FDryRun = false;
};
