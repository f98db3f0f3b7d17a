// The standard property editors on real components of a designed form, as the object inspector
// drives them: typed text in, shown text and value lists out, sub-properties, several selected
// components at once, and events that create their handlers through the designer.

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignRegistry.h"
#include "IdeTestSupport.h"
#include "QzButtons.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzLabels.h"
#include "QzRefs.h"
#include "StdEditors.h"

#include <QSignalSpy>

// A component with the property kinds the library's components lack: floats and narrow
// integers.
class TTestMeter : public TComponent {
    Q_OBJECT
    Q_PROPERTY(double Ratio MEMBER FRatio)
    Q_PROPERTY(short Step MEMBER FStep)
    Q_PROPERTY(int Level MEMBER FLevel)
    Q_PROPERTY(int Limit MEMBER FLimit)
public:
    Q_INVOKABLE explicit TTestMeter(TComponent* owner = nullptr) : TComponent(owner) {}
    double FRatio = 0;
    short FStep = 0;
    int FLevel = 0;
    int FLimit = 0;
};

namespace {

class PropertyEditors : public DemoCopy {
protected:
    void SetUp() override {
        DemoCopy::SetUp();
        RegisterClass(ClassOf<TTestMeter>());
        writeBytes(QStringLiteral("Props.pas"), "unit Props;\n"
                                                "interface\n"
                                                "type\n"
                                                "  TFrmProps = class(TForm)\n"
                                                "    procedure FormCreate(Sender: TObject);\n"
                                                "  end;\n"
                                                "implementation\n"
                                                "end.\n");
        writeBytes(QStringLiteral("Props.dfm"), "object FrmProps: TFrmProps\n"
                                                "  object PnBox: TQzPanel\n"
                                                "    object LbA: TQzLabel\n"
                                                "      Left = 8\n"
                                                "      Font.Style = [fsItalic]\n"
                                                "    end\n"
                                                "  end\n"
                                                "  object LbB: TQzLabel\n"
                                                "    Left = 16\n"
                                                "  end\n"
                                                "  object BtOk: TQzBitBtn\n"
                                                "  end\n"
                                                "  object BtNo: TQzBitBtn\n"
                                                "  end\n"
                                                "  object EdName: TQzEdit\n"
                                                "  end\n"
                                                "  object MtA: TTestMeter\n"
                                                "  end\n"
                                                "  object MtB: TTestMeter\n"
                                                "  end\n"
                                                "  object ObBar: TQzOutLookBar\n"
                                                "    OnClick = FormCreate\n"
                                                "  end\n"
                                                "  object TmTick: TQzTimer\n"
                                                "  end\n"
                                                "end\n");
        FForm = openForm("Props");
    }
    void TearDown() override {
        DemoCopy::TearDown();
        UnRegisterClass(ClassOf<TTestMeter>());
    }

    TComponent* c(const char* name) const { return FForm->GetComponent(QString::fromLatin1(name)); }
    std::unique_ptr<TPropertyEditor> editor(const QList<TPersistent*>& components,
                                            const char* prop) const {
        return CreatePropertyEditor(
            FForm, components,
            FindPublishedProperty(components[0]->metaObject(), QString::fromLatin1(prop)));
    }
    std::unique_ptr<TPropertyEditor> editor(const char* component, const char* prop) const {
        return editor({c(component)}, prop);
    }

    TQzFormDesigner* FForm = nullptr;
};

std::unique_ptr<TPropertyEditor> subProperty(TPropertyEditor& parent, const char* name) {
    std::unique_ptr<TPropertyEditor> found;
    parent.GetProperties([&](std::unique_ptr<TPropertyEditor> sub) {
        if (sub->GetName() == QLatin1StringView(name))
            found = std::move(sub);
    });
    return found;
}

QStringList subPropertyNames(TPropertyEditor& parent) {
    QStringList names;
    parent.GetProperties([&](std::unique_ptr<TPropertyEditor> sub) { names << sub->GetName(); });
    return names;
}

QStringList valuesOf(TPropertyEditor& editor) {
    QStringList values;
    editor.GetValues([&](const QString& value) { values << value; });
    return values;
}

QStringList propertyNames(IDesigner* designer, const QList<TPersistent*>& components) {
    QStringList names;
    GetComponentProperties(designer, components, [&](std::unique_ptr<TPropertyEditor> editor) {
        names << editor->GetName();
    });
    return names;
}

} // namespace

