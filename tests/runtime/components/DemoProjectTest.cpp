// The example project a new user opens first (examples/Demo): its forms read into components
// together with their packages, every reference in them finds what it names, the units declare
// what the forms hold, and each form survives the trips between its stored formats unchanged.

#include "ComponentStreams.h"
#include "Controls.h"
#include "ObjectStreams.h"
#include "QzCApplication.h"
#include "QzContainers.h"
#include "QzData.h"
#include "QzMenus.h"
#include "QzNonVisual.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "TextForm.h"

#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// Lists compared as sorted text, so that a failure shows readable names.
std::string sorted(QStringList list) {
    list.sort();
    return list.join(QStringLiteral(", ")).toStdString();
}
std::string sorted(const QSet<QString>& set) {
    return sorted(QStringList(set.begin(), set.end()));
}

QString demoFile(const QString& name) {
    return QDir(QStringLiteral(QZ_DEMO_DIR)).filePath(name);
}

QByteArray readDemoFile(const QString& name) {
    QFile file(demoFile(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// A unit with a form, as the project's uses clause lists it: Name in 'Name.pas' {FormName}.
struct TProjectUnit {
    QString Unit;
    QString Source;
    QString FormName;
    QString FormFile() const { return QString(Source).replace(QStringLiteral(".pas"), ".dfm"); }
};

std::vector<TProjectUnit> projectUnits() {
    const QString dpr = QString::fromUtf8(readDemoFile(QStringLiteral("Demo.dpr")));
    const QRegularExpression usesClause(QStringLiteral(R"(\buses\b(.*?);)"),
                                        QRegularExpression::DotMatchesEverythingOption);
    const QString uses = usesClause.match(dpr).captured(1);
    const QRegularExpression entry(QStringLiteral(R"((\w+)\s+in\s+'([^']+)'\s*\{(\w+)\})"));
    std::vector<TProjectUnit> units;
    for (const QRegularExpressionMatch& m : entry.globalMatch(uses))
        units.push_back({m.captured(1), m.captured(2), m.captured(3)});
    return units;
}

// What a unit's form class declares: its ancestor, its component fields (name -> class) and
// the event handlers the designer added.
struct TFormClass {
    QString Ancestor;
    QMap<QString, QString> Fields;
    QStringList Handlers;
};

TFormClass formClassOf(const QString& source, const QString& className) {
    TFormClass declared;
    const QStringList lines = source.split(u'\n');
    const QRegularExpression head(QStringLiteral(R"(^\s*%1\s*=\s*class\((\w+)\))").arg(className));
    const QRegularExpression field(QStringLiteral(R"(^\s*(\w+)\s*:\s*(\w+);)"));
    const QRegularExpression handler(
        QStringLiteral(R"(^\s*procedure\s+(\w+)\s*\(\s*Sender\s*:\s*TObject\s*\);)"));
    const QRegularExpression sectionEnd(QStringLiteral(R"(^\s*(private|protected|public|end;))"));
    bool inside = false;
    for (const QString& line : lines) {
        if (!inside) {
            const QRegularExpressionMatch m = head.match(line);
            inside = m.hasMatch();
            declared.Ancestor = m.captured(1);
            continue;
        }
        if (sectionEnd.match(line).hasMatch())
            break;
        if (const QRegularExpressionMatch m = field.match(line); m.hasMatch())
            declared.Fields.insert(m.captured(1), m.captured(2));
        else if (const QRegularExpressionMatch h = handler.match(line); h.hasMatch())
            declared.Handlers.push_back(h.captured(1));
    }
    return declared;
}

// Event handler names a form file binds ("OnClick = BtSaveClick").
QStringList handlersOf(const TFormObject& object) {
    QStringList names;
    for (const TFormProperty& p : object.Properties)
        if (p.Name.startsWith(QStringLiteral("On")) && p.Value.kind == TFormValue::Ident &&
            !names.contains(p.Value.Str))
            names.push_back(p.Value.Str);
    for (const TFormObject& child : object.Children)
        for (const QString& name : handlersOf(child))
            if (!names.contains(name))
                names.push_back(name);
    return names;
}

struct TDemoForm {
    TProjectUnit Unit;
    QByteArray Stored;
    QByteArray Text;
    TFormObject Object;
    std::unique_ptr<TComponent> Root;
};

// Every reference of the forms and package contents, checked against the loaded packages; the
// names met show which packages the demo draws on.
struct TReferenceCheck {
    QStringList Problems;
    QSet<QString> StringPackages;
    QSet<QString> ImagePackages;
    QSet<QString> Kinds;

    void checkLabel(const QString& where, const TQzMemoryRef& ref, const QString& kind) {
        const TQzPkgStrings* pkg = QzFindPkgStrings(ref.ItemPkgName());
        bool found = false;
        if (pkg && kind == u"label")
            found = pkg->Labels()->FindId(ref.ItemId()) != nullptr;
        else if (pkg && kind == u"message")
            found = pkg->Messages()->FindId(ref.ItemId()) != nullptr;
        else if (pkg)
            found = pkg->Texts()->FindId(ref.ItemId()) != nullptr;
        if (!found)
            Problems.push_back(QStringLiteral("%1: no %2 %3 in strings package \"%4\"")
                                   .arg(where, kind)
                                   .arg(ref.ItemId())
                                   .arg(ref.ItemPkgName()));
        StringPackages.insert(ref.ItemPkgName());
        Kinds.insert(kind);
    }

    void checkImage(const QString& where, const TQzMemoryImage& ref) {
        const TQzPkgImages* pkg = QzFindPkgImages(ref.ItemPkgName());
        const TQzPkgImagesImage* image = pkg ? pkg->Images()->FindId(ref.ItemId()) : nullptr;
        if (!image || image->Empty())
            Problems.push_back(QStringLiteral("%1: no picture %2 in images package \"%3\"")
                                   .arg(where)
                                   .arg(ref.ItemId())
                                   .arg(ref.ItemPkgName()));
        ImagePackages.insert(ref.ItemPkgName());
    }

    void checkSet(const QString& where, const TQzSetRef& ref) {
        const TQzPkgDisplay* display = QzCApp() ? QzCApp()->PkgDisplay() : nullptr;
        const QString name = ref.SetNameResolved();
        bool found = false;
        if (display && qobject_cast<const TQzSetColor*>(&ref))
            found = display->SetsColor()->Find(name);
        else if (display && qobject_cast<const TQzSetFont*>(&ref))
            found = display->SetsFont()->Find(name);
        else if (display)
            found = display->SetsBackGround()->Find(name);
        if (!found)
            Problems.push_back(QStringLiteral("%1: no %2 set \"%3\" in the display package")
                                   .arg(where, ref.ClassName(), name));
        Kinds.insert(ref.ClassName());
    }

    // True when `object` is a reference (checked when it names something).
    bool checkReference(const QString& where, QObject* object) {
        if (auto* ref = qobject_cast<TQzMemoryRef*>(object)) {
            if (ref->ItemId() < 0)
                return true;
            if (auto* image = qobject_cast<TQzMemoryImage*>(ref))
                checkImage(where, *image);
            else if (qobject_cast<TQzMemoryMessage*>(ref))
                checkLabel(where, *ref, QStringLiteral("message"));
            else if (qobject_cast<TQzMemoryText*>(ref))
                checkLabel(where, *ref, QStringLiteral("text"));
            else
                checkLabel(where, *ref, QStringLiteral("label"));
            return true;
        }
        if (auto* set = qobject_cast<TQzSetRef*>(object)) {
            if (!set->Name().isEmpty())
                checkSet(where, *set);
            return true;
        }
        if (auto* privilege = qobject_cast<TQzPrivilege*>(object)) {
            if (privilege->Defined() && !privilege->Info())
                Problems.push_back(QStringLiteral("%1: no privilege %2 in the privileges package")
                                       .arg(where)
                                       .arg(privilege->Id()));
            if (privilege->Defined())
                Kinds.insert(QStringLiteral("privilege"));
            return true;
        }
        return false;
    }

    // Sub-objects and collection items; components are walked on their own.
    void walk(const QString& where, QObject* object) {
        const QMetaObject* meta = object->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            if (!(prop.metaType().flags() & QMetaType::PointerToQObject))
                continue;
            QObject* sub = prop.read(object).value<QObject*>();
            if (!sub || qobject_cast<TComponent*>(sub))
                continue;
            const QString path = where + u'.' + QLatin1StringView(prop.name());
            if (checkReference(path, sub))
                continue;
            if (auto* collection = qobject_cast<TCollection*>(sub)) {
                for (int item = 0; item < collection->Count(); ++item)
                    walk(QStringLiteral("%1[%2]").arg(path).arg(item), collection->Items(item));
            } else {
                walk(path, sub);
            }
        }
    }
};

class DemoProject : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        // Forms find their file-stored packages in the project's folder.
        QzSetAppPath(QStringLiteral(QZ_DEMO_DIR));
        for (const TProjectUnit& unit : projectUnits()) {
            TDemoForm form{unit, readDemoFile(unit.FormFile()), {}, {}, {}};
            form.Text = FormFileToText(form.Stored);
            form.Object = ReadTextForm(form.Text);
            FForms.push_back(std::move(form));
        }
    }

    void TearDown() override {
        // The main form owns the application and the shared packages: it goes last.
        for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
            it->Root.reset();
        QzSetAppPath(QString());
    }

    // Reads every form into a component of its unit's ancestor class, the main form first.
    void readForms() {
        for (TDemoForm& form : FForms) {
            const QString source = QString::fromUtf8(readDemoFile(form.Unit.Source));
            const TFormClass declared = formClassOf(source, form.Object.ClassName);
            TClass ancestor = GetClass(declared.Ancestor);
            ASSERT_NE(ancestor, nullptr) << form.Unit.Source.toStdString();
            form.Root.reset(static_cast<TComponent*>(ancestor->Create(nullptr)));
            try {
                ReadComponent(form.Object, form.Root.get());
            } catch (const Exception& e) {
                FAIL() << form.Unit.FormFile().toStdString() << ": " << e.what();
            }
        }
    }

    TComponent* root(const char* formName) const {
        for (const TDemoForm& form : FForms)
            if (form.Unit.FormName == QLatin1StringView(formName))
                return form.Root.get();
        return nullptr;
    }

    std::vector<TDemoForm> FForms;
};

} // namespace

