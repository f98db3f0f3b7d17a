#include "registration/QzDialogTable.h"

#include "QzCApplication.h"
#include "QzContainers.h"
#include "QzExcept.h"
#include "QzMemos.h"
#include "QzMenus.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzPkgVarsText.h"
#include "QzRefs.h"
#include "controls/QzCollectionEditor.h"
#include "controls/QzDesignRgn.h"
#include "controls/QzMaskDesigner.h"
#include "controls/QzMenusEditor.h"
#include "controls/QzMultiLine.h"
#include "controls/QzRichEdit.h"
#include "manager/QzManager.h"
#include "manager/QzManagerPkgs.h"
#include "manager/QzManagerProgress.h"
#include "manager/QzManagerRepl.h"
#include "manager/QzPkgSynchronizer.h"
#include "packages/QzImportImages.h"
#include "packages/QzPkgActive.h"
#include "packages/QzPkgImagesEditor.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzPkgStringsEditor.h"
#include "packages/QzPkgVarsEditor.h"
#include "packages/QzPrivilegesEditor.h"
#include "packages/QzSetsEditors.h"
#include "packages/QzStringsTranslators.h"
#include "packages/QzUpdateSystem.h"
#include "pickers/QzMemoryImage.h"
#include "pickers/QzMemoryLabel.h"
#include "pickers/QzMemoryTexts.h"
#include "pickers/QzPrivilege.h"
#include "pickers/QzSetPickers.h"
#include "pickers/QzSetsAdd.h"

#include <QDir>
#include <QLineEdit>
#include <QMetaProperty>

namespace {

// The first package of `kind` alive in the open designs; raises when there is none.
template <typename TPkg>
TPkg* firstPackage(TQzPkgKind kind) {
    for (TQzPkgInfo* pkg : QzAllPackages())
        if (pkg->Kind() == kind)
            return static_cast<TPkg*>(pkg);
    QzExcept(QStringLiteral("The open designs have no %1 package").arg(QzPkgKindName(kind)));
}

QString firstStringsName() {
    return firstPackage<TQzPkgStrings>(TQzPkgKind::Strings)->GetPkgName();
}

QStringList stringsNames() {
    QStringList names;
    QzPkgStringsActives(names);
    return names;
}

// Whether a reference names something, so that its picker opens on a choice.
bool namesSomething(const TQzMemoryRef& ref) {
    return ref.Defined();
}

bool namesSomething(const TQzSetRef& ref) {
    return !ref.Name().isEmpty();
}

bool namesSomething(const TQzPrivilege& ref) {
    return ref.Defined();
}

// The first reference of class `TRef` that a component of the designs holds, in project order,
// of those that `fits` accepts; none when there is none.
template <typename TRef>
TRef* findReference(const TDesignDialogSubjects& subjects,
                    const std::function<bool(const TRef*)>& fits) {
    std::function<TRef*(TComponent*)> search = [&](TComponent* component) -> TRef* {
        const QMetaObject* meta = component->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            if (prop.metaType().flags() & QMetaType::PointerToQObject)
                if (auto* ref = qobject_cast<TRef*>(prop.read(component).value<QObject*>()))
                    if (!fits || fits(ref))
                        return ref;
        }
        for (TComponent* child : component->ComponentList())
            if (TRef* ref = search(child))
                return ref;
        return nullptr;
    };
    for (TComponent* root : subjects.Roots)
        if (TRef* ref = search(root))
            return ref;
    return nullptr;
}

// As findReference, raising when there is none.
template <typename TRef>
TRef* firstReference(const TDesignDialogSubjects& subjects,
                     const std::function<bool(const TRef*)>& fits = {}) {
    if (TRef* ref = findReference<TRef>(subjects, fits))
        return ref;
    QzExcept(QStringLiteral("No component of the open designs has a %1 property")
                 .arg(QString::fromLatin1(TRef::staticMetaObject.className())));
}

// The first reference of its kind that names something, else the first of all.
template <typename TRef>
TRef* namedReference(const TDesignDialogSubjects& subjects) {
    if (TRef* ref = findReference<TRef>(subjects, [](const TRef* r) { return namesSomething(*r); }))
        return ref;
    return firstReference<TRef>(subjects);
}

// ---- Pickers: on the first reference of their kind

