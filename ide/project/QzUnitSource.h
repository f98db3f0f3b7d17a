#pragma once

// The form class of a unit as the designer sees its source text: the class's ancestor, the
// methods of its published part (the event handlers a form may bind) and adding a new handler.
// Comments and strings are skipped, so words inside them never count.

#include <QList>
#include <QString>

struct TQzUnitMethod {
    QString Name;
    // The parameter list as written between the parentheses, blanks collapsed
    // ("Sender: TObject"); empty for a method without parameters.
    QString Params;
};

// The ancestor named in `className = class(Ancestor)`; empty when the unit does not declare
// the class.
QString QzUnitClassAncestor(const QString& source, const QString& className);

// The methods of the published part of `className` (the part before the first visibility
// keyword, and any part marked published), in declaration order.
QList<TQzUnitMethod> QzUnitPublishedMethods(const QString& source, const QString& className);

// Whether `params` is the parameter list of a notify event handler: one TObject parameter.
bool QzIsNotifyParams(const QString& params);

// `source` with the handler `name(params)` added to `className`: its declaration at the end of
// the published part and an empty body before the unit's initialization part or final "end.".
// Raises EQzError when the class or the end of the unit cannot be found.
QString QzUnitAddMethod(const QString& source, const QString& className, const QString& name,
                        const QString& params);