TEST_F(DemoProject, ProjectListsEveryFormOfItsFolderInBothStoredForms) {
    ASSERT_EQ(FForms.size(), 5u);
    EXPECT_EQ(FForms.front().Unit.FormName.toStdString(), "FrmMain");
    QStringList listed;
    std::set<TFormFileFormat> formats;
    for (const TDemoForm& form : FForms) {
        EXPECT_TRUE(QFile::exists(demoFile(form.Unit.Source))) << form.Unit.Source.toStdString();
        EXPECT_EQ(form.Object.Name.toStdString(), form.Unit.FormName.toStdString());
        // The form class is the unit's: TFrmMain for FrmMain.
        EXPECT_EQ(form.Object.ClassName.toStdString(), "T" + form.Unit.FormName.toStdString());
        formats.insert(DetectFormFileFormat(form.Stored));
        listed.push_back(form.Unit.FormFile());
    }
    EXPECT_EQ(formats, (std::set{TFormFileFormat::Text, TFormFileFormat::Resource}));
    EXPECT_EQ(
        sorted(QDir(QStringLiteral(QZ_DEMO_DIR)).entryList({QStringLiteral("*.dfm")}, QDir::Files)),
        sorted(listed));
}

TEST_F(DemoProject, FormsTravelBetweenStoredFormatsUnchanged) {
    for (const TDemoForm& form : FForms) {
        SCOPED_TRACE(form.Unit.FormFile().toStdString());
        const std::string text = form.Text.toStdString();
        EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(form.Text)).toStdString(), text);
        EXPECT_EQ(ObjectResourceToText(ObjectTextToResource(form.Text)).toStdString(), text);
        // Stored as the converters write them, so a round trip gives back the same bytes.
        EXPECT_TRUE(TextToFormFile(form.Text, DetectFormFileFormat(form.Stored)) == form.Stored);
    }
}