template <typename TPicker, typename TRef>
TDesignDialogClassInfo pickerRow(const char* className) {
    return {QString::fromLatin1(className), [](const TDesignDialogSubjects& subjects) -> QWidget* {
                TPicker picker;
                picker.SetReference(namedReference<TRef>(subjects));
                picker.Execute();
                return nullptr;
            }};
}

TQzPkgStrings* firstStrings() {
    return firstPackage<TQzPkgStrings>(TQzPkgKind::Strings);
}

QWidget* openLabelAdd(const TDesignDialogSubjects&) {
    TQzPkgStrings* pkg = firstStrings();
    TFrMemoryLabelAdd dialog;
    dialog.Execute(pkg, false, pkg->Labels()->UniqueId(), QString(), QString());
    return nullptr;
}

template <typename TAdd>
QWidget* openTextAdd(TQzPkgStringsTexts* (TQzPkgStrings::*list)() const) {
    TQzPkgStrings* pkg = firstStrings();
    TAdd dialog;
    dialog.Execute(pkg, (pkg->*list)(), false, (pkg->*list)()->UniqueId(), QString());
    return nullptr;
}

// The first label of the first package that has one, on its lines.
QWidget* openLabelMultiLine(const TDesignDialogSubjects&) {
    TFrMemoryLabelAddMultiLine dialog;
    for (TQzPkgStrings* pkg : QzPkgStringsAll())
        if (pkg->Labels()->Count() > 0) {
            dialog.SetText(pkg->Labels()->GetItems(0)->Text());
            break;
        }
    dialog.ShowModal();
    return nullptr;
}

// ---- The Packages Manager

QWidget* openManager(const TDesignDialogSubjects&) {
    TFrManager dialog(nullptr);
    dialog.Execute(dlmLabels, firstStringsName(), QString());
    return nullptr;
}

// The Manager for `kind` on the first package of that kind, when the kind has packages.
void runManager(TQzDlgManager kind) {
    QStringList names;
    if (kind == dlmImages)
        QzPkgImagesActives(names);
    else if (QzDlgManagerHasPackage(kind))
        QzPkgStringsActives(names);
    TFrManager dialog(nullptr);
    dialog.Execute(kind, names.isEmpty() ? QString() : names.first(), QString());
}

QWidget* openManagerPkgs(const TDesignDialogSubjects&) {
    TFrManagerPkgs dialog(nullptr);
    dialog.Execute(stringsNames());
    return nullptr;
}

QWidget* openManagerRepl(const TDesignDialogSubjects&) {
    TFrManagerRepl dialog(nullptr);
    dialog.Execute(dlmLabels, stringsNames(), firstStringsName(), QStringLiteral("1"));
    return nullptr;
}

// The window of a count under way, over the project's forms.
QWidget* openManagerProgress(const TDesignDialogSubjects& subjects) {
    auto* window = new TFrManagerProgress(nullptr, QStringLiteral("Scan Counter"));
    window->SetMaximum(int(subjects.Roots.size()) * 2);
    window->SetText(subjects.Roots.isEmpty() ? QString() : subjects.Roots.first()->Name());
    window->Step();
    return window;
}

TDesignDialogClassInfo row(const char* className,
                           std::function<QWidget*(const TDesignDialogSubjects&)> open) {
    return {QString::fromLatin1(className), std::move(open)};
}

// The first strings package kept in its own file, else the first one.
QWidget* openSynchronizer(const TDesignDialogSubjects&) {
    TFrPkgSynchronizer dialog;
    dialog.Pkg = firstStrings();
    for (TQzPkgStrings* pkg : QzPkgStringsAll())
        if (pkg->IsFileStored()) {
            dialog.Pkg = pkg;
            break;
        }
    dialog.Execute();
    return nullptr;
}

// ---- Package file dialogs: saving the first strings package, the application folder's files

QWidget* openLoadSave(const TDesignDialogSubjects&) {
    TFrPkgLoadSave dialog;
    dialog.Pkg = firstStrings();
    dialog.Load = false;
    dialog.Execute();
    return nullptr;
}

QWidget* openFiles(const TDesignDialogSubjects&) {
    TFrOpenFiles dialog;
    dialog.SetFolder(QzAppPath(), QStringLiteral("*.lan"));
    dialog.Execute();
    return nullptr;
}

template <typename TUpdate>
QWidget* openUpdate(const TDesignDialogSubjects&) {
    TUpdate dialog;
    dialog.App = &QzCAppRequired();
    dialog.Execute();
    return nullptr;
}

