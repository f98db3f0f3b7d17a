#pragma once

// The form class of a unit as the designer sees its source text: the class's ancestor, its
// fields and methods by visibility, and the edits the designer makes while the form changes:
// fields added, renamed and removed with their components, handlers added and renamed. Comments
// and strings are skipped, so words inside them never count; nested types and old-style
// "begin ... end." unit tails are understood. Every edit keeps the text around it as it was:
// a new line takes the line end of the line it is put next to, whatever the file uses (CR LF,
// LF or CR alone).

#include <QList>
#include <QString>

struct TQzUnitMethod {
    QString Name;
    // The parameter list as written between the parentheses, blanks collapsed
    // ("Sender: TObject"); empty for a method without parameters.
    QString Params;
    // "published" for the class's first part and parts marked so; else the keyword of its part
    // ("private", "strict private", ...).
    QString Visibility;
};

struct TQzUnitField {
    QString Name;
    QString TypeName;
};

// The ancestor named in `className = class(Ancestor)`; empty when the unit does not declare
// the class.
QString QzUnitClassAncestor(const QString& source, const QString& className);

// Whether the unit declares `className` with a body the designer can edit.
bool QzUnitDeclaresClass(const QString& source, const QString& className);

// The methods of the published part of `className` (the part before the first visibility
// keyword, and any part marked published), in declaration order.
QList<TQzUnitMethod> QzUnitPublishedMethods(const QString& source, const QString& className);
// Every method of `className` in any part, in declaration order.
QList<TQzUnitMethod> QzUnitMethods(const QString& source, const QString& className);
// The fields of the class's first part, where the designer keeps its components.
QList<TQzUnitField> QzUnitPublishedFields(const QString& source, const QString& className);

// Whether `params` is the parameter list of a notify event handler: one TObject parameter.
bool QzIsNotifyParams(const QString& params);

// Each of these returns the new text and raises EQzError when the class (or, for the methods,
// the end of the unit) cannot be found.

// `source` with the handler `name(params)` added to `className`: its declaration at the end of
// the published part and an empty body before the unit's initialization part, its old-style
// "begin ... end." block or its final "end.".
QString QzUnitAddMethod(const QString& source, const QString& className, const QString& name,
                        const QString& params);
// The published method `oldName` renamed in its declaration and in the heading of its body.
// Unchanged when the class has no such method.
QString QzUnitRenameMethod(const QString& source, const QString& className, const QString& oldName,
                           const QString& newName);
// The field `name: typeName;` added after the last field of the first part. Unchanged when the
// field is there already.
QString QzUnitAddField(const QString& source, const QString& className, const QString& name,
                       const QString& typeName);
// The field renamed where the first part declares it; added when it is missing.
QString QzUnitRenameField(const QString& source, const QString& className, const QString& oldName,
                          const QString& newName, const QString& typeName);
// The field taken out of the first part: its whole line when it stands alone there, else its
// name from the list it shares. Unchanged when the class has no such field.
QString QzUnitRemoveField(const QString& source, const QString& className, const QString& name);
