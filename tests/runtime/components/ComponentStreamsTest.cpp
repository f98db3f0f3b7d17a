// Every component class of the library through the form streams: created, given a value other
// than its default in every property a designer can set, written to form text and read back.

#include "ComponentStreams.h"
#include "Controls.h"
#include "QzComponents.h"
#include "QzGraphicsBase.h"
#include "QzRefs.h"
#include "QzRuntime.h"
#include "Strings.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool isObject(const QMetaProperty& prop) {
    return (prop.metaType().flags() & QMetaType::PointerToQObject) && prop.metaType().metaObject();
}

QVariant changedValue(const QMetaProperty& prop, const QVariant& current) {
    if (prop.isEnumType()) {
        const QMetaEnum e = prop.enumerator();
        if (!e.isFlag())
            return e.value(e.keyCount() - 1);
        int bits = 0;
        for (int i = 0; i < e.keyCount(); ++i)
            bits |= e.value(i);
        return bits;
    }
    if (IsEventType(prop.metaType())) {
        QVariant method = QVariant::fromValue(TMethod{QStringLiteral("C1%1").arg(prop.name())});
        method.convert(prop.metaType());
        return method;
    }
    switch (prop.metaType().id()) {
    case QMetaType::Bool:
        return !current.toBool();
    case QMetaType::Int:
        return current.toInt() + 3;
    case QMetaType::Double:
        return current.toDouble() + 1.5;
    case QMetaType::QString:
        return current.toString() + QStringLiteral("X");
    case QMetaType::QStringList:
        return QStringList{QStringLiteral("Total=SUM(Amount)")};
    case QMetaType::QByteArray:
        return QByteArray("\x01\x02\x03", 3);
    case QMetaType::QVariant:
        return QVariant(QStringLiteral(u"Wert ä"));
    default:
        return {};
    }
}

// Sets what a designer could set; a setter that refuses a value leaves the property as it is.
void fill(QObject* object) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (isObject(prop)) {
            QObject* sub = prop.read(object).value<QObject*>();
            if (auto* ref = qobject_cast<TQzMemoryRef*>(sub))
                ref->PkgId(QStringLiteral("Main"), 7);
            else if (auto* strings = qobject_cast<TStrings*>(sub))
                strings->Add(QStringLiteral("first line"));
            else if (auto* collection = qobject_cast<TCollection*>(sub))
                fill(collection->Add());
            else if (auto* component = qobject_cast<TComponent*>(sub)) {
                if ((component->ComponentState() & csSubComponent) && component->Owner() == object)
                    fill(component);
            } else if (sub)
                fill(sub);
            continue;
        }
        if (!prop.isWritable() || !prop.isStored())
            continue;
        const QVariant value = changedValue(prop, prop.read(object));
        if (!value.isValid())
            continue;
        try {
            prop.write(object, value);
        } catch (const Exception&) {
        }
    }
}

bool isRoot(TClass cls) {
    return cls->Meta->inherits(&TCustomForm::staticMetaObject) ||
           cls->Meta->inherits(&TFrame::staticMetaObject) ||
           cls->Meta->inherits(&TDataModule::staticMetaObject);
}

std::vector<TClass> componentClasses() {
    QzRegisterRuntimeClasses();
    std::vector<TClass> list;
    for (TClass cls : QzComponentClasses())
        if (cls->Meta->inherits(&TComponent::staticMetaObject) && !isRoot(cls))
            list.push_back(cls);
    return list;
}

class EveryComponent : public ::testing::TestWithParam<TClass> {
protected:
    void SetUp() override { QzRegisterRuntimeClasses(); }
};

} // namespace

TEST_P(EveryComponent, StreamsToFormTextAndBackWithoutLoss) {
    TClass cls = GetParam();
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    TComponent* component = CreateComponentByName(cls->ClassName(), &form);
    ASSERT_EQ(component->metaObject(), cls->Meta);
    component->SetName(QStringLiteral("C1"));
    if (auto* control = qobject_cast<TControl*>(component))
        control->SetParent(&form);
    const QByteArray plain = WriteComponentText(&form);
    fill(component);

    const QByteArray text = WriteComponentText(&form);
    EXPECT_NE(text, plain) << "no property of " << cls->ClassName().toStdString() << " streams";
    EXPECT_TRUE(text.contains("object C1: " + cls->ClassName().toLatin1())) << text.data();

    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    ASSERT_NE(copy->FindComponent(QStringLiteral("C1")), nullptr);
    EXPECT_EQ(copy->FindComponent(QStringLiteral("C1"))->metaObject(), cls->Meta);
    EXPECT_EQ(WriteComponentText(copy.get()), text);
}

INSTANTIATE_TEST_SUITE_P(Components, EveryComponent, ::testing::ValuesIn(componentClasses()),
                         [](const ::testing::TestParamInfo<TClass>& info) {
                             return info.param->ClassName().toStdString();
                         });

