#include "QzPkgStringsText.h"

#include "QzExcept.h"
#include "QzFields.h"
#include "QzPkgStrings.h"
#include "TextEncoding.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

// Reports past this many bad lines would hide more than they tell.
constexpr int MaxReportedLines = 100;

bool isLabels(const TQzPkgItemList& list) {
    return qobject_cast<const TQzPkgStringsLabels*>(&list) != nullptr;
}

} // namespace

const QString& QzStringsItemText(const TQzPkgItem* item) {
    if (auto* label = qobject_cast<const TQzPkgStringsLabel*>(item))
        return label->Text();
    return static_cast<const TQzPkgStringsText*>(item)->Text();
}

QList<TQzPkgItem*> QzStringsItemsById(const TQzPkgItemList& list) {
    QList<TQzPkgItem*> items;
    items.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.GetItems(i));
    std::sort(items.begin(), items.end(),
              [](const TQzPkgItem* a, const TQzPkgItem* b) { return a->Id() < b->Id(); });
    return items;
}

QByteArray QzStringsExportText(const TQzPkgItemList& list) {
    const bool labels = isLabels(list);
    QString text;
    for (const TQzPkgItem* item : QzStringsItemsById(list)) {
        QStringList fields{QString::number(item->Id()), QzStringsItemText(item)};
        if (labels)
            fields.push_back(static_cast<const TQzPkgStringsLabel*>(item)->Hint());
        while (fields.size() > 1 && fields.back().isEmpty())
            fields.removeLast();
        text += QzTextFromStrings(fields, u',');
        text += u'\n';
    }
    return text.toUtf8();
}

QList<TQzStringsTextItem> QzStringsReadText(const TQzPkgItemList& list, QByteArrayView bytes,
                                            QList<TQzStringsTextProblem>& problems) {
    const qsizetype maxFields = isLabels(list) ? 3 : 2;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = DecodeText(bytes).split(lineEnd);
    QList<TQzStringsTextItem> items;
    QSet<int> seen;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.trimmed().isEmpty())
            continue;
        QStringList fields;
        int id = 0;
        const QString problem = [&]() -> QString {
            try {
                QzTextToStrings(line, fields, u',');
            } catch (const EQzError& e) {
                return e.Message();
            }
            bool ok = false;
            id = fields.value(0).trimmed().toInt(&ok);
            if (!ok || id < 0)
                return QStringLiteral("'%1' is not an id").arg(fields.value(0));
            if (seen.contains(id))
                return QStringLiteral("the id %1 appears twice").arg(id);
            if (fields.size() > maxFields)
                return QStringLiteral("too many fields (%1, %2 at the most)")
                    .arg(fields.size())
                    .arg(maxFields);
            return QString();
        }();
        if (!problem.isEmpty()) {
            problems.push_back({int(n + 1), problem});
            continue;
        }
        seen.insert(id);
        items.push_back({id, fields.value(1), fields.value(2)});
    }
    return items;
}

QList<TQzStringsTextItem> QzStringsImportText(const TQzPkgItemList& list, QByteArrayView bytes,
                                              const QString& fileName) {
    QList<TQzStringsTextProblem> bad;
    QList<TQzStringsTextItem> items = QzStringsReadText(list, bytes, bad);
    if (bad.isEmpty())
        return items;
    QStringList problems;
    for (const TQzStringsTextProblem& p :
         bad.first(std::min<qsizetype>(bad.size(), MaxReportedLines)))
        problems << QStringLiteral("%1, line %2: %3").arg(fileName).arg(p.Line).arg(p.Text);
    if (bad.size() > MaxReportedLines)
        problems << QStringLiteral("... and %1 more bad lines").arg(bad.size() - MaxReportedLines);
    QzExcept(
        problems.join(u'\n') +
        QStringLiteral("\nNothing was imported; the %1s are left as they were.").arg(list.What()));
}

void QzReplaceStringsItems(TQzPkgItemList& list, const QList<TQzStringsTextItem>& items) {
    list.Clear();
    if (auto* labels = qobject_cast<TQzPkgStringsLabels*>(&list)) {
        for (const TQzStringsTextItem& item : items)
            labels->Add(item.Id, item.Text, item.Hint);
        return;
    }
    auto& texts = static_cast<TQzPkgStringsTexts&>(list);
    for (const TQzStringsTextItem& item : items)
        texts.Add(item.Id, item.Text);
}
