// The variant values of the library's controls as the object inspector shows and takes them: the
// text follows the control's data type, "{NULL}" stands for null, and the editors only appear
// while one control is selected.

#include "EditorsTestSupport.h"

#include "QzExcept.h"

using namespace Qt::StringLiterals;

namespace {

const QDateTime Morning(QDate(2024, 3, 5), QTime(14, 7, 9));

QVariant null() {
    return QVariant::fromValue(nullptr);
}

bool isNull(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

using VariantEditors = EditorsTest;

} // namespace

TEST_F(VariantEditors, NumbersShowEightDecimalsAndReadBackAsDoubles) {
    for (TQzDataType type : {dtInteger, dtFloat, dtCurrency}) {
        SCOPED_TRACE(int(type));
        auto* edit = add<TQzEdit>(u"Edit%1"_s.arg(int(type)));
        edit->SetDataType(type);
        edit->SetValue(12.5);
        auto editor = editorOf({edit}, u"Value"_s);
        ASSERT_TRUE(editor);
        EXPECT_EQ(editor->GetValue(), u"12.50000000");
        EXPECT_EQ(editor->GetAttributes(), TPropertyAttributes(paRevertable));

        editor->SetValue(u"-1,234.123456789"_s);
        EXPECT_EQ(edit->GetValue().typeId(), QMetaType::Double);
        EXPECT_DOUBLE_EQ(edit->GetValue().toDouble(), -1234.12345679);
        EXPECT_EQ(editor->GetValue(), u"-1234.12345679");
    }
}

TEST_F(VariantEditors, TextAndDatesKeepTheirOwnForm) {
    auto* edit = add<TQzEdit>(u"EdName"_s);
    edit->SetDataType(dtString);
    edit->SetValue(u"Smith & Sons"_s);
    auto editor = editorOf({edit}, u"Value"_s);
    EXPECT_EQ(editor->GetValue(), u"Smith & Sons");
    editor->SetValue(u" 007 "_s);
    EXPECT_EQ(edit->GetValue(), QVariant(u" 007 "_s));

    edit->SetDataType(dtDateTime);
    edit->SetValue(Morning);
    EXPECT_EQ(editor->GetValue(), u"05/03/2024 14:07:09");
    editor->SetValue(u"06/04/2023 10:30"_s);
    EXPECT_EQ(edit->GetValue().toDateTime(), QDateTime(QDate(2023, 4, 6), QTime(10, 30)));
    // A date stored as text still shows in the date form.
    edit->SetValue(u"2024-03-05 14:07:09"_s);
    EXPECT_EQ(editor->GetValue(), u"05/03/2024 14:07:09");
}

TEST_F(VariantEditors, NullReadsAndWritesAsBracedNullUnderEveryType) {
    auto* edit = add<TQzEdit>(u"EdAny"_s);
    auto editor = editorOf({edit}, u"Value"_s);
    for (TQzDataType type :
         {dtInteger, dtFloat, dtCurrency, dtString, dtDateTime, dtOther, dtMemo}) {
        SCOPED_TRACE(int(type));
        edit->SetDataType(type);
        edit->SetValue(null());
        EXPECT_EQ(editor->GetValue(), u"{NULL}");
        for (const char* typed : {"{NULL}", "{null}", "{Null}"}) {
            edit->SetValue(u"before"_s);
            editor->SetValue(QString::fromLatin1(typed));
            EXPECT_TRUE(isNull(edit->GetValue())) << typed;
        }
    }
}

TEST_F(VariantEditors, TypesWithoutTextFormShowNothingAndStoreUnassigned) {
    auto* label = add<TQzLabel>(u"LbAny"_s);
    auto editor = editorOf({label}, u"Value"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzLabelVariantPropertyEditor");
    for (TQzDataType type : {dtOther, dtMemo}) {
        SCOPED_TRACE(int(type));
        label->SetDataType(type);
        label->SetValue(u"kept"_s);
        EXPECT_EQ(editor->GetValue(), u"");
        editor->SetValue(u"typed"_s);
        EXPECT_FALSE(label->GetValue().isValid());
    }
}

TEST_F(VariantEditors, UnassignedValuesShowEmptyAndUnreadableTextIsRefused) {
    auto* list = add<TQzListBox>(u"LbCustomers"_s);
    list->FDataType = dtInteger;
    auto editor = editorOf({list}, u"Value"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzListBoxVariantPropertyEditor");
    // A fresh list has no value: it must not pose as 0.
    EXPECT_EQ(editor->GetValue(), u"");

    list->FValue = 3;
    const int before = modifiedCount();
    EXPECT_THROW(editor->SetValue(u"three"_s), EQzError);
    EXPECT_EQ(list->FValue, QVariant(3));
    EXPECT_EQ(modifiedCount(), before);
    editor->SetValue(u"4"_s);
    EXPECT_EQ(list->FValue.toDouble(), 4.0);
    EXPECT_EQ(modifiedCount(), before + 1);

    // A value the data type cannot read reaches the inspector as an error.
    list->FValue = u"three"_s;
    EXPECT_THROW(editor->GetValue(), EQzError);
}

TEST_F(VariantEditors, EachControlIsReadUnderItsOwnDataType) {
    struct Case {
        TPersistent* Control;
        const char* Editor;
        QVariant Value;
        QString Shown;
        QString Typed;
        QVariant Stored;
    };
    auto* label = add<TQzLabel>(u"Label1"_s);
    label->SetDataType(dtDateTime);
    auto* combo = add<TQzComboBox>(u"Combo1"_s);
    combo->SetDataType(dtCurrency);
    auto* group = add<TQzRadioGroup>(u"Group1"_s);
    group->FDataType = dtDateTime;
    auto* check = add<TQzCheckBox>(u"Check1"_s);
    check->FDataType = dtInteger;
    auto* radio = add<TQzRadioButton>(u"Radio1"_s);
    radio->FDataType = dtString;
    // These come with the data type of what they list.
    auto* fonts = add<TQzFontComboBox>(u"Fonts1"_s);
    auto* colors = add<TQzCBColors>(u"Colors1"_s);
    auto* sets = add<TQzLBSetsFont>(u"Sets1"_s);

    const Case cases[] = {
        {label, "TQzLabelVariantPropertyEditor", Morning, u"05/03/2024 14:07:09"_s, u"01/01/2025"_s,
         QDateTime(QDate(2025, 1, 1), QTime(0, 0))},
        {combo, "TQzEditVariantPropertyEditor", 2.5, u"2.50000000"_s, u"3.25"_s, 3.25},
        {fonts, "TQzEditVariantPropertyEditor", u"Arial"_s, u"Arial"_s, u"Courier"_s, u"Courier"_s},
        {colors, "TQzEditVariantPropertyEditor", 255, u"255.00000000"_s, u"65280"_s, 65280.0},
        {sets, "TQzListBoxVariantPropertyEditor", u"Title"_s, u"Title"_s, u"Body"_s, u"Body"_s},
        {group, "TQzRadioGroupVariantPropertyEditor", Morning, u"05/03/2024 14:07:09"_s,
         u"2025-01-01 08:00"_s, QDateTime(QDate(2025, 1, 1), QTime(8, 0))},
        {check, "TQzCheckBoxVariantPropertyEditor", 1, u"1.00000000"_s, u"0"_s, 0.0},
        {radio, "TQzRadioButtonVariantPropertyEditor", u"B"_s, u"B"_s, u"C"_s, u"C"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Editor);
        c.Control->setProperty("Value", c.Value);
        auto editor = editorOf({c.Control}, u"Value"_s);
        ASSERT_EQ(editorClass(editor.get()), QString::fromLatin1(c.Editor));
        EXPECT_EQ(editor->GetValue(), c.Shown);
        editor->SetValue(c.Typed);
        EXPECT_EQ(c.Control->property("Value"), c.Stored);
    }
}

TEST_F(VariantEditors, UpDownLimitsAndPositionFollowItsDataType) {
    auto* upDown = add<TQzUpDownEx>(u"UpDown1"_s);
    upDown->FDataType = dtCurrency;
    upDown->FMin = 0.5;
    upDown->FMax = 99;
    upDown->FPosition = 10;
    auto editors = inspect({upDown});
    EXPECT_EQ(editorClass(editors[u"Min"_s].get()), u"TQzUpDownExMinVariantPropertyEditor");
    EXPECT_EQ(editorClass(editors[u"Max"_s].get()), u"TQzUpDownExMaxVariantPropertyEditor");
    EXPECT_EQ(editorClass(editors[u"Position"_s].get()),
              u"TQzUpDownExPositionVariantPropertyEditor");
    EXPECT_EQ(editors[u"Min"_s]->GetValue(), u"0.50000000");
    EXPECT_EQ(editors[u"Max"_s]->GetValue(), u"99.00000000");
    EXPECT_EQ(editors[u"Position"_s]->GetValue(), u"10.00000000");
    // Increment has no editor of its own: it stays plain.
    EXPECT_EQ(editorClass(editors[u"Increment"_s].get()), u"TVariantProperty");

    editors[u"Max"_s]->SetValue(u"250.25"_s);
    editors[u"Position"_s]->SetValue(u"{NULL}"_s);
    EXPECT_EQ(upDown->FMax.toDouble(), 250.25);
    EXPECT_TRUE(isNull(upDown->GetPosition()));
    EXPECT_EQ(upDown->FMin.toDouble(), 0.5);
}

TEST_F(VariantEditors, ValuesAreEditedOneControlAtATime) {
    auto* first = add<TQzEdit>(u"Edit1"_s);
    auto* second = add<TQzEdit>(u"Edit2"_s);
    auto single = inspect({first});
    EXPECT_TRUE(single.count(u"Value"_s));

    auto both = inspect({first, second});
    EXPECT_FALSE(both.count(u"Value"_s));
    // What may be shared still shows.
    EXPECT_TRUE(both.count(u"DataType"_s));
}

// ---------------------------------------------------------------------------------------------
// Page controls

class PageControlValue : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        FPages = add<TQzPageControl>(u"PcOrder"_s);
        addTab(1, u"Date, amount, status and products"_s);
        addTab(2, QString());
        addTab(-3, u"Returned"_s);
        FEditor = editorOf({FPages}, u"Value"_s);
        ASSERT_EQ(editorClass(FEditor.get()), u"TQzPageControlVariantPropertyEditor");
    }

    void addTab(const QVariant& value, const QString& description) {
        TQzTabControl* tab = FPages->AddTab();
        tab->SetValue(value);
        tab->FDescription = description;
    }

    TQzPageControl* FPages = nullptr;
    std::unique_ptr<TPropertyEditor> FEditor;
};

TEST_F(PageControlValue, OffersEveryTabWithItsDescriptionWhenItHasOne) {
    EXPECT_EQ(FEditor->GetAttributes(), TPropertyAttributes(paValueList | paRevertable));
    EXPECT_EQ(valuesOf(FEditor.get()), QStringList({u"1 - Date, amount, status and products"_s,
                                                    u"2"_s, u"-3 - Returned"_s}));
}

TEST_F(PageControlValue, ChoosingAnEntryStoresTheTabValueUnderTheDataType) {
    FEditor->SetValue(u"1 - Date, amount, status and products"_s);
    EXPECT_EQ(FPages->GetValue(), QVariant(1.0));
    EXPECT_EQ(FEditor->GetValue(), u"1.00000000");
    FEditor->SetValue(u"2"_s);
    EXPECT_EQ(FPages->GetValue(), QVariant(2.0));
    // A negative value keeps its sign; its description is still cut off.
    FEditor->SetValue(u"-3 - Returned"_s);
    EXPECT_EQ(FPages->GetValue(), QVariant(-3.0));
}

TEST_F(PageControlValue, TextValuesAreCutAtTheFirstDash) {
    FPages->FDataType = dtString;
    FEditor->SetValue(u"  North - Warehouse 1 "_s);
    EXPECT_EQ(FPages->GetValue(), QVariant(u"North"_s));
    FEditor->SetValue(u"North-East"_s);
    EXPECT_EQ(FPages->GetValue(), QVariant(u"North"_s));
}

TEST_F(PageControlValue, AValueThatCannotBeShownShowsEmpty) {
    FPages->FValue = u"first"_s;
    EXPECT_EQ(FEditor->GetValue(), u"");
    FPages->FDataType = dtString;
    EXPECT_EQ(FEditor->GetValue(), u"first");
}

TEST_F(PageControlValue, DataPageControlsShareTheEditor) {
    auto* pages = add<TQzDbPageControl>(u"PcData"_s);
    pages->FDataType = dtDateTime;
    TQzTabControl* tab = pages->AddTab();
    tab->SetValue(Morning);
    tab->FDescription = u"March"_s;
    auto editor = editorOf({pages}, u"Value"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzPageControlVariantPropertyEditor");
    const QStringList values = valuesOf(editor.get());
    ASSERT_EQ(values, QStringList({u"05/03/2024 14:07:09 - March"_s}));
    editor->SetValue(values.front());
    EXPECT_EQ(pages->GetValue().toDateTime(), Morning);
}

// ---------------------------------------------------------------------------------------------
// Status bar panels

TEST_F(VariantEditors, AStatusBarPanelIsEditedWhileItIsTheOnlySelection) {
    auto* bar = add<TQzStatusBar>(u"StatusBar1"_s);
    auto* first = static_cast<TQzStatusBarPanel*>(bar->Panels()->Add());
    auto* second = static_cast<TQzStatusBarPanel*>(bar->Panels()->Add());
    first->FDataType = dtInteger;
    first->SetValue(7);
    second->SetValue(u"Ready"_s);

    auto editor = editorOf({first}, u"Value"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzStatusBarVariantPropertyEditor");
    EXPECT_EQ(editor->GetValue(), u"7.00000000");
    const int before = modifiedCount();
    editor->SetValue(u"8"_s);
    EXPECT_EQ(first->GetValue(), QVariant(8.0));
    EXPECT_EQ(modifiedCount(), before + 1);

    // With both panels selected the inspector has no value line.
    EXPECT_FALSE(inspect({first, second}).count(u"Value"_s));
    // An editor still around from before shows nothing and changes nothing.
    EXPECT_EQ(editor->GetValue(), u"");
    editor->SetValue(u"9"_s);
    EXPECT_EQ(first->GetValue(), QVariant(8.0));
    EXPECT_EQ(second->GetValue(), QVariant(u"Ready"_s));
    EXPECT_EQ(modifiedCount(), before + 1);
}

// ---------------------------------------------------------------------------------------------
// Any variant

TEST_F(VariantEditors, TheGenericEditorShowsTextAndTreatsEmptyAsNull) {
    auto* first = add<TQzCheckBox>(u"Check1"_s);
    auto* second = add<TQzCheckBox>(u"Check2"_s);
    const QMetaProperty checked =
        first->metaObject()->property(first->metaObject()->indexOfProperty("ValueChecked"));
    TQzVariantPropertyEditor editor(designer(), {first, second}, checked);

    first->FValueChecked = QVariant();
    second->FValueChecked = null();
    EXPECT_EQ(editor.GetValue(), u"{NULL}");
    EXPECT_TRUE(editor.AllEqual());

    first->FValueChecked = Morning;
    EXPECT_EQ(editor.GetValue(), u"05/03/2024 14:07:09");
    EXPECT_FALSE(editor.AllEqual());

    editor.SetValue(u"Yes"_s);
    EXPECT_EQ(first->FValueChecked, QVariant(u"Yes"_s));
    EXPECT_EQ(second->FValueChecked, QVariant(u"Yes"_s));
    EXPECT_TRUE(editor.AllEqual());
    editor.SetValue(u"{null}"_s);
    EXPECT_TRUE(isNull(first->FValueChecked));
    EXPECT_TRUE(isNull(second->FValueChecked));
}
