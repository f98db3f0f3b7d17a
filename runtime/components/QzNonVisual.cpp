#include "QzNonVisual.h"

#include "QzExcept.h"

QString TQzCFormDataSource::DisplayName() const {
    return FDataSource ? FDataSource->Name() : TCollectionItem::DisplayName();
}

void TQzCFormDataSource::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzCFormDataSource*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    FDataSource = other->FDataSource;
    FAutoOpen = other->FAutoOpen;
}

TQzCCustomForm::TQzCCustomForm(TComponent* owner)
    : TComponent(owner), FCaption(new TQzMemoryLabel(this)),
      FDataSources(new TCollection(ClassOf<TQzCFormDataSource>(), this)),
      FSetColor(new TQzSetColor(this)), FSetFont(new TQzSetFont(this)),
      FSetBackGround(new TQzSetBackGround(this)), FPrivilege(new TQzPrivilege(this)) {}

TQzImageForm::TQzImageForm(TComponent* owner)
    : TComponent(owner), FImage(new TQzMemoryImage(this)) {}

void TQzCBuffer::SetCapacity(int capacity) {
    QzCheckRange(capacity, 1, INT_MAX, QStringLiteral("The capacity"));
    FCapacity = capacity;
}