QWidget* openActive(const TDesignDialogSubjects&) {
    auto* window = new TFrPkgActive;
    window->Execute(firstStrings());
    return window;
}

// ---- Control editors: on the first component of the designs that has what they edit

// The first component of the designs that `fits`, in project order.
TComponent* firstComponent(const TDesignDialogSubjects& subjects, const QString& what,
                           const std::function<bool(TComponent*)>& fits) {
    std::function<TComponent*(TComponent*)> search = [&](TComponent* component) -> TComponent* {
        if (fits(component))
            return component;
        for (TComponent* child : component->ComponentList())
            if (TComponent* found = search(child))
                return found;
        return nullptr;
    };
    for (TComponent* root : subjects.Roots)
        if (TComponent* found = search(root))
            return found;
    QzExcept(QStringLiteral("The open designs have no %1").arg(what));
}

IDesigner* designerOf(TComponent* component) {
    TComponent* root = component;
    while (root->Owner())
        root = root->Owner();
    return DesignerOf(root);
}

QWidget* openMenus(const TDesignDialogSubjects& subjects) {
    TComponent* menu = firstComponent(subjects, QStringLiteral("menu"), [](TComponent* c) {
        TQzMenuItem* items = QzMenuItemsOf(c);
        return items && items->Count() > 0;
    });
    return TFrMenus::ShowMenusEditor(menu, designerOf(menu));
}

// A collection with items that is not a page control's.
QWidget* openCollection(const TDesignDialogSubjects& subjects) {
    TQzCollection* collection = nullptr;
    firstComponent(subjects, QStringLiteral("collection"), [&](TComponent* c) {
        if (qobject_cast<TQzCustomPageControl*>(c))
            return false;
        for (TQzCollection* held : c->findChildren<TQzCollection*>(Qt::FindDirectChildrenOnly))
            if (held->Count() > 0 && !collection)
                collection = held;
        return collection != nullptr;
    });
    return TFrCollection::ShowCollectionEditor(
        collection, designerOf(static_cast<TComponent*>(collection->GetOwner())), false);
}

QWidget* openCollPageControl(const TDesignDialogSubjects& subjects) {
    auto* control = static_cast<TQzCustomPageControl*>(
        firstComponent(subjects, QStringLiteral("page control"),
                       [](TComponent* c) { return qobject_cast<TQzPageControl*>(c) != nullptr; }));
    return TFrCollection::ShowCollectionEditor(control->Tabs(), designerOf(control), true);
}

QWidget* openRichEdit(const TDesignDialogSubjects& subjects) {
    auto* edit = static_cast<TQzCustomRichEditOle*>(
        firstComponent(subjects, QStringLiteral("rich edit"),
                       [](TComponent* c) { return qobject_cast<TQzRichEdit*>(c) != nullptr; }));
    TFrRichEdit dialog;
    dialog.SetComponent(edit);
    dialog.Execute();
    return nullptr;
}

// ---- Images: the first package with pictures, and its first picture with a mask (else any)

TQzPkgImages* firstImages() {
    TQzPkgImages* first = firstPackage<TQzPkgImages>(TQzPkgKind::Images);
    for (bool system : {false, true})
        for (TQzPkgImages* pkg : QzPkgImagesAll())
            if (pkg->Images()->Count() > 0 &&
                (pkg->GetPkgName().compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0) ==
                    system)
                return pkg;
    return first;
}

TQzPkgImagesImage* firstPicture() {
    TQzPkgImagesImage* any = nullptr;
    for (TQzPkgImages* pkg : QzPkgImagesAll())
        for (int i = 0; i < pkg->Images()->Count(); ++i) {
            TQzPkgImagesImage* image = pkg->Images()->GetItems(i);
            if (image->Empty())
                continue;
            if (image->GetExternalMask() || image->GetInternalMask())
                return image;
            if (!any)
                any = image;
        }
    if (!any)
        QzExcept(QStringLiteral("No images package of the open designs has a picture"));
    return any;
}

QWidget* openPkgImages(const TDesignDialogSubjects&) {
    TFrPkgImages editor;
    editor.Package = firstImages();
    editor.Execute();
    return nullptr;
}

QWidget* openImageAdd(const TDesignDialogSubjects&) {
    TQzPkgImagesImage* image = firstPicture();
    TFrMemoryImageAdd dialog;
    dialog.setWindowTitle(QStringLiteral("Modify Image"));
    dialog.Package = qobject_cast<TQzPkgImages*>(
        qobject_cast<const TQzPkgData*>(image->Collection()->GetOwner())->Package());
    dialog.Id = image->Id();
    dialog.ModifyMode = true;
    dialog.Execute();
    return nullptr;
}

