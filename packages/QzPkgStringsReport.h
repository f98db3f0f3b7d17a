#pragma once

// The printed report of a strings list: a heading, then one entry a line, each followed by a
// blank line, in the printer's font at 10 points. An entry is its id, " - " and its text; a text
// too long for the page wraps under itself, beside the ids, so the ids stand in a column. An
// entry is not split across pages unless it is longer than a page. Every page carries its number.

#include <QList>
#include <QString>

class QPrinter;
class TQzPkgItem;

struct TQzReportEntry {
    int Id = 0;
    // A label's text with " *Hint = " and its hint when the hint is not blank.
    QString Text;
};

TQzReportEntry QzStringsReportEntry(const TQzPkgItem* item);
// Prints the report on `printer`; raises EQzError when the printer cannot be used. Returns the
// number of pages.
int QzPrintStringsReport(QPrinter& printer, const QString& heading,
                         const QList<TQzReportEntry>& entries);