TEST_F(PropertyEditors, IntegersAcceptWholeNumbersInTheirTypesRangeOnly) {
    auto left = editor("LbA", "Left");
    ASSERT_NE(dynamic_cast<TIntegerProperty*>(left.get()), nullptr);
    EXPECT_EQ(left->GetValue(), QStringLiteral("8"));
    QSignalSpy modified(FForm, &TQzFormDesigner::DesignModified);
    left->SetValue(QStringLiteral(" -12 "));
    EXPECT_EQ(qobject_cast<TControl*>(c("LbA"))->Left(), -12);
    EXPECT_EQ(modified.count(), 1);
    for (const char* bad : {"12.5", "abc", "", "4294967296"})
        EXPECT_EQ(errorOf([&] { left->SetValue(QString::fromLatin1(bad)); }),
                  "'" + std::string(bad) + "' is not a valid integer value");
    EXPECT_EQ(left->GetValue(), QStringLiteral("-12"));

    // A narrow integer refuses what it cannot hold instead of wrapping it.
    auto step = editor("MtA", "Step");
    step->SetValue(QStringLiteral("-32768"));
    EXPECT_EQ(step->GetValue(), QStringLiteral("-32768"));
    EXPECT_EQ(errorOf([&] { step->SetValue(QStringLiteral("40000")); }),
              "'40000' is not a valid integer value");
    EXPECT_EQ(step->GetValue(), QStringLiteral("-32768"));

    // A setter that refuses the value reports it and keeps the old one.
    auto font = editor("LbA", "Font");
    auto charset = subProperty(*font, "Charset");
    ASSERT_NE(charset, nullptr);
    EXPECT_NE(errorOf([&] { charset->SetValue(QStringLiteral("300")); }), "no error");
    EXPECT_EQ(charset->GetValue(), QStringLiteral("1"));
}

TEST_F(PropertyEditors, EnumerationsAndBooleansOfferTheirNames) {
    auto alignment = editor("LbA", "Alignment");
    ASSERT_NE(dynamic_cast<TEnumProperty*>(alignment.get()), nullptr);
    EXPECT_TRUE(alignment->GetAttributes() & paValueList);
    EXPECT_EQ(alignment->GetValue(), QStringLiteral("taLeftJustify"));
    EXPECT_EQ(valuesOf(*alignment), (QStringList{"taLeftJustify", "taRightJustify", "taCenter"}));
    alignment->SetValue(QStringLiteral("TACENTER"));
    EXPECT_EQ(alignment->GetValue(), QStringLiteral("taCenter"));
    alignment->SetValue(QStringLiteral("1"));
    EXPECT_EQ(alignment->GetValue(), QStringLiteral("taRightJustify"));
    EXPECT_NE(errorOf([&] { alignment->SetValue(QStringLiteral("7")); }), "no error");
    EXPECT_NE(errorOf([&] { alignment->SetValue(QStringLiteral("taNowhere")); }), "no error");
    EXPECT_EQ(alignment->GetValue(), QStringLiteral("taRightJustify"));
    // Double-click moves to the next value.
    alignment->Edit();
    EXPECT_EQ(alignment->GetValue(), QStringLiteral("taCenter"));

    // A one-byte enumeration reads and writes only its own byte.
    auto dataType = editor({c("EdName"), c("LbA")}, "DataType");
    EXPECT_EQ(dataType->GetValue(), QStringLiteral("dtString"));
    dataType->SetValue(QStringLiteral("dtMemo"));
    EXPECT_EQ(editor("LbA", "DataType")->GetValue(), QStringLiteral("dtMemo"));
    EXPECT_TRUE(dataType->AllEqual());
    editor("EdName", "DataType")->SetValue(QStringLiteral("dtInteger"));
    EXPECT_FALSE(dataType->AllEqual());

    auto visible = editor("LbA", "Visible");
    ASSERT_NE(dynamic_cast<TEnumProperty*>(visible.get()), nullptr);
    EXPECT_EQ(visible->GetValue(), QStringLiteral("True"));
    EXPECT_EQ(valuesOf(*visible), (QStringList{"False", "True"}));
    visible->SetValue(QStringLiteral("false"));
    EXPECT_FALSE(qobject_cast<TControl*>(c("LbA"))->Visible());
    EXPECT_NE(errorOf([&] { visible->SetValue(QStringLiteral("maybe")); }), "no error");
    visible->Edit();
    EXPECT_EQ(visible->GetValue(), QStringLiteral("True"));
}

