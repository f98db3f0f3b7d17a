#include "packages/QzPkgStringsReport.h"

#include "QzExcept.h"
#include "QzPkgStrings.h"
#include "pickers/QzPickerList.h"

#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

namespace {

// Lays the report out page by page; the same walk measures (no painter) and prints, so both
// agree on every page break.
class TQzReportWriter {
public:
    TQzReportWriter(QPrinter& printer, const QFont& font, const QList<TQzReportEntry>& entries)
        : FPrinter(printer), FFont(font), FMetrics(font, &printer) {
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        FWidth = page.width();
        FLineHeight = FMetrics.lineSpacing();
        // The page number and a blank line above it.
        FBodyHeight = std::max(page.height() - 2 * FLineHeight, FLineHeight);
        qreal widest = 0;
        for (const TQzReportEntry& entry : entries)
            widest = std::max(widest, FMetrics.horizontalAdvance(prefix(entry)));
        // Ids stand in a column, unless they would leave the texts too little room.
        FIdWidth = std::min(widest, FWidth / 3);
    }

    // Walks the report; with a painter it prints, and `pages` is the number to print on each.
    int Walk(QPainter* painter, const QString& heading, const QList<TQzReportEntry>& entries,
             int pages) {
        FPainter = painter;
        FPages = pages;
        FPage = 1;
        FTop = 0;
        drawText(QRectF(0, 0, FWidth, FLineHeight), Qt::AlignLeft, heading);
        FTop = 2 * FLineHeight;
        for (const TQzReportEntry& entry : entries)
            walkEntry(entry);
        drawPageNumber();
        return FPage;
    }

private:
    static QString prefix(const TQzReportEntry& entry) {
        return QString::number(entry.Id) + QStringLiteral(" - ");
    }

    void walkEntry(const TQzReportEntry& entry) {
        QString text = entry.Text;
        text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator))
            .replace(u'\n', QChar::LineSeparator)
            .replace(u'\r', QChar::LineSeparator);
        QTextLayout layout(text, FFont, &FPrinter);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(FWidth - FIdWidth);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();
        // Kept on one page when it fits on one.
        if (FTop > 0 && FTop + height > FBodyHeight && height <= FBodyHeight)
            newPage();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            if (FTop > 0 && FTop + line.height() > FBodyHeight)
                newPage();
            if (i == 0)
                drawText(QRectF(0, FTop, FIdWidth, line.height()), Qt::AlignRight, prefix(entry));
            if (FPainter)
                line.draw(FPainter, QPointF(FIdWidth, FTop - line.position().y()));
            FTop += line.height();
        }
        if (layout.lineCount() == 0) {
            drawText(QRectF(0, FTop, FIdWidth, FLineHeight), Qt::AlignRight, prefix(entry));
            FTop += FLineHeight;
        }
        // The blank line after every entry.
        FTop += FLineHeight;
    }

    void newPage() {
        drawPageNumber();
        if (FPainter && !FPrinter.newPage())
            QzExcept(QStringLiteral("The printer refused page %1").arg(FPage + 1));
        ++FPage;
        FTop = 0;
    }

    void drawPageNumber() {
        drawText(QRectF(0, FBodyHeight + FLineHeight, FWidth, FLineHeight), Qt::AlignHCenter,
                 QStringLiteral("Page %1 of %2").arg(FPage).arg(FPages));
    }

    void drawText(const QRectF& rect, Qt::Alignment alignment, const QString& text) {
        if (FPainter)
            FPainter->drawText(rect, int(alignment | Qt::AlignTop | Qt::TextSingleLine), text);
    }

    QPrinter& FPrinter;
    QFont FFont;
    QFontMetricsF FMetrics;
    qreal FWidth = 0;
    qreal FLineHeight = 0;
    qreal FBodyHeight = 0;
    qreal FIdWidth = 0;
    QPainter* FPainter = nullptr;
    int FPages = 0;
    int FPage = 1;
    qreal FTop = 0;
};

} // namespace

TQzReportEntry QzStringsReportEntry(const TQzPkgItem* item) {
    TQzReportEntry entry{item->Id(), QzPickerItemText(item)};
    if (auto* label = qobject_cast<const TQzPkgStringsLabel*>(item))
        if (!label->Hint().trimmed().isEmpty())
            entry.Text += QStringLiteral(" *Hint = ") + label->Hint();
    return entry;
}

int QzPrintStringsReport(QPrinter& printer, const QString& heading,
                         const QList<TQzReportEntry>& entries) {
    QFont font;
    font.setPointSizeF(10);
    TQzReportWriter writer(printer, font, entries);
    const int pages = writer.Walk(nullptr, heading, entries, 0);
    QPainter painter;
    if (!painter.begin(&printer))
        QzExcept(printer.outputFileName().isEmpty()
                     ? QStringLiteral("The printer \"%1\" cannot print").arg(printer.printerName())
                     : QStringLiteral("Cannot print to %1").arg(printer.outputFileName()));
    painter.setFont(font);
    writer.Walk(&painter, heading, entries, pages);
    painter.end();
    return pages;
}
