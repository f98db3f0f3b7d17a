#pragma once

// The project's forms as the Packages Manager reads and writes them: form file names from the
// active project, each form's text (from the designer when the form is open there, else from its
// file), writing changed text back to a form file, and the live designer form of a unit. Every
// call goes through the IDE's module services; nothing is kept between calls. A broken
// precondition (no module services, no project group, two form editors on one module) raises
// EAssertionFailed naming this unit and the line.

#include "FormFileText.h"

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
// Fills `text` with the form of the unit or form `fileName`: a form open in the designer as the
// text of its live components (stored as Binary), else its form file as TFormFileText reads it
// (a text form with its encoding and line ends). False when there is no form to read.
bool QzHostFormToFormText(const QString& fileName, TFormFileText& text);
// Writes `text` to the form file `fileName` through TFormFileText's writer: a text form as text,
// so that every line the Manager did not change keeps its bytes; a binary or resource form as
// the resource form. Raises when the text does not parse or cannot be stored; the file is then
// left as it was.
bool QzHostFormTextToForm(const TFormFileText& text, const QString& fileName);
// The designer's root component of the unit `fileName` when it is open with a form editor;
// none otherwise.
TComponent* QzHostDesignForm(const QString& fileName);
