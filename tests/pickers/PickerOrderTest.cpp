// The text order of the pickers' lists: the sort that takes a hundred thousand labels in one go
// and the comparison that searches and inserts must agree on every text, whatever its case,
// length, shared beginning or characters, and equal texts keep the order they had.

#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "pickers/QzPickerList.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QStringList texts(const std::vector<TQzPkgItem*>& rows) {
    QStringList list;
    for (const TQzPkgItem* row : rows)
        list << QzPickerItemText(row);
    return list;
}

std::vector<TQzPkgItem*> itemsOf(TQzPkgStringsLabels* labels) {
    std::vector<TQzPkgItem*> rows;
    for (int i = 0; i < labels->Count(); ++i)
        rows.push_back(labels->GetItems(i));
    return rows;
}

} // namespace

TEST(PickerOrder, SortAgreesWithTheComparisonAndKeepsEqualTextsInOrder) {
    QzRegisterRuntimeClasses();
    const QString shared = QStringLiteral("Customer order invoice amount ");
    const QList<QStringList> cases = {
        {"banana", "Apple", "cherry", "apple", "APPLE", "Banana split"},
        // Beginnings shared past what is compared as packed words, and texts that end there.
        {shared + "b", shared + "a", shared, shared + "A", shared.left(24), shared.left(23)},
        // Empty texts, a NUL character, characters beyond the basic plane and next to its end.
        {"", "a", QString(QChar(0)), "a" + QString(QChar(0)), QStringLiteral("😀"),
         QStringLiteral("\uFFFF"), QStringLiteral("\uFFFE"), QStringLiteral("Größe"),
         QStringLiteral("GRÖSSE"), QStringLiteral("größe")},
    };
    for (const QStringList& input : cases) {
        TQzPkgStrings pkg;
        for (int i = 0; i < input.size(); ++i)
            pkg.Labels()->Add(i, input[i]);
        std::vector<TQzPkgItem*> rows = itemsOf(pkg.Labels());
        QzSortByText(rows);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const int order =
                QzCompareFolded(QzPickerItemText(rows[i - 1]), QzPickerItemText(rows[i]));
            EXPECT_LE(order, 0) << texts(rows).join('|').toStdString();
            if (order == 0) {
                EXPECT_LT(rows[i - 1]->Id(), rows[i]->Id()) << "equal texts keep their order";
            }
        }
        // Searching and inserting find every text where the sort put it.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QString& text = QzPickerItemText(rows[i]);
            const std::size_t first = QzFirstNotBefore(rows, text);
            EXPECT_EQ(QzCompareFolded(QzPickerItemText(rows[first]), text), 0);
            EXPECT_TRUE(first == 0 || QzCompareFolded(QzPickerItemText(rows[first - 1]), text) < 0);
            const std::size_t after = QzInsertionRow(rows, text);
            EXPECT_TRUE(after == rows.size() ||
                        QzCompareFolded(QzPickerItemText(rows[after]), text) > 0);
        }
    }
}

TEST(PickerOrder, ALargeListOfSimilarTextsSortsAsTheComparisonSays) {
    QzRegisterRuntimeClasses();
    // Few words, so that many texts share long beginnings and many are equal.
    const QStringList words = {"order", "Order", "customer", "Öl", "ol", "x"};
    QRandomGenerator random(7);
    TQzPkgStrings pkg;
    for (int i = 0; i < 20000; ++i) {
        QString text;
        for (int w = int(random.bounded(8)); w > 0; --w)
            text += words[int(random.bounded(qsizetype(words.size())))] + u' ';
        pkg.Labels()->Add(i, text);
    }
    std::vector<TQzPkgItem*> rows = itemsOf(pkg.Labels());
    std::vector<TQzPkgItem*> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [](TQzPkgItem* a, TQzPkgItem* b) {
        return QzCompareFolded(QzPickerItemText(a), QzPickerItemText(b)) < 0;
    });
    QzSortByText(rows);
    EXPECT_EQ(rows, expected);
}