// The month names of the first language package, as the locale dialog has them edited.
QWidget* openMultiLine(const TDesignDialogSubjects&) {
    const auto* language = firstPackage<TQzPkgLanguage>(TQzPkgKind::Language);
    TFrMultiLine dialog;
    QString result;
    dialog.Execute(QStringLiteral("Month Names"),
                   language->Locale()->MonthLongNames().join(QStringLiteral("\r\n")), result);
    return nullptr;
}

QWidget* openDesignRgn(const TDesignDialogSubjects&) {
    TFrDesignRgn designer;
    designer.Image = firstPicture();
    designer.Execute();
    return nullptr;
}

QWidget* openImportImages(const TDesignDialogSubjects&) {
    TFrImportImages dialog;
    dialog.TargetPkg = firstImages();
    for (TQzPkgImages* pkg : QzPkgImagesAll())
        if (pkg->IsFileStored() && !pkg->FileName().isEmpty()) {
            TFrImportImages::RememberedFile() = pkg->GetFileName(pkg->FileName());
            break;
        }
    dialog.Execute();
    return nullptr;
}

QWidget* openImportDlg(const TDesignDialogSubjects&) {
    TFrImportDlg dialog;
    dialog.EdId()->setText(QString::number(firstImages()->Images()->UniqueId()));
    dialog.ShowModal();
    return nullptr;
}

// ---- The vars package editor: on the first vars package that holds something

TQzPkgVars* firstVars() {
    for (TQzPkgVars* pkg : QzPkgVarsAll())
        if (pkg->Items()->Count() > 0)
            return pkg;
    return firstPackage<TQzPkgVars>(TQzPkgKind::Vars);
}

QWidget* openPkgVars(const TDesignDialogSubjects&) {
    TFrPkgVars editor;
    editor.Pkg = firstVars();
    editor.Execute();
    return nullptr;
}

// The first variable of that package, in tree order.
QWidget* openPkgVarsModify(const TDesignDialogSubjects&) {
    std::function<TQzPkgVarsItem*(const TQzPkgVarsItems*)> first =
        [&](const TQzPkgVarsItems* items) -> TQzPkgVarsItem* {
        for (int i = 0; i < items->Count(); ++i) {
            TQzPkgVarsItem* item = items->GetItems(i);
            if (!item->IsFolder())
                return item;
            if (TQzPkgVarsItem* inner = first(item->Children()))
                return inner;
        }
        return nullptr;
    };
    const TQzPkgVarsItem* item = first(firstVars()->Items());
    if (!item)
        QzExcept(QStringLiteral("The vars packages of the open designs hold no variable"));
    TFrPkgVarsModify dialog;
    dialog.Execute(item->Ident(), QzPkgVarsValueText(item), item->ItemType());
    return nullptr;
}

// ---- The mask designer: on the first mask it opens on

QWidget* openMask(const TDesignDialogSubjects& subjects) {
    TFrMask designer;
    designer.Mask = firstReference<TQzMask>(subjects, [](const TQzMask* mask) {
        return mask->DataType() != dtOther && mask->DataType() != dtMemo;
    });
    designer.Execute();
    return nullptr;
}

QWidget* openMaskExamples(const TDesignDialogSubjects&) {
    TFrMaskExamples dialog;
    dialog.Execute();
    return nullptr;
}

// ---- The strings package editor and its translators: on a package kept in a form, so that
// nothing is written; a translator beside the first strings package file of the folder.

TQzPkgStrings* firstStringsInForm() {
    for (TQzPkgStrings* pkg : QzPkgStringsAll())
        if (!QzStringsSavedToOwnFile(*pkg) && !qobject_cast<TQzPkgLanguage*>(pkg->Owner()))
            return pkg;
    QzExcept(QStringLiteral("The open designs have no strings package kept in a form"));
}

QWidget* openPkgStrings(const TDesignDialogSubjects&) {
    TFrPkgStrings editor;
    editor.Pkg = firstStringsInForm();
    editor.Execute();
    return nullptr;
}

