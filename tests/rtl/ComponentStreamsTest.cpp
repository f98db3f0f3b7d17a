// Components written to form text and binary and read back.

#include "ComponentStreams.h"
#include "ObjectStreams.h"
#include "TestClasses.h"

#include <QBuffer>
#include <QDateTime>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ComponentStreams : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }

    // A form with one of everything the streams know.
    static std::unique_ptr<TForm> makeForm() {
        auto form = std::make_unique<TForm>();
        form->SetName(QStringLiteral("Form1"));
        form->SetCaption(QStringLiteral(u"Übersicht"));
        auto* panel = new TTestPanel(form.get());
        panel->SetName(QStringLiteral("Panel1"));
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 300, 41);
        auto* label = new TTestLabel(form.get());
        label->SetName(QStringLiteral("Label1"));
        label->SetParent(panel);
        label->FCaption = QStringLiteral("Name:\ttab 'quoted'");
        label->FAlignment = TTestLabel::taCenter;
        label->FAnchors = TTestLabel::TAnchors(TTestLabel::akLeft) | TTestLabel::akBottom;
        label->FFont->FName = QStringLiteral("Arial");
        label->FFont->FStyle = TTestFont::TFontStyles(TTestFont::fsBold) | TTestFont::fsItalic;
        label->FRatio = 0.1;
        label->FScale = 2.5f;
        label->FBig = Q_INT64_C(1) << 40;
        label->FValue = QVariant(QStringLiteral("text value"));
        label->FOnClick.Name = QStringLiteral("Label1Click");
        label->FLines->SetLines({QStringLiteral("one"), QString()});
        label->FBlob = QByteArray("\x00\x01\xFF", 3);
        auto* item = static_cast<TTestItem*>(label->Items()->Add());
        item->FCaption = QStringLiteral("first");
        item->FFont->FSize = 12;
        label->Items()->Add();
        auto* edit = new TTestLabel(form.get());
        edit->SetName(QStringLiteral("Edit1"));
        edit->SetParent(form.get());
        label->FFocusControl = edit;
        auto* timer = new TTestFailing(form.get());
        timer->SetName(QStringLiteral("Timer1"));
        return form;
    }
};

} // namespace

TEST_F(ComponentStreams, WritesOnlyWhatDiffersFromAFreshInstance) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* label = new TTestLabel(&form);
    label->SetName(QStringLiteral("Label1"));
    label->SetParent(&form);
    EXPECT_EQ(WriteComponentText(&form).toStdString(), "object Form1: TForm\n"
                                                       "  object Label1: TTestLabel\n"
                                                       "  end\n"
                                                       "end\n");
    label->FFont->FSize = 10;
    label->FWordWrap = true;
    label->SetWidth(80);
    EXPECT_EQ(WriteComponentText(&form).toStdString(), "object Form1: TForm\n"
                                                       "  object Label1: TTestLabel\n"
                                                       "    Width = 80\n"
                                                       "    Font.Size = 10\n"
                                                       "    WordWrap = True\n"
                                                       "  end\n"
                                                       "end\n");
}

TEST_F(ComponentStreams, FullFormText) {
    auto form = makeForm();
    EXPECT_EQ(WriteComponentText(form.get()).toStdString(),
              "object Form1: TForm\n"
              "  Caption = #220'bersicht'\n"
              "  object Panel1: TTestPanel\n"
              "    Width = 300\n"
              "    Height = 41\n"
              "    object Label1: TTestLabel\n"
              "      Caption = 'Name:'#9'tab ''quoted'''\n"
              "      Alignment = taCenter\n"
              "      Anchors = [akLeft, akBottom]\n"
              "      Font.Name = 'Arial'\n"
              "      Font.Style = [fsBold, fsItalic]\n"
              "      Items = <\n"
              "        item\n"
              "          Caption = 'first'\n"
              "          Font.Size = 12\n"
              "        end\n"
              "        item\n"
              "        end>\n"
              "      Ratio = 0.1\n"
              "      Scale = 2.5s\n"
              "      Big = 1099511627776\n"
              "      Value = 'text value'\n"
              "      FocusControl = Edit1\n"
              "      OnClick = Label1Click\n"
              "      Lines.Strings = (\n"
              "        'one'\n"
              "        '')\n"
              "      Blob = {\n"
              "        0001FF}\n"
              "    end\n"
              "  end\n"
              "  object Edit1: TTestLabel\n"
              "  end\n"
              "  object Timer1: TTestFailing\n"
              "  end\n"
              "end\n");
}