TEST_F(DemoProject, FormsReadIntoComponentsAndWriteBackAsStored) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    for (const TDemoForm& form : FForms) {
        SCOPED_TRACE(form.Unit.FormFile().toStdString());
        ASSERT_NE(form.Root, nullptr);
        // Nothing the forms hold is lost or added by the component model.
        TFormObject written = ComponentToFormObject(form.Root.get());
        written.ClassName = form.Object.ClassName;
        EXPECT_EQ(WriteTextForm(written).toStdString(), form.Text.toStdString());
    }
}

TEST_F(DemoProject, UnitsDeclareTheComponentsAndHandlersOfTheirForms) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    for (const TDemoForm& form : FForms) {
        SCOPED_TRACE(form.Unit.Source.toStdString());
        const TFormClass declared =
            formClassOf(QString::fromUtf8(readDemoFile(form.Unit.Source)), form.Object.ClassName);
        QStringList fields;
        for (auto it = declared.Fields.cbegin(); it != declared.Fields.cend(); ++it)
            fields.push_back(it.key() + QStringLiteral(": ") + it.value());
        QStringList components;
        for (TComponent* component : form.Root->ComponentList())
            components.push_back(component->Name() + QStringLiteral(": ") + component->ClassName());
        EXPECT_EQ(sorted(fields), sorted(components));
        EXPECT_EQ(sorted(declared.Handlers), sorted(handlersOf(form.Object)));
    }
}

