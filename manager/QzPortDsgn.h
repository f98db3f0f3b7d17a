#pragma once

// The project's forms as the Packages Manager reads and writes them: form file names from the
// active project, each form's text (from the designer when the form is open there, else from its
// file), writing changed text back to a form file, and the live designer form of a unit. Every
// call goes through the IDE's module services; nothing is kept between calls. A broken
// precondition (no module services, no project group, two form editors on one module) raises
// EAssertionFailed naming this unit and the line.

#include "ObjectStreams.h"

#include <QStringList>

class TComponent;

// The active project's file name; empty without one.
QString QzGetProjectName();
// The number of the active project's modules; 0 without a project.
int QzGetModuleCount();
// The number of the project's modules with a form; 0 without a project.
int QzGetFormCount();
// Appends the form file name (".dfm") of each module with a form, in project order.
void QzGetFormNames(QStringList& list);
// Fills `lines` with the form text of the unit or form `fileName` and sets `format` to how it
// was stored; false when there is no form to read.
bool QzHostFormToFormText(const QString& fileName, QStringList& lines,
                          TStreamOriginalFormat& format);
// Writes `lines` to the form file `fileName` in the binary resource form. Raises on malformed
// text (the file is then left as far as it was written).
bool QzHostFormTextToForm(const QStringList& lines, const QString& fileName,
                          TStreamOriginalFormat format);
// The designer's root component of the unit `fileName` when it is open with a form editor;
// none otherwise.
TComponent* QzHostDesignForm(const QString& fileName);