TEST_F(ComponentStreams, ReadBackGivesTheSameComponents) {
    auto form = makeForm();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteComponent(buffer, form.get());
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<TComponent> copy(ReadComponent(buffer));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ClassName(), QStringLiteral("TForm"));
    EXPECT_EQ(WriteComponentText(copy.get()), WriteComponentText(form.get()));

    auto* label = qobject_cast<TTestLabel*>(copy->FindComponent(QStringLiteral("label1")));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Owner(), copy.get());
    EXPECT_EQ(label->Parent()->Name(), QStringLiteral("Panel1"));
    EXPECT_EQ(label->FFocusControl, copy->FindComponent(QStringLiteral("Edit1")));
    EXPECT_EQ(label->FFont->FStyle,
              TTestFont::TFontStyles(TTestFont::fsBold) | TTestFont::fsItalic);
    EXPECT_EQ(label->FScale, 2.5f);
    EXPECT_EQ(label->FBlob, QByteArray("\x00\x01\xFF", 3));
    EXPECT_EQ(label->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(label->Items()->Items(0))->FFont->FSize, 12);
    EXPECT_EQ(label->FOnClick.Name, QStringLiteral("Label1Click"));
    EXPECT_FALSE(label->ComponentState() & (csLoading | csReading));
}

TEST_F(ComponentStreams, VariantValuesKeepTheirType) {
    TForm form;
    form.SetName(QStringLiteral("F"));
    auto* label = new TTestLabel(&form);
    label->SetName(QStringLiteral("L"));
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 30), Qt::UTC);
    for (const QVariant& v :
         {QVariant(42), QVariant(2.75), QVariant(true), QVariant(QString("s")),
          QVariant::fromValue(nullptr), QVariant(when), QVariant(Q_INT64_C(1) << 50)}) {
        label->FValue = v;
        std::unique_ptr<TComponent> copy(ReadComponentText(WriteComponentText(&form)));
        auto* back = qobject_cast<TTestLabel*>(copy->FindComponent(QStringLiteral("L")));
        EXPECT_EQ(back->FValue, v) << v.typeName();
    }
}

TEST_F(ComponentStreams, ReadsIntoAnExistingRoot) {
    TForm temp;
    temp.SetName(QStringLiteral("QzForm_Temp_1"));
    ReadComponentText("object QzForm_Temp_1: TForm\n"
                      "  object Label1: TTestLabel\n"
                      "  end\n"
                      "end\n",
                      &temp);
    ASSERT_EQ(temp.ComponentCount(), 1);
    EXPECT_EQ(temp.Components(0)->ClassName(), QStringLiteral("TTestLabel"));
    EXPECT_EQ(PropertyClass(temp.Components(0)->metaObject(), QStringLiteral("font")),
              &TTestFont::staticMetaObject);
    EXPECT_EQ(PropertyClass(temp.Components(0)->metaObject(), QStringLiteral("Items")),
              &TCollection::staticMetaObject);
    EXPECT_EQ(PropertyClass(temp.Components(0)->metaObject(), QStringLiteral("Caption")), nullptr);
}

TEST_F(ComponentStreams, FailedReadLeavesNothingBehind) {
    const char* cases[] = {
        "object F: TForm\n  object A: TTestLabel\n  end\n  object B: TNoSuchClass\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Nope = 1\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Alignment = taNowhere\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Alignment = 771\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Width = 'wide'\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Width = 99999999999\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n  end\n  object a: TTestLabel\n  end\nend\n",
        "object F: TForm\n  object A: TTestFailing\n    Trigger = 1\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Font.Nope = 1\n  end\nend\n",
        "object F: TForm\n  object A: TTestLabel\n    Items = <\n      item\n        Bad = 1\n"
        "      end>\n  end\nend\n",
        "object F: TForm\n  object T: TTestFailing\n  end\n  object A: TTestLabel\n"
        "    FocusControl = T\n  end\nend\n",
        "object F: TForm\n  inherited A: TTestLabel\n  end\nend\n",
        "object F: TForm\n  object 1A: TTestLabel\n  end\nend\n",
    };
    for (const char* text : cases) {
        TForm root;
        root.SetName(QStringLiteral("Keep"));
        auto* existing = new TTestLabel(&root);
        existing->SetName(QStringLiteral("Existing"));
        try {
            ReadComponentText(text, &root);
            ADD_FAILURE() << "no error for\n" << text;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Error ")))
                << e.Message().toStdString();
        }
        EXPECT_EQ(root.ComponentCount(), 1) << text;
        EXPECT_EQ(root.Components(0), existing);
        EXPECT_FALSE(root.ComponentState() & (csLoading | csReading));
        // Without an instance the created root is freed too; nothing is left registered.
        EXPECT_THROW(ReadComponentText(text), Exception);
    }
}

TEST_F(ComponentStreams, ErrorNamesComponentAndProperty) {
    try {
        std::unique_ptr<TComponent> f(
            ReadComponentText("object F: TForm\n  object A: TTestLabel\n    Font.Style = [fsBold, "
                              "fsHeavy]\n  end\nend\n"));
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Error reading A.Font.Style: Invalid property value 'fsHeavy'"));
    }
    try {
        std::unique_ptr<TComponent> f(
            ReadComponentText("object F: TForm\n  object A: TNoSuch\n  end\nend\n"));
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error reading A: Class TNoSuch not found"));
    }
}