TEST_F(DemoProject, PackagesComeFromTheirFilesAndTheForms) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    TQzCApplication* app = QzCApp();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->Owner(), root("FrmMain"));
    // A file-stored package that failed to load would be empty rather than refuse the form.
    EXPECT_TRUE(app->PkgDisplay()->IsFileStored());
    EXPECT_EQ(app->PkgDisplay()->SetsBackGround()->Count(), 3);
    EXPECT_EQ(app->PkgDisplay()->SystemImages()->Images()->Count(), 8);
    EXPECT_EQ(app->PkgDisplay()->UserImages()->Images()->Count(), 2);
    EXPECT_TRUE(app->PkgLanguage()->IsFileStored());
    EXPECT_GT(app->PkgLanguage()->SystemStrings()->Messages()->Count(), 10);
    const TQzPkgStringsLabel* ok = app->PkgLanguage()->SystemStrings()->Labels()->FindId(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->Protected);
    EXPECT_EQ(app->Privileges()->Count(), 4);
    ASSERT_NE(app->Privileges()->FindId(1), nullptr);
    EXPECT_EQ(app->Privileges()->FindId(1)->DescriptionText().toStdString(), "Edit customers");
    // Setup and vars travel inside the main form.
    EXPECT_FALSE(app->PkgVars()->IsFileStored());
    ASSERT_NE(app->PkgVars()->Find(QStringLiteral("Orders\\Currency")), nullptr);
    EXPECT_EQ(app->PkgVars()->Find(QStringLiteral("Orders\\Currency"))->VString().toStdString(),
              "EUR");
    EXPECT_EQ(app->PkgSetup()->DataBase()->DateFormat(), dfYMD);

    TQzPkgStrings* common = QzFindPkgStrings(QStringLiteral("Common"));
    ASSERT_NE(common, nullptr);
    EXPECT_TRUE(common->IsFileStored());
    ASSERT_NE(common->Labels()->FindId(1), nullptr);
    EXPECT_EQ(common->Labels()->FindId(1)->Text().toStdString(), "Customer");
    TQzPkgStrings* orders = QzFindPkgStrings(QStringLiteral("Orders"));
    ASSERT_NE(orders, nullptr);
    EXPECT_FALSE(orders->IsFileStored());
    EXPECT_EQ(orders->Owner(), root("FrmOrders"));
    ASSERT_NE(orders->Texts()->FindId(1), nullptr);
    EXPECT_EQ(orders->Texts()->FindId(1)->Text().count(u'\n'), 2);
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("System")), app->PkgLanguage()->SystemStrings());
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("User")), app->PkgLanguage()->UserStrings());
    TQzPkgImages* icons = QzFindPkgImages(QStringLiteral("Icons"));
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->Images()->Count(), 8);
}