QString firstStringsFile() {
    const QStringList files =
        QDir(QzAppPath()).entryList({QStringLiteral("*.pst")}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QString() : QzAppPath() + files.first();
}

template <typename TTranslator>
QWidget* openTranslator(const TDesignDialogSubjects&) {
    TTranslator translator;
    translator.Pkg = firstStringsInForm();
    translator.LanguageFile = firstStringsFile();
    translator.Execute();
    return nullptr;
}

// Adding the first item of the package's list, beside the same item of the first file.
template <typename TAdd>
QWidget* openTranslatorAdd(TQzPkgItemList* (*list)(TQzPkgStrings&)) {
    TQzPkgStrings* pkg = firstStringsInForm();
    TQzPkgStrings reference;
    if (const QString file = firstStringsFile(); !file.isEmpty())
        reference.LoadFromFile(file);
    TQzPkgItemList* items = list(*pkg);
    const int id = items->Count() > 0 ? items->GetItems(0)->Id() : 0;
    TAdd dialog;
    dialog.SetId(id);
    dialog.SetReference(list(reference)->FindId(id));
    dialog.SetCurrent(nullptr);
    dialog.Execute();
    return nullptr;
}

TQzPkgItemList* labelsOf(TQzPkgStrings& pkg) {
    return pkg.Labels();
}

TQzPkgItemList* messagesOf(TQzPkgStrings& pkg) {
    return pkg.Messages();
}

TQzPkgItemList* textsOf(TQzPkgStrings& pkg) {
    return pkg.Texts();
}

// ---- Display sets: the application's display package, a changed set of each kind

template <typename TEditor>
QWidget* openSetsEditor(const TDesignDialogSubjects&) {
    TEditor editor;
    editor.SetApplication(&QzCAppRequired());
    editor.Execute();
    return nullptr;
}

// The first set of the kind that names an image (the background's preview shows it), else the
// first one.
template <typename TAdd>
QWidget* openSetsAdd(const TDesignDialogSubjects&) {
    TQzCApplication& app = QzCAppRequired();
    TAdd dialog;
    const TQzPkgDisplaySets* sets = dialog.Kind().Sets(*app.PkgDisplay());
    if (sets->Count() == 0)
        QzExcept(QStringLiteral("The display package has no %1").arg(sets->What()));
    dialog.Item = sets->GetItems(0);
    for (int i = 0; i < sets->Count(); ++i)
        if (const auto* back = qobject_cast<TQzPkgDisplaySetBackGround*>(sets->GetItems(i));
            back && back->Image()->Defined()) {
            dialog.Item = sets->GetItems(i);
            break;
        }
    dialog.setWindowTitle(QStringLiteral("Modify ") + dialog.Kind().What);
    dialog.ModifyMode = true;
    dialog.App = &app;
    dialog.Execute();
    return nullptr;
}

// ---- Privileges: the application's privileges package

QWidget* openPrivileges(const TDesignDialogSubjects&) {
    TFrPrivileges editor;
    editor.Pkg = QzCAppRequired().Privileges();
    editor.Execute();
    return nullptr;
}

QWidget* openPrivilege(const TDesignDialogSubjects& subjects) {
    TFrPrivilege picker;
    picker.Pkg = QzCAppRequired().Privileges();
    picker.SetReference(namedReference<TQzPrivilege>(subjects));
    picker.Execute();
    return nullptr;
}

QWidget* openPrivilegesAdd(const TDesignDialogSubjects&) {
    TQzPkgPrivileges* pkg = QzCAppRequired().Privileges();
    if (pkg->Count() == 0)
        QzExcept(QStringLiteral("The application's privileges package is empty"));
    TFrPrivilegesAdd dialog;
    dialog.setWindowTitle(QStringLiteral("Modify Privilege"));
    dialog.Execute(pkg, pkg->GetItems(0));
    return nullptr;
}

} // namespace