TEST_F(ComponentStreams, ReferencesOutsideTheRootStayUnassigned) {
    std::unique_ptr<TComponent> form(ReadComponentText("object F: TForm\n"
                                                       "  object A: TTestLabel\n"
                                                       "    FocusControl = Other.Button1\n"
                                                       "  end\n"
                                                       "  object B: TTestLabel\n"
                                                       "    FocusControl = F.A\n"
                                                       "  end\n"
                                                       "end\n"));
    auto* a = qobject_cast<TTestLabel*>(form->FindComponent(QStringLiteral("A")));
    auto* b = qobject_cast<TTestLabel*>(form->FindComponent(QStringLiteral("B")));
    EXPECT_EQ(a->FFocusControl, nullptr);
    EXPECT_EQ(b->FFocusControl, a);
}

TEST_F(ComponentStreams, UnnamedAndNonVisualComponentsStream) {
    TForm form;
    form.SetName(QStringLiteral("F"));
    auto* unnamed = new TTestLabel(&form);
    unnamed->SetParent(&form);
    new TTestFailing(&form);
    const QByteArray text = WriteComponentText(&form);
    EXPECT_EQ(text.toStdString(), "object F: TForm\n"
                                  "  object TTestLabel\n"
                                  "  end\n"
                                  "  object TTestFailing\n"
                                  "  end\n"
                                  "end\n");
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    EXPECT_EQ(copy->ComponentCount(), 2);
}

TEST_F(ComponentStreams, SubComponentsStreamInsideTheirHolder) {
    TDataModule module;
    module.SetName(QStringLiteral("DM"));
    auto* holder = new TTestHolder(&module);
    holder->SetName(QStringLiteral("Holder1"));
    holder->FSub->FFileName = QStringLiteral("strings.pkg");
    static_cast<TTestItem*>(holder->FSub->Items()->Add())->FValue = 3;
    auto* other = new TTestSub(&module);
    other->SetName(QStringLiteral("Loose"));
    holder->FOther = other;
    const QByteArray text = WriteComponentText(&module);
    EXPECT_EQ(text.toStdString(), "object DM: TDataModule\n"
                                  "  object Holder1: TTestHolder\n"
                                  "    Sub.FileName = 'strings.pkg'\n"
                                  "    Sub.Items = <\n"
                                  "      item\n"
                                  "        Value = 3\n"
                                  "      end>\n"
                                  "    Other = Loose\n"
                                  "  end\n"
                                  "  object Loose: TTestSub\n"
                                  "  end\n"
                                  "end\n");
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TTestHolder*>(copy->FindComponent(QStringLiteral("Holder1")));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->FSub->FFileName, QStringLiteral("strings.pkg"));
    EXPECT_EQ(back->FSub->FLoadedCalls, 1); // a sub-component learns that it was loaded
    EXPECT_FALSE(back->FSub->IsLoading());
    EXPECT_EQ(back->FSub->Items()->Count(), 1);
    EXPECT_EQ(back->FOther, copy->FindComponent(QStringLiteral("Loose")));
    // A sub-component cannot be replaced by a reference.
    EXPECT_THROW(ReadComponentText("object DM: TDataModule\n  object H: TTestHolder\n"
                                   "    Sub = Loose\n  end\nend\n"),
                 EReadError);
}

TEST_F(ComponentStreams, PersistentObjectsRoundTripOnTheirOwn) {
    TTestSub source;
    source.FFileName = QStringLiteral("x");
    static_cast<TTestItem*>(source.Items()->Add())->FCaption = QStringLiteral("a");
    const TFormObject object = PersistentToFormObject(&source);
    EXPECT_EQ(object.ClassName, QStringLiteral("TTestSub"));
    TTestSub target;
    ReadPersistent(object, &target);
    EXPECT_EQ(target.FFileName, QStringLiteral("x"));
    ASSERT_EQ(target.Items()->Count(), 1);
    EXPECT_EQ(static_cast<TTestItem*>(target.Items()->Items(0))->FCaption, QStringLiteral("a"));
}

TEST_F(ComponentStreams, DoublesComeBackExactly) {
    TForm form;
    form.SetName(QStringLiteral("F"));
    auto* label = new TTestLabel(&form);
    label->SetName(QStringLiteral("L"));
    // This one's shortest text is nearer to an extended that rounds to the next double.
    for (double ratio : {-2.522923758208279e-228, 0.1, 1e300, 5e-324}) {
        label->FRatio = ratio;
        std::unique_ptr<TComponent> copy(ReadComponentText(WriteComponentText(&form)));
        EXPECT_EQ(qobject_cast<TTestLabel*>(copy->FindComponent(QStringLiteral("L")))->FRatio,
                  ratio);
        QBuffer binary;
        binary.open(QIODevice::ReadWrite);
        WriteComponent(binary, &form);
        binary.seek(0);
        std::unique_ptr<TComponent> fromBinary(ReadComponent(binary));
        EXPECT_EQ(qobject_cast<TTestLabel*>(fromBinary->FindComponent(QStringLiteral("L")))->FRatio,
                  ratio);
    }
}
