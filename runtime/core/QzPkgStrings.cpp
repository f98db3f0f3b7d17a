#include "QzPkgStrings.h"

TQzPkgStringsLabels::TQzPkgStringsLabels(TPersistent* owner)
    : TQzPkgItemList(ClassOf<TQzPkgStringsLabel>(), owner, QStringLiteral("label")) {}

TQzPkgStringsLabel* TQzPkgStringsLabels::GetItems(int index) const {
    return static_cast<TQzPkgStringsLabel*>(Items(index));
}

TQzPkgStringsLabel* TQzPkgStringsLabels::FindId(int id) const {
    return static_cast<TQzPkgStringsLabel*>(TQzPkgItemList::FindId(id));
}

TQzPkgStringsLabel* TQzPkgStringsLabels::Add(int id, const QString& text, const QString& hint) {
    auto* label = static_cast<TQzPkgStringsLabel*>(AddWithId(id));
    label->SetText(text);
    label->SetHint(hint);
    return label;
}

TQzPkgStringsTexts::TQzPkgStringsTexts(TPersistent* owner, const QString& what)
    : TQzPkgItemList(ClassOf<TQzPkgStringsText>(), owner, what) {}

TQzPkgStringsText* TQzPkgStringsTexts::GetItems(int index) const {
    return static_cast<TQzPkgStringsText*>(Items(index));
}

TQzPkgStringsText* TQzPkgStringsTexts::FindId(int id) const {
    return static_cast<TQzPkgStringsText*>(TQzPkgItemList::FindId(id));
}

TQzPkgStringsText* TQzPkgStringsTexts::Add(int id, const QString& text) {
    auto* item = static_cast<TQzPkgStringsText*>(AddWithId(id));
    item->SetText(text);
    return item;
}

TQzPkgStringsData::TQzPkgStringsData(QObject* parent)
    : TQzPkgData(parent), FLabels(new TQzPkgStringsLabels(this)),
      FMessages(new TQzPkgStringsTexts(this, QStringLiteral("message"))),
      FTexts(new TQzPkgStringsTexts(this, QStringLiteral("text"))) {}

TQzPkgStrings::TQzPkgStrings(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Strings, QStringLiteral("pst")) {
    InitData();
}

std::unique_ptr<TQzPkgData> TQzPkgStrings::CreateData() const {
    return std::make_unique<TQzPkgStringsData>();
}

TQzPkgStrings* QzFindPkgStrings(const QString& name) {
    return static_cast<TQzPkgStrings*>(QzFindPackage(TQzPkgKind::Strings, name));
}

void QzPkgStringsActives(QStringList& list) {
    list += QzPackageNames(TQzPkgKind::Strings);
}

QList<TQzPkgStrings*> QzPkgStringsAll() {
    QList<TQzPkgStrings*> all;
    for (TQzPkgInfo* p : QzAllPackages())
        if (p->Kind() == TQzPkgKind::Strings)
            all.push_back(static_cast<TQzPkgStrings*>(p));
    return all;
}
