#include "packages/QzPkgActive.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "ui_TFrPkgActive.h"

#include <QAction>
#include <algorithm>

namespace {

// The form a component sits on: its owner when that is a root (a designed form); none else.
QString ownerFormName(const TComponent* component) {
    const TComponent* owner = component->Owner();
    return owner && !owner->Owner() ? owner->Name() : QStringLiteral("nil");
}

} // namespace

TFrPkgActive::TFrPkgActive(QWidget* parent)
    : TDesignWindow(parent), FUi(std::make_unique<Ui::TFrPkgActive>()) {
    FUi->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* active = new QAction(QStringLiteral("&Active"), FUi->ListBox1);
    active->setObjectName(QStringLiteral("Active1"));
    FUi->ListBox1->addAction(active);
    connect(active, &QAction::triggered, this, &TFrPkgActive::Active1Click);
    connect(FUi->ListBox1, &QListWidget::itemDoubleClicked, this, &TFrPkgActive::Active1Click);
    QzAddFormsListener(
        [this](int code, QObject*) {
            static const int codes[] = {QzPerformStrings, QzPerformImages, QzPerformVars,
                                        QzPerformApplications};
            if (code == codes[FKind])
                UpdateListBox(selectedObject());
        },
        this);
}

TFrPkgActive::~TFrPkgActive() = default;

void TFrPkgActive::Execute(TComponent* component) {
    if (qobject_cast<TQzPkgImages*>(component))
        FKind = kImages;
    else if (qobject_cast<TQzPkgVars*>(component))
        FKind = kVars;
    else if (qobject_cast<TQzCApplication*>(component))
        FKind = kApplications;
    else
        FKind = kStrings;
    static const char* const captions[] = {"View PkgStrings", "View PkgImages", "View PkgVars",
                                           "View Applications"};
    setWindowTitle(QString::fromLatin1(captions[FKind]));
    UpdateListBox(component);
    show();
}

QString TFrPkgActive::EntryText(TComponent* object) {
    if (auto* app = qobject_cast<TQzCApplication*>(object))
        return QStringLiteral("%1 (%2)").arg(app->FAppName.trimmed(), ownerFormName(app));
    auto* pkg = static_cast<TQzPkgInfo*>(object);
    return QStringLiteral("%1 (%2.%3)")
        .arg(pkg->GetPkgName().trimmed(), ownerFormName(pkg), pkg->Name());
}

// Entries are sorted by their text with their position appended, so packages of the same name
// keep the order they were made in.
void TFrPkgActive::UpdateListBox(TComponent* selected) {
    QList<TComponent*> objects;
    switch (FKind) {
    case kStrings:
        for (TQzPkgStrings* pkg : QzPkgStringsAll())
            objects << pkg;
        break;
    case kImages:
        for (TQzPkgImages* pkg : QzPkgImagesAll())
            objects << pkg;
        break;
    case kVars:
        for (TQzPkgVars* pkg : QzPkgVarsAll())
            objects << pkg;
        break;
    case kApplications:
        for (TQzCApplication* app : QzCApplicationsAll())
            objects << app;
        break;
    }
    struct Entry {
        QString Key;
        QString Text;
        TComponent* Object;
    };
    QList<Entry> entries;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const QString text = EntryText(objects[i]);
        entries.push_back({text + QString::asprintf("%05d", int(i)), text, objects[i]});
    }
    if (FKind != kApplications)
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.Key.compare(b.Key, Qt::CaseInsensitive) < 0;
        });
    const QSignalBlocker block(FUi->ListBox1);
    FUi->ListBox1->clear();
    for (const QPointer<TComponent>& object : std::as_const(FObjects))
        if (object)
            disconnect(object, &QObject::destroyed, this, nullptr);
    FObjects.clear();
    for (const Entry& entry : entries) {
        auto* item = new QListWidgetItem(entry.Text, FUi->ListBox1);
        item->setData(Qt::UserRole, int(FObjects.size()));
        FObjects << entry.Object;
        // A package freed without a broadcast (its form closed) leaves the list at once, so that
        // no entry names what is gone.
        connect(
            entry.Object, &QObject::destroyed, this, [this] { UpdateListBox(selectedObject()); },
            Qt::QueuedConnection);
        if (entry.Object == selected)
            FUi->ListBox1->setCurrentItem(item);
    }
}

QList<TComponent*> TFrPkgActive::Entries() const {
    QList<TComponent*> objects;
    for (int i = 0; i < FUi->ListBox1->count(); ++i)
        objects << FObjects.value(FUi->ListBox1->item(i)->data(Qt::UserRole).toInt());
    return objects;
}

// None when the entry's object is gone.
TComponent* TFrPkgActive::selectedObject() const {
    const QListWidgetItem* item = FUi->ListBox1->currentItem();
    return item ? FObjects.value(item->data(Qt::UserRole).toInt()).data() : nullptr;
}

void TFrPkgActive::Active1Click() {
    TComponent* object = selectedObject();
    if (!object)
        return;
    if (auto* app = qobject_cast<TQzCApplication*>(object))
        app->SetActive(true);
    else
        static_cast<TQzPkgInfo*>(object)->SetActive(true);
    UpdateListBox(object);
}

void TFrPkgActive::ItemsModified(IDesigner*) {
    UpdateListBox(selectedObject());
}