TEST_F(DemoProject, EveryReferenceFindsWhatItNames) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    TReferenceCheck check;
    for (const TDemoForm& form : FForms)
        for (TComponent* component : form.Root->ComponentList())
            check.walk(form.Unit.FormName + u'.' + component->Name(), component);
    // Package contents refer too: privilege descriptions, the background set's image.
    for (TQzPkgInfo* pkg : QzAllPackages())
        check.walk(pkg->GetPkgName(), pkg->Data());
    // Components that name a package rather than an item of one.
    for (const TDemoForm& form : FForms) {
        for (TComponent* component : form.Root->ComponentList()) {
            const QString where = form.Unit.FormName + u'.' + component->Name();
            if (auto* cform = qobject_cast<TQzCCustomForm*>(component)) {
                if (!cform->FPkgVars.isEmpty() && !QzFindPkgVars(cform->FPkgVars))
                    check.Problems.push_back(where + QStringLiteral(": no vars package ") +
                                             cform->FPkgVars);
            } else if (!qobject_cast<TQzPkgInfo*>(component)) {
                const QVariant name = component->property("PkgName");
                if (name.isValid() && !QzFindPkgImages(name.toString()))
                    check.Problems.push_back(where + QStringLiteral(": no images package ") +
                                             name.toString());
            }
        }
    }
    // And the units' message boxes.
    const QRegularExpression messageBox(QStringLiteral(R"(QzMsgPkg\(\w+,\s*'(\w+)',\s*(\d+))"));
    for (const TDemoForm& form : FForms) {
        const QString source = QString::fromUtf8(readDemoFile(form.Unit.Source));
        for (const QRegularExpressionMatch& m : messageBox.globalMatch(source)) {
            TQzMemoryMessage message;
            message.PkgId(m.captured(1), m.captured(2).toInt());
            check.checkReference(form.Unit.Source, &message);
        }
    }
    EXPECT_EQ(check.Problems.join(u'\n').toStdString(), "");

    // The demo shows every kind of reference, into every kind of package.
    EXPECT_EQ(sorted(check.StringPackages), "Common, Orders, System, User");
    EXPECT_EQ(sorted(check.ImagePackages), "Icons, System, User");
    EXPECT_EQ(sorted(check.Kinds),
              "TQzSetBackGround, TQzSetColor, TQzSetFont, label, message, privilege, text");
}

TEST_F(DemoProject, DataControlsNameFieldsOfTheirDataSets) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    QSet<QString> bound;
    for (const TDemoForm& form : FForms) {
        for (TComponent* component : form.Root->ComponentList()) {
            const QMetaObject* meta = component->metaObject();
            const int field = meta->indexOfProperty("DataField");
            if (field < 0)
                continue;
            SCOPED_TRACE(component->Name().toStdString());
            auto* source = meta->property(meta->indexOfProperty("DataSource"))
                               .read(component)
                               .value<TDataSource*>();
            ASSERT_NE(source, nullptr);
            ASSERT_NE(source->DataSet(), nullptr);
            const QStringList fields =
                source->DataSet()->GetFieldNames() + source->DataSet()->GetAggregateFieldNames();
            const QString name = meta->property(field).read(component).toString();
            EXPECT_TRUE(fields.contains(name))
                << name.toStdString() << " is not one of " << sorted(fields);
            bound.insert(component->ClassName());
        }
    }
    // Every data control of the library is on the customers form.
    EXPECT_EQ(sorted(bound),
              "TQzDbCheckBox, TQzDbComboBox, TQzDbEdit, TQzDbFocusImage, TQzDbImage, TQzDbLabel, "
              "TQzDbListBox, TQzDbMemo, TQzDbPageControl, TQzDbPkgImage, TQzDbRadioGroup, "
              "TQzDbRichEdit");
}

TEST_F(DemoProject, ContainersLinkTheirParts) {
    ASSERT_NO_FATAL_FAILURE(readForms());
    int pageControls = 0;
    for (const TDemoForm& form : FForms) {
        for (TComponent* component : form.Root->ComponentList()) {
            SCOPED_TRACE(component->Name().toStdString());
            if (auto* pages = qobject_cast<TQzCustomPageControl*>(component)) {
                // Each tab shows the sheet with its page id.
                ASSERT_EQ(pages->TabSheets().size(), pages->Tabs()->Count());
                for (int i = 0; i < pages->Tabs()->Count(); ++i) {
                    TQzTabSheet* sheet = pages->FindTabSheet(pages->GetTab(i)->PageId());
                    ASSERT_NE(sheet, nullptr);
                    EXPECT_EQ(sheet->GetTab(), pages->GetTab(i));
                }
                ++pageControls;
            } else if (auto* bar = qobject_cast<TQzOutLookBar*>(component)) {
                EXPECT_EQ(bar->Pages().size(), 3);
                EXPECT_TRUE(bar->Pages().contains(bar->ActivePage()));
            } else if (auto* menu = qobject_cast<TQzMainMenu*>(component)) {
                EXPECT_TRUE(menu->ValidAssignWindowsList(menu->WindowsList()));
                // Sub-menus nest two deep (File > New > Customer).
                EXPECT_EQ(menu->Items()->Items(0)->Items(0)->Items(0)->Name().toStdString(),
                          "MnNewCustomer");
            }
        }
    }
    EXPECT_EQ(pageControls, 2);
}