TEST(ComponentClasses, PaletteAndInertClassesAreRegistered) {
    QzRegisterRuntimeClasses();
    // The pages and their order are the design package's to check; here: every class once.
    QSet<QString> seen;
    int count = 0;
    for (const TQzPalettePage& page : QzPaletteClasses())
        for (TClass cls : page.Classes) {
            EXPECT_EQ(GetClass(cls->ClassName()), cls) << cls->ClassName().toStdString();
            seen.insert(cls->ClassName());
            ++count;
        }
    EXPECT_EQ(seen.size(), count);
    EXPECT_EQ(QzInertClasses().size(), 28);
    for (TClass cls : QzInertClasses()) {
        EXPECT_FALSE(seen.contains(cls->ClassName()));
        EXPECT_NE(GetClass(cls->ClassName().toUpper()), nullptr);
    }
    // Forms name classes in any case.
    EXPECT_EQ(GetClass(QStringLiteral("TQZDBVTABLE")), GetClass(QStringLiteral("TQzDbVTable")));

    // Whatever is not a component is still made by the registry (items, fonts, references).
    for (TClass cls : QzComponentClasses())
        if (!cls->Meta->inherits(&TComponent::staticMetaObject)) {
            std::unique_ptr<QObject> object(cls->Create(nullptr));
            EXPECT_EQ(object->metaObject(), cls->Meta);
        }
}

TEST(ComponentClasses, ObjectPropertiesDeclareTheClassesTheScannerResolves) {
    QzRegisterRuntimeClasses();
    auto classOf = [](const char* cls, const char* prop) -> QString {
        const QMetaObject* meta = PropertyClass(GetClass(QLatin1String(cls))->Meta, prop);
        return meta ? QString::fromLatin1(meta->className()) : QStringLiteral("(none)");
    };
    EXPECT_EQ(classOf("TQzLabel", "Caption"), "TQzMemoryLabel");
    EXPECT_EQ(classOf("TQzLabel", "caption"), "TQzMemoryLabel");
    EXPECT_EQ(classOf("TQzEdit", "Hint"), "TQzMemoryLabel");
    EXPECT_EQ(classOf("TQzLabel", "Font"), "TFont");
    EXPECT_EQ(classOf("TFont", "Name"), "(none)");
    EXPECT_EQ(FindPublishedProperty(&TFont::staticMetaObject, QStringLiteral("Name")).metaType(),
              QMetaType::fromType<QString>());
    EXPECT_EQ(classOf("TQzPanel", "SetColor"), "TQzSetColor");
    EXPECT_EQ(classOf("TQzPanel", "SetFont"), "TQzSetFont");
    EXPECT_EQ(classOf("TQzPanel", "SetBackGround"), "TQzSetBackGround");
    EXPECT_EQ(classOf("TQzBitBtn", "Privilege"), "TQzPrivilege");
    EXPECT_EQ(classOf("TQzBitBtn", "Image"), "TQzMemoryImage");
    EXPECT_EQ(classOf("TQzMemo", "Text"), "TQzMemoryText");
    EXPECT_EQ(classOf("TQzMemo", "Lines"), "TStrings");
    EXPECT_EQ(classOf("TQzDbNavigator", "DeleteMessage"), "TQzMemoryMessage");
    EXPECT_EQ(classOf("TQzEdit", "Mask"), "TQzMask");
    EXPECT_EQ(classOf("TQzComboBox", "Items"), "TQzCollection");
    EXPECT_EQ(classOf("TQzPageControl", "Tabs"), "TQzCollection");
    EXPECT_EQ(classOf("TQzStatusBar", "Panels"), "TQzCollection");
    EXPECT_EQ(classOf("TQzMainMenu", "Items"), "TQzMenuItem");
    EXPECT_EQ(classOf("TQzMainMenu", "WindowsList"), "TQzMenuItem");
    EXPECT_EQ(classOf("TQzPanelMenu", "WindowsList"), "TQzMenuItem");
    EXPECT_EQ(classOf("TQzUpDown", "Associate"), "TWinControl");
    EXPECT_EQ(classOf("TQzCForm", "BtnOk"), "TControl");
    EXPECT_EQ(classOf("TQzCForm", "DataSources"), "TCollection");
    EXPECT_EQ(classOf("TQzImageBar", "Image"), "TComponent");
    EXPECT_EQ(classOf("TQzDbEdit", "DataSource"), "TDataSource");
    EXPECT_EQ(classOf("TQzCApplication", "PkgDisplay"), "TQzPkgDisplay");
    EXPECT_EQ(classOf("TQzCApplication", "PkgLanguage"), "TQzPkgLanguage");
    EXPECT_EQ(classOf("TQzCApplication", "PkgSetup"), "TQzPkgSetup");
    EXPECT_EQ(classOf("TQzCApplication", "PkgVars"), "TQzPkgVars");
    EXPECT_EQ(classOf("TQzCApplication", "Privileges"), "TQzPkgPrivileges");
    EXPECT_EQ(classOf("TQzCApplication", "Path"), "(none)");
}
