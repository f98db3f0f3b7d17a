#pragma once

// Vars packages as text: the value of a variable as a person reads and types it, a listing of
// the whole tree, and a JSON form for scripts that writes every value exactly and reads back
// into a package only when all of it is sound.

#include "QzPkgVars.h"

#include <QByteArray>
#include <QString>

// "Boolean", "Integer", "Float", "String", "Folder".
QString QzPkgVarsTypeName(TQzPkgVarsItemType type);
// The type of a name, any case; false for another name.
bool QzPkgVarsTypeFromName(const QString& name, TQzPkgVarsItemType& type);

// The value of a variable as typed: "True" or "False", a decimal integer, the shortest text that
// reads back as the float, or the string; empty for a folder.
QString QzPkgVarsValueText(const TQzPkgVarsItem* item);
// Whether `text` reads as a value of `type`: a boolean "TRUE" or "FALSE" in the locale's upper
// case, a decimal integer of 32 bits, a number as QzCStrToNumeric reads it, any string.
bool QzPkgVarsValueTextValid(TQzPkgVarsItemType type, const QString& text);
// Sets the variable's value from text read as above; raises EQzError naming the text when it
// does not read, and nothing changes then.
void QzPkgVarsSetValueText(TQzPkgVarsItem* item, const QString& text);

// One item as a line without its end: the path, the type and (for variables) the value,
// separated by tabs; strings are quoted with "\" escapes.
QString QzPkgVarsListingLine(const TQzPkgVarsItem* item);
// Every item in package order, a folder before what it holds, one line each.
QString QzPkgVarsListing(const TQzPkgVars& pkg);

// The package as one JSON object: "name", and "items", an array in package order of objects
// with "path", "type" and, for variables, "value" (a float that a JSON number cannot hold
// exactly, such as -0 or nan, is a string as QzCNumericToStr writes it). Keys are sorted.
QByteArray QzPkgVarsToJson(const TQzPkgVars& pkg);
// Replaces the items of `pkg` with those of a JSON text in that form (a float may also be such a
// string, types in any case; "name" is not read). The text is checked whole first: a bad entry
// raises EQzError naming `source`, the entry and its path, and the package is left as it was.
void QzPkgVarsFromJson(TQzPkgVars& pkg, const QByteArray& json, const QString& source);
