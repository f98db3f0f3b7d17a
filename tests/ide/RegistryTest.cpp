// Which registered editor the designer picks: the most specific binding (property name, then
// component class, then the nearer property type and component class), the later one among
// equals; and the nearest registered component editor.

#include "ComponentStreams.h"
#include "DesignRegistry.h"
#include "Graphics.h"
#include "StdEditors.h"

#include <gtest/gtest.h>

class TRegMeter : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Level MEMBER FLevel)
    Q_PROPERTY(int Limit MEMBER FLimit)
    Q_PROPERTY(TFont* Font READ Font)
public:
    Q_INVOKABLE explicit TRegMeter(TComponent* owner = nullptr)
        : TComponent(owner), FFont(new TFont(this)) {}
    TFont* Font() const { return FFont; }
    int FLevel = 0;
    int FLimit = 0;

private:
    TFont* FFont;
};

class TRegMeterEx : public TRegMeter {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TRegMeterEx(TComponent* owner = nullptr) : TRegMeter(owner) {}
};

namespace {

template <int N>
class TTagEditor : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
};

template <int N>
class TTagComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

template <int N>
TPropertyEditorClass tag() {
    return PropertyEditorClassOf<TTagEditor<N>>();
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { BeginModuleRegistration(QStringLiteral("RegistryTest")); }
    void TearDown() override {
        BeginModuleRegistration(QString());
        UnregisterModule(QStringLiteral("RegistryTest"));
    }

    static TPropertyEditorClass find(const QMetaObject& cls, const char* prop) {
        return FindPropertyEditorClass(&cls,
                                       FindPublishedProperty(&cls, QString::fromLatin1(prop)));
    }
    static void bind(const QMetaObject* cls, const char* name, TPropertyEditorClass editor) {
        RegisterPropertyEditor(TypeInfoOf<int>(), cls, QString::fromLatin1(name), editor);
    }
};

} // namespace

TEST_F(Registry, NameAndClassOutrankTheTypeAloneAndLaterBindingsWinAmongEquals) {
    const QMetaObject& meter = TRegMeter::staticMetaObject;
    const QMetaObject& ex = TRegMeterEx::staticMetaObject;
    EXPECT_EQ(find(meter, "Level"), nullptr);

    bind(nullptr, "", tag<1>());
    EXPECT_EQ(find(meter, "Level"), tag<1>());
    bind(&meter, "", tag<2>());
    EXPECT_EQ(find(meter, "Level"), tag<2>());
    // A name outranks a class.
    bind(nullptr, "Level", tag<3>());
    EXPECT_EQ(find(meter, "Level"), tag<3>());
    EXPECT_EQ(find(meter, "Limit"), tag<2>());
    bind(&meter, "Level", tag<4>());
    EXPECT_EQ(find(meter, "Level"), tag<4>());
    // The same binding again, the name in another case: the later one wins.
    bind(&meter, "level", tag<5>());
    EXPECT_EQ(find(meter, "Level"), tag<5>());

    // The nearer component class wins; the farther one still serves its own class.
    bind(&ex, "", tag<6>());
    EXPECT_EQ(find(ex, "Limit"), tag<6>());
    EXPECT_EQ(find(meter, "Limit"), tag<2>());
    EXPECT_EQ(find(ex, "Level"), tag<5>()) << "a name outranks a nearer class";
    bind(&meter, "", tag<7>());
    EXPECT_EQ(find(meter, "Limit"), tag<7>());
    EXPECT_EQ(find(ex, "Limit"), tag<6>());

    // A binding for another class does not apply at all.
    bind(&TFont::staticMetaObject, "Level", tag<8>());
    EXPECT_EQ(find(meter, "Level"), tag<5>());

    // The editor made is the bound one.
    TRegMeterEx component;
    const QMetaProperty limit = FindPublishedProperty(&ex, QStringLiteral("Limit"));
    EXPECT_NE(
        dynamic_cast<TTagEditor<6>*>(CreatePropertyEditor(nullptr, {&component}, limit).get()),
        nullptr);
}

TEST_F(Registry, ClassTypedBindingsPreferTheNearerPropertyClass) {
    RegisterPropertyEditor(TypeInfoOf<TFont>(), nullptr, QString(),
                           PropertyEditorClassOf<TClassProperty>());
    RegisterPropertyEditor(TypeInfoOf<TPersistent>(), nullptr, QString(),
                           PropertyEditorClassOf<TComponentProperty>());
    EXPECT_EQ(find(TRegMeter::staticMetaObject, "Font"), PropertyEditorClassOf<TClassProperty>());
    // An integer property is no object of any class.
    EXPECT_EQ(find(TRegMeter::staticMetaObject, "Level"), nullptr);
}

TEST_F(Registry, ComponentEditorsComeFromTheNearestRegisteredClass) {
    TRegMeter meter;
    TRegMeterEx ex;
    EXPECT_NE(dynamic_cast<TDefaultEditor*>(GetComponentEditor(&meter, nullptr).get()), nullptr);

    RegisterComponentEditor(&TRegMeter::staticMetaObject,
                            ComponentEditorClassOf<TTagComponentEditor<1>>());
    EXPECT_NE(dynamic_cast<TTagComponentEditor<1>*>(GetComponentEditor(&ex, nullptr).get()),
              nullptr);
    RegisterComponentEditor(&TRegMeterEx::staticMetaObject,
                            ComponentEditorClassOf<TTagComponentEditor<2>>());
    RegisterComponentEditor(&TRegMeter::staticMetaObject,
                            ComponentEditorClassOf<TTagComponentEditor<3>>());
    auto forEx = GetComponentEditor(&ex, nullptr);
    EXPECT_NE(dynamic_cast<TTagComponentEditor<2>*>(forEx.get()), nullptr);
    EXPECT_EQ(forEx->Component(), &ex);
    EXPECT_NE(dynamic_cast<TTagComponentEditor<3>*>(GetComponentEditor(&meter, nullptr).get()),
              nullptr);

    UnregisterModule(QStringLiteral("RegistryTest"));
    EXPECT_NE(dynamic_cast<TDefaultEditor*>(GetComponentEditor(&ex, nullptr).get()), nullptr);
}

TEST_F(Registry, PalettePagesKeepRegistrationOrderAndAClassSitsOnItsLatestPage) {
    RegisterComponents(QStringLiteral("Meters"), {ClassOf<TRegMeter>()});
    RegisterComponents(QStringLiteral("More Meters"), {ClassOf<TRegMeterEx>()});
    RegisterComponents(QStringLiteral("Meters"), {ClassOf<TRegMeterEx>()});
    EXPECT_EQ(PalettePageOf(ClassOf<TRegMeterEx>()), QStringLiteral("Meters"));
    QStringList pages;
    for (const auto& page : PalettePages())
        pages << page.first;
    EXPECT_TRUE(pages.contains(QStringLiteral("Meters")));
    EXPECT_FALSE(pages.contains(QStringLiteral("More Meters"))) << "an emptied page goes";
    // Palette classes become streamable, and go again with their module.
    EXPECT_EQ(GetClass(QStringLiteral("TRegMeter")), ClassOf<TRegMeter>());
    UnregisterModule(QStringLiteral("RegistryTest"));
    EXPECT_EQ(GetClass(QStringLiteral("TRegMeter")), nullptr);
    EXPECT_EQ(PalettePageOf(ClassOf<TRegMeter>()), QString());
}

#include "RegistryTest.moc"