const std::vector<TDesignDialogClassInfo>& QzDialogTable() {
    static const std::vector<TDesignDialogClassInfo> table{
        pickerRow<TFrMemoryLabel, TQzMemoryLabel>("TFrMemoryLabel"),
        pickerRow<TFrMemoryMessage, TQzMemoryMessage>("TFrMemoryMessage"),
        pickerRow<TFrMemoryText, TQzMemoryText>("TFrMemoryText"),
        row("TFrMemoryLabelAdd", openLabelAdd),
        row("TFrMemoryMessageAdd",
            [](const TDesignDialogSubjects&) {
                return openTextAdd<TFrMemoryMessageAdd>(&TQzPkgStrings::Messages);
            }),
        row("TFrMemoryTextAdd",
            [](const TDesignDialogSubjects&) {
                return openTextAdd<TFrMemoryTextAdd>(&TQzPkgStrings::Texts);
            }),
        row("TFrMemoryLabelAddMultiLine", openLabelMultiLine),
        row("TFrManager", openManager),
        row("TFrManagerPkgs", openManagerPkgs),
        row("TFrManagerRepl", openManagerRepl),
        row("TFrManagerProgress", openManagerProgress),
        row("TFrPkgSynchronizer", openSynchronizer),
        row("TFrPkgLoadSave", openLoadSave),
        row("TFrOpenFiles", openFiles),
        row("TFrUpdateSystemStrings", openUpdate<TFrUpdateSystemStrings>),
        row("TFrUpdateSystemImages", openUpdate<TFrUpdateSystemImages>),
        row("TFrPkgActive", openActive),
        pickerRow<TFrMemoryImage, TQzMemoryImage>("TFrMemoryImage"),
        row("TFrMemoryImageAdd", openImageAdd),
        row("TFrPkgImages", openPkgImages),
        row("TFrImportImages", openImportImages),
        row("TFrImportDlg", openImportDlg),
        row("TFrDesignRgn", openDesignRgn),
        row("TFrPkgVars", openPkgVars),
        row("TFrPkgVarsModify", openPkgVarsModify),
        row("TFrMask", openMask),
        row("TFrMaskExamples", openMaskExamples),
        row("TFrPkgStrings", openPkgStrings),
        row("TFrPkgStringsLabelsTranslator", openTranslator<TFrPkgStringsLabelsTranslator>),
        row("TFrPkgStringsMessagesTranslator", openTranslator<TFrPkgStringsMessagesTranslator>),
        row("TFrPkgStringsTextsTranslator", openTranslator<TFrPkgStringsTextsTranslator>),
        row("TFrPkgStringsLabelsTranslatorAdd",
            [](const TDesignDialogSubjects&) {
                return openTranslatorAdd<TFrPkgStringsLabelsTranslatorAdd>(labelsOf);
            }),
        row("TFrPkgStringsMessagesTranslatorAdd",
            [](const TDesignDialogSubjects&) {
                return openTranslatorAdd<TFrPkgStringsMessagesTranslatorAdd>(messagesOf);
            }),
        row("TFrPkgStringsTextsTranslatorAdd",
            [](const TDesignDialogSubjects&) {
                return openTranslatorAdd<TFrPkgStringsTextsTranslatorAdd>(textsOf);
            }),
        row("TFrSetsColor", openSetsEditor<TFrSetsColor>),
        row("TFrSetsFont", openSetsEditor<TFrSetsFont>),
        row("TFrSetsBackGround", openSetsEditor<TFrSetsBackGround>),
        row("TFrSetsColorAdd", openSetsAdd<TFrSetsColorAdd>),
        row("TFrSetsFontAdd", openSetsAdd<TFrSetsFontAdd>),
        row("TFrSetsBackGroundAdd", openSetsAdd<TFrSetsBackGroundAdd>),
        pickerRow<TFrSetColor, TQzSetColor>("TFrSetColor"),
        pickerRow<TFrSetFont, TQzSetFont>("TFrSetFont"),
        pickerRow<TFrSetBackGround, TQzSetBackGround>("TFrSetBackGround"),
        row("TFrPrivileges", openPrivileges),
        row("TFrPrivilegesAdd", openPrivilegesAdd),
        row("TFrPrivilege", openPrivilege),
        row("TFrMenus", openMenus),
        row("TFrCollection", openCollection),
        row("TFrCollPageControl", openCollPageControl),
        row("TFrRichEdit", openRichEdit),
        row("TFrMultiLine", openMultiLine),
    };
    return table;
}

const std::vector<TDesignToolInfo>& QzToolTable() {
    static const std::vector<TDesignToolInfo> table = [] {
        std::vector<TDesignToolInfo> tools;
        for (TQzDlgManager kind : {dlmLabels, dlmMessages, dlmTexts, dlmImages, dlmSetsColor,
                                   dlmSetsFont, dlmSetsBackGround, dlmPrivileges})
            tools.push_back({QStringLiteral("Packages Manager"), QzDlgManagerName(kind) + "...",
                             [kind](const TDesignDialogSubjects&) {
                                 runManager(kind);
                             }});
        return tools;
    }();
    return table;
}