TEST_F(PropertyEditors, SetsShowTheirMembersAndEditThemOneByOne) {
    auto font = editor({c("LbA"), c("LbB")}, "Font");
    auto style = subProperty(*font, "Style");
    ASSERT_NE(dynamic_cast<TSetProperty*>(style.get()), nullptr);
    EXPECT_EQ(style->GetValue(), QStringLiteral("[fsItalic]"));
    EXPECT_FALSE(style->AllEqual());
    EXPECT_EQ(subPropertyNames(*style),
              (QStringList{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));

    // Each selected font keeps its other members.
    auto bold = subProperty(*style, "fsBold");
    EXPECT_EQ(bold->GetValue(), QStringLiteral("False"));
    bold->SetValue(QStringLiteral("True"));
    EXPECT_EQ(style->GetValue(), QStringLiteral("[fsBold,fsItalic]"));
    EXPECT_EQ(editor("LbB", "Font")->GetValue(), QStringLiteral("(TFont)"));
    auto styleB = subProperty(*editor("LbB", "Font"), "Style");
    EXPECT_EQ(styleB->GetValue(), QStringLiteral("[fsBold]"));
    EXPECT_TRUE(subProperty(*style, "fsBold")->AllEqual());
    EXPECT_FALSE(subProperty(*style, "fsItalic")->AllEqual());

    styleB->SetValue(QStringLiteral("[ fsUnderline , fsitalic ]"));
    EXPECT_EQ(styleB->GetValue(), QStringLiteral("[fsItalic,fsUnderline]"));
    styleB->SetValue(QStringLiteral("[ ]"));
    EXPECT_EQ(styleB->GetValue(), QStringLiteral("[]"));
    EXPECT_NE(errorOf([&] { styleB->SetValue(QStringLiteral("[fsNope]")); }), "no error");
    EXPECT_NE(errorOf([&] { styleB->SetValue(QStringLiteral("fsBold")); }), "no error");
    EXPECT_NE(errorOf([&] { bold->SetValue(QStringLiteral("yes")); }), "no error");
}

TEST_F(PropertyEditors, FloatsStringsAndVariantsRoundTripTheirText) {
    auto ratio = editor({c("MtA"), c("MtB")}, "Ratio");
    ASSERT_NE(dynamic_cast<TFloatProperty*>(ratio.get()), nullptr);
    EXPECT_TRUE(ratio->AllEqual());
    ratio->SetValue(QStringLiteral("0.1"));
    EXPECT_EQ(ratio->GetValue(), QStringLiteral("0.1"));
    EXPECT_EQ(c("MtB")->property("Ratio").toDouble(), 0.1);
    for (const char* bad : {"abc", "1e999", "nan"})
        EXPECT_NE(errorOf([&] { ratio->SetValue(QString::fromLatin1(bad)); }), "no error") << bad;
    editor("MtB", "Ratio")->SetValue(QStringLiteral("-2.5e-3"));
    EXPECT_FALSE(ratio->AllEqual());
    EXPECT_EQ(editor("MtB", "Ratio")->GetValue(), QStringLiteral("-0.0025"));

    auto password = editor("EdName", "PasswordChar");
    ASSERT_NE(dynamic_cast<TStringProperty*>(password.get()), nullptr);
    password->SetValue(QStringLiteral("*"));
    EXPECT_EQ(c("EdName")->property("PasswordChar").toString(), QStringLiteral("*"));
    EXPECT_EQ(password->GetValue(), QStringLiteral("*"));

    auto value = editor("LbA", "Value");
    ASSERT_NE(dynamic_cast<TVariantProperty*>(value.get()), nullptr);
    EXPECT_EQ(value->GetValue(), QString());
    value->SetValue(QStringLiteral("Total"));
    EXPECT_EQ(c("LbA")->property("Value"), QVariant(QStringLiteral("Total")));
    EXPECT_FALSE(editor({c("LbA"), c("LbB")}, "Value")->AllEqual());
    value->SetValue(QString());
    EXPECT_FALSE(c("LbA")->property("Value").isValid());
}

TEST_F(PropertyEditors, ComponentReferencesAreChosenByNameFromTheFittingComponents) {
    auto focus = editor("LbA", "FocusControl");
    ASSERT_NE(dynamic_cast<TComponentProperty*>(focus.get()), nullptr);
    EXPECT_TRUE(focus->GetAttributes() & paValueList);
    const QStringList values = valuesOf(*focus);
    EXPECT_TRUE(values.contains(QStringLiteral("PnBox")));
    EXPECT_TRUE(values.contains(QStringLiteral("EdName")));
    EXPECT_FALSE(values.contains(QStringLiteral("LbB"))) << "a label is no windowed control";
    EXPECT_FALSE(values.contains(QStringLiteral("MtA")));

    EXPECT_EQ(focus->GetValue(), QString());
    focus->SetValue(QStringLiteral("pnbox"));
    EXPECT_EQ(qobject_cast<TQzLabel*>(c("LbA"))->FocusControl(), c("PnBox"));
    EXPECT_EQ(focus->GetValue(), QStringLiteral("PnBox"));
    EXPECT_NE(errorOf([&] { focus->SetValue(QStringLiteral("LbB")); }), "no error");
    EXPECT_NE(errorOf([&] { focus->SetValue(QStringLiteral("Nobody")); }), "no error");
    EXPECT_EQ(focus->GetValue(), QStringLiteral("PnBox"));
    focus->SetValue(QString());
    EXPECT_EQ(qobject_cast<TQzLabel*>(c("LbA"))->FocusControl(), nullptr);

    auto both = editor({c("LbA"), c("LbB")}, "FocusControl");
    both->SetValue(QStringLiteral("EdName"));
    EXPECT_TRUE(both->AllEqual());
    EXPECT_EQ(qobject_cast<TQzLabel*>(c("LbB"))->FocusControl(), c("EdName"));
}

TEST_F(PropertyEditors, EventsCreateAndBindHandlersThroughTheDesigner) {
    auto onClick = editor({c("BtOk"), c("BtNo")}, "OnClick");
    ASSERT_NE(dynamic_cast<TMethodProperty*>(onClick.get()), nullptr);
    EXPECT_EQ(valuesOf(*onClick), QStringList{"FormCreate"});
    QSignalSpy shown(FForm, &TQzFormDesigner::MethodShown);

    // Typing an existing handler binds it, as the unit spells it; a new name creates it first.
    onClick->SetValue(QStringLiteral("formcreate"));
    EXPECT_EQ(onClick->GetValue(), QStringLiteral("FormCreate"));
    EXPECT_TRUE(onClick->AllEqual());
    onClick->SetValue(QStringLiteral("ButtonsClick"));
    EXPECT_TRUE(FForm->MethodExists(QStringLiteral("ButtonsClick")));
    EXPECT_EQ(c("BtNo")->property("OnClick").value<TNotifyEvent>().Name,
              QStringLiteral("ButtonsClick"));
    EXPECT_EQ(shown.count(), 1);
    EXPECT_NE(errorOf([&] { onClick->SetValue(QStringLiteral("two words")); }), "no error");
    onClick->SetValue(QString());
    EXPECT_EQ(onClick->GetValue(), QString());

    // Edit (double-click) makes the default handler: component name and event.
    auto okClick = editor("BtOk", "OnClick");
    okClick->Edit();
    EXPECT_EQ(okClick->GetValue(), QStringLiteral("BtOkClick"));
    EXPECT_EQ(FForm->ShownMethod(), QStringLiteral("BtOkClick"));
    EXPECT_TRUE(FForm->UnitText().contains(QStringLiteral("procedure TFrmProps.BtOkClick(")));
    EXPECT_EQ(valuesOf(*okClick), (QStringList{"FormCreate", "ButtonsClick", "BtOkClick"}));

    // The form's own events are named after the form.
    auto onCreate = editor({FForm->GetRoot()}, "OnCreate");
    onCreate->Edit();
    EXPECT_EQ(onCreate->GetValue(), QStringLiteral("FormCreate"));
    EXPECT_EQ(FForm->ShownMethod(), QStringLiteral("FormCreate"));
}

TEST_F(PropertyEditors, ObjectsAreEditedThroughTheirSubProperties) {
    auto font = editor({c("LbA"), c("LbB")}, "Font");
    ASSERT_NE(dynamic_cast<TClassProperty*>(font.get()), nullptr);
    EXPECT_EQ(font->GetValue(), QStringLiteral("(TFont)"));
    // Two fonts of their own, of one class: the inspector shows the shared "(TFont)".
    EXPECT_TRUE(font->AllEqual());
    EXPECT_TRUE(font->GetAttributes() & paSubProperties);
    EXPECT_TRUE(font->GetAttributes() & paReadOnly);
    EXPECT_EQ(subPropertyNames(*font),
              (QStringList{"Charset", "Color", "Height", "Name", "Size", "Style"}));
    subProperty(*font, "Name")->SetValue(QStringLiteral("Serif"));
    EXPECT_EQ(subProperty(*editor("LbB", "Font"), "Name")->GetValue(), QStringLiteral("Serif"));
    EXPECT_TRUE(subProperty(*font, "Name")->AllEqual());

    auto caption = editor("BtOk", "Caption");
    EXPECT_EQ(caption->GetValue(), QStringLiteral("(TQzMemoryLabel)"));
    EXPECT_TRUE(subPropertyNames(*caption).contains(QStringLiteral("PkgName")));
}

TEST_F(PropertyEditors, SeveralSelectedComponentsShareOnlyMultiSelectEditorsOfCommonProperties) {
    const QStringList one = propertyNames(FForm, {c("LbA")});
    EXPECT_TRUE(one.contains(QStringLiteral("Name")));
    EXPECT_TRUE(one.contains(QStringLiteral("FocusControl")));

    // Two components cannot take the same name: Name is not offered for several.
    const QStringList labels = propertyNames(FForm, {c("LbA"), c("LbB")});
    EXPECT_FALSE(labels.contains(QStringLiteral("Name")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Left")));
    EXPECT_TRUE(labels.contains(QStringLiteral("FocusControl")));

    const QStringList mixed = propertyNames(FForm, {c("LbA"), c("PnBox")});
    EXPECT_TRUE(mixed.contains(QStringLiteral("Left")));
    EXPECT_TRUE(mixed.contains(QStringLiteral("Alignment")));
    EXPECT_FALSE(mixed.contains(QStringLiteral("FocusControl")));
    EXPECT_FALSE(mixed.contains(QStringLiteral("BevelInner")));
    EXPECT_FALSE(mixed.contains(QStringLiteral("WordWrap")));

    auto left = editor({c("LbA"), c("PnBox")}, "Left");
    EXPECT_FALSE(left->AllEqual());
    left->SetValue(QStringLiteral("40"));
    EXPECT_TRUE(left->AllEqual());
    EXPECT_EQ(qobject_cast<TControl*>(c("PnBox"))->Left(), 40);

    // A registered editor without paMultiSelect drops out when a second component joins.
    class TSingleEditor : public TStringProperty {
    public:
        using TStringProperty::TStringProperty;
        TPropertyAttributes GetAttributes() override { return paDialog; }
    };
    BeginModuleRegistration(QStringLiteral("SingleOnly"));
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzEdit::staticMetaObject,
                           QStringLiteral("PasswordChar"), PropertyEditorClassOf<TSingleEditor>());
    BeginModuleRegistration(QString());
    TQzEdit other(FForm->GetRoot());
    EXPECT_TRUE(propertyNames(FForm, {c("EdName")}).contains(QStringLiteral("PasswordChar")));
    EXPECT_FALSE(
        propertyNames(FForm, {c("EdName"), &other}).contains(QStringLiteral("PasswordChar")));
    UnregisterModule(QStringLiteral("SingleOnly"));
    EXPECT_TRUE(
        propertyNames(FForm, {c("EdName"), &other}).contains(QStringLiteral("PasswordChar")));
}

TEST_F(PropertyEditors, TheNameEditorRenamesOneComponentAndRefusesTakenNames) {
    TComponent* label = c("LbA");
    auto name = editor("LbA", "Name");
    ASSERT_NE(name, nullptr);
    EXPECT_FALSE(name->GetAttributes() & paMultiSelect);
    name->SetValue(QStringLiteral("LbTotal"));
    EXPECT_EQ(FForm->GetComponent(QStringLiteral("LbTotal")), label);
    EXPECT_NE(errorOf([&] { name->SetValue(QStringLiteral("LbB")); }), "no error");
    EXPECT_NE(errorOf([&] { name->SetValue(QStringLiteral("9lives")); }), "no error");
    // The form's name is taken too, both ways round.
    const QString formName = FForm->GetRoot()->Name();
    EXPECT_NE(errorOf([&] { name->SetValue(formName); }), "no error");
    EXPECT_EQ(name->GetValue(), QStringLiteral("LbTotal"));
    auto formNameEditor = CreatePropertyEditor(
        FForm, {FForm->GetRoot()},
        FindPublishedProperty(FForm->GetRoot()->metaObject(), QStringLiteral("Name")));
    EXPECT_NE(errorOf([&] { formNameEditor->SetValue(QStringLiteral("LbTotal")); }), "no error");
    EXPECT_EQ(FForm->GetRoot()->Name(), formName);
    // A change of case only is the same component's own name.
    name->SetValue(QStringLiteral("LBTOTAL"));
    EXPECT_EQ(name->GetValue(), QStringLiteral("LBTOTAL"));
}

TEST_F(PropertyEditors, TheDefaultEditorShowsOrCreatesTheMainEventHandler) {
    auto button = GetComponentEditor(c("BtOk"), FForm);
    ASSERT_NE(dynamic_cast<TDefaultEditor*>(button.get()), nullptr);
    EXPECT_EQ(button->GetVerbCount(), 0);
    button->Edit();
    EXPECT_EQ(c("BtOk")->property("OnClick").value<TNotifyEvent>().Name,
              QStringLiteral("BtOkClick"));
    EXPECT_EQ(FForm->ShownMethod(), QStringLiteral("BtOkClick"));

    // A bound event is shown before an unbound one that comes first.
    const QString unit = FForm->UnitText();
    GetComponentEditor(c("ObBar"), FForm)->Edit();
    EXPECT_EQ(FForm->ShownMethod(), QStringLiteral("FormCreate"));
    EXPECT_EQ(c("ObBar")->property("OnChange").value<TNotifyEvent>().Name, QString());
    EXPECT_EQ(FForm->UnitText(), unit);

    // Without any of those events there is nothing to do.
    GetComponentEditor(c("TmTick"), FForm)->Edit();
    EXPECT_EQ(FForm->ShownMethod(), QStringLiteral("FormCreate"));
    EXPECT_EQ(FForm->UnitText(), unit);
}

#include "PropertyEditorsTest.moc"
