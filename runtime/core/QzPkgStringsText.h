#pragma once

// The text files of a strings list (labels, messages or texts), as the strings editor and
// `qzpkg strings-export/-import` write and read them: one item a line, by ascending id, its fields
// joined by QzTextFromStrings with a comma: the id, the text and, for labels, the hint. A trailing
// empty field is left out, so a label with a hint and no text keeps its empty text field. Files
// are written as UTF-8; they are read as UTF-8 when their bytes are, else as Windows-1252, with
// any kind of line end.

#include <QByteArray>
#include <QList>
#include <QString>

class TQzPkgItem;
class TQzPkgItemList;

// The text of a strings item: a label's text, a message's or a text's.
const QString& QzStringsItemText(const TQzPkgItem* item);

// The items of `list` by ascending id.
QList<TQzPkgItem*> QzStringsItemsById(const TQzPkgItemList& list);

struct TQzStringsTextItem {
    int Id = 0;
    QString Text;
    QString Hint;
};

// Every item of `list` as the lines of a text file.
QByteArray QzStringsExportText(const TQzPkgItemList& list);
// A bad line of a text file: its number, counted from 1, and what is wrong with it.
struct TQzStringsTextProblem {
    int Line = 0;
    QString Text;
};
// The items of the good lines of a text file for `list`; every bad line is added to `problems`.
QList<TQzStringsTextItem> QzStringsReadText(const TQzPkgItemList& list, QByteArrayView bytes,
                                            QList<TQzStringsTextProblem>& problems);
// The items of a text file for `list`, every line read and checked first: bad lines (not an id,
// an id twice, too many fields, a broken quote) raise EQzError naming `fileName` and each line's
// number (the first hundred of them). Blank lines are skipped.
QList<TQzStringsTextItem> QzStringsImportText(const TQzPkgItemList& list, QByteArrayView bytes,
                                              const QString& fileName);
// Replaces every item of `list` with `items` (read by QzStringsImportText, so every id is free).
// Imported items are not protected.
void QzReplaceStringsItems(TQzPkgItemList& list, const QList<TQzStringsTextItem>& items);
