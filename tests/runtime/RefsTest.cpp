// Reference objects and masks as components hold them: in form text, through the strings
// packages they name, copied between components, and refusing bad values.

#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgStrings.h"
#include "QzRefs.h"

#include <QMetaEnum>
#include <memory>

// A component with one property of every reference kind. Title has a default label, like a
// button's caption; SetBackGround starts on the default set.
class TRefsTestHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryLabel* Caption READ Caption)
    Q_PROPERTY(TQzMemoryLabel* Title READ Title)
    Q_PROPERTY(TQzMemoryMessage* Message READ Message)
    Q_PROPERTY(TQzMemoryText* Note READ Note)
    Q_PROPERTY(TQzMemoryImage* Glyph READ Glyph)
    Q_PROPERTY(TQzSetColor* SetColor READ SetColor)
    Q_PROPERTY(TQzSetFont* SetFont READ SetFont)
    Q_PROPERTY(TQzSetBackGround* SetBackGround READ SetBackGround)
    Q_PROPERTY(TQzPrivilege* Privilege READ Privilege)
    Q_PROPERTY(TQzMask* Mask READ Mask)
public:
    Q_INVOKABLE explicit TRefsTestHolder(TComponent* owner = nullptr)
        : TComponent(owner), FCaption(new TQzMemoryLabel(this)), FTitle(new TQzMemoryLabel(this)),
          FMessage(new TQzMemoryMessage(this)), FNote(new TQzMemoryText(this)),
          FGlyph(new TQzMemoryImage(this)), FSetColor(new TQzSetColor(this)),
          FSetFont(new TQzSetFont(this)), FSetBackGround(new TQzSetBackGround(this)),
          FPrivilege(new TQzPrivilege(this)), FMask(new TQzMask(this)) {
        FTitle->SetDefault(QStringLiteral("System"), 3);
        FSetBackGround->SetDefaultSet(QStringLiteral("Window"));
        FSetBackGround->SetName(TQzSetRef::DefaultSetMarker());
    }
    TQzMemoryLabel* Caption() const { return FCaption; }
    TQzMemoryLabel* Title() const { return FTitle; }
    TQzMemoryMessage* Message() const { return FMessage; }
    TQzMemoryText* Note() const { return FNote; }
    TQzMemoryImage* Glyph() const { return FGlyph; }
    TQzSetColor* SetColor() const { return FSetColor; }
    TQzSetFont* SetFont() const { return FSetFont; }
    TQzSetBackGround* SetBackGround() const { return FSetBackGround; }
    TQzPrivilege* Privilege() const { return FPrivilege; }
    TQzMask* Mask() const { return FMask; }

private:
    TQzMemoryLabel* FCaption;
    TQzMemoryLabel* FTitle;
    TQzMemoryMessage* FMessage;
    TQzMemoryText* FNote;
    TQzMemoryImage* FGlyph;
    TQzSetColor* FSetColor;
    TQzSetFont* FSetFont;
    TQzSetBackGround* FSetBackGround;
    TQzPrivilege* FPrivilege;
    TQzMask* FMask;
};

namespace {

class Refs : public PkgTest {
protected:
    void SetUp() override {
        PkgTest::SetUp();
        RegisterClasses<TRefsTestHolder>();
        FForm.SetName(QStringLiteral("Form1"));
        FHolder = new TRefsTestHolder(&FForm);
        FHolder->SetName(QStringLiteral("Label1"));
    }

    // The form written and read back, and the holder in the copy.
    std::unique_ptr<TComponent> roundTrip(QByteArray* text = nullptr) {
        const QByteArray written = WriteComponentText(&FForm);
        if (text)
            *text = written;
        std::unique_ptr<TComponent> copy(ReadComponentText(written));
        return copy;
    }
    static TRefsTestHolder* holderIn(const std::unique_ptr<TComponent>& form) {
        return qobject_cast<TRefsTestHolder*>(form->FindComponent(QStringLiteral("Label1")));
    }

    TForm FForm;
    TRefsTestHolder* FHolder = nullptr;
};

QStringList trimmedLines(const QByteArray& text) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(u'\n'))
        lines.push_back(line.trimmed());
    return lines;
}

} // namespace

TEST_F(Refs, ReferencesStreamAsAdjacentQualifiedLines) {
    FHolder->Caption()->PkgId(QStringLiteral("Main Pkg"), 12);
    FHolder->Message()->SetId(5); // the name stays empty but is written with the id
    FHolder->Title()->SetId(-1);  // "none" on a property with a default
    FHolder->Glyph()->PkgId(QStringLiteral("Images"), -2);
    FHolder->SetColor()->SetName(QStringLiteral("sc1"));
    FHolder->Privilege()->SetId(7);
    FHolder->Privilege()->SetAccess(TQzPrivilege::acRead);

    QByteArray text;
    auto copy = roundTrip(&text);
    const QStringList lines = trimmedLines(text);
    auto pairAt = [&](const QString& prop, const QString& pkg, const QString& id) {
        const qsizetype at = lines.indexOf(prop + QStringLiteral(".PkgName = ") + pkg);
        ASSERT_GE(at, 0) << text.toStdString();
        EXPECT_EQ(lines.value(at + 1), prop + QStringLiteral(".Id = ") + id) << text.toStdString();
    };
    pairAt(QStringLiteral("Caption"), QStringLiteral("'Main Pkg'"), QStringLiteral("12"));
    pairAt(QStringLiteral("Message"), QStringLiteral("''"), QStringLiteral("5"));
    pairAt(QStringLiteral("Title"), QStringLiteral("''"), QStringLiteral("-1"));
    pairAt(QStringLiteral("Glyph"), QStringLiteral("'Images'"), QStringLiteral("-2"));
    EXPECT_TRUE(lines.contains(QStringLiteral("SetColor.Name = 'sc1'")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Privilege.Id = 7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Privilege.Access = acRead")));
    // Fresh references and the default set leave no line.
    EXPECT_FALSE(text.contains("Note."));
    EXPECT_FALSE(text.contains("SetBackGround"));
    EXPECT_FALSE(text.contains("SetFont"));
    EXPECT_FALSE(text.contains("Mask."));

    TRefsTestHolder* back = holderIn(copy);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Caption()->PkgName(), QStringLiteral("Main Pkg"));
    EXPECT_EQ(back->Caption()->Id(), 12);
    EXPECT_EQ(back->Message()->Id(), 5);
    EXPECT_EQ(back->Title()->Id(), -1);
    EXPECT_EQ(back->Glyph()->PkgName(), QStringLiteral("Images"));
    EXPECT_EQ(back->Glyph()->Id(), -2);
    EXPECT_EQ(back->Note()->Id(), -1);
    EXPECT_EQ(back->SetColor()->Name(), QStringLiteral("sc1"));
    EXPECT_TRUE(back->SetBackGround()->IsDefault());
    EXPECT_EQ(back->SetBackGround()->SetNameResolved(), QStringLiteral("Window"));
    EXPECT_EQ(back->Privilege()->Id(), 7);
    EXPECT_EQ(back->Privilege()->Access(), TQzPrivilege::acRead);

    // Putting a reference back to its fresh state removes its lines again.
    FHolder->Title()->SetId(TQzMemoryRef::DefaultItem);
    FHolder->Caption()->PkgId(QString(), -1);
    const QByteArray cleared = WriteComponentText(&FForm);
    EXPECT_FALSE(cleared.contains("Title."));
    EXPECT_FALSE(cleared.contains("Caption."));
}

TEST_F(Refs, FormTextEditedByHandReadsBack) {
    const QByteArray text = "object Form1: TForm\n"
                            "  object Label1: TRefsTestHolder\n"
                            "    Caption.PkgName = 'User'\n"
                            "    Caption.Id = 40\n"
                            "    Message.Id = 3\n"
                            "    SetFont.Name = 'Bold'\n"
                            "    Mask.DataType = dtDateTime\n"
                            "    Mask.Text = '<dmy'\n"
                            "    Mask.Size = 9999999\n"
                            "  end\n"
                            "end\n";
    std::unique_ptr<TComponent> form(ReadComponentText(text));
    auto* holder = holderIn(form);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->Caption()->PkgName(), QStringLiteral("User"));
    EXPECT_EQ(holder->Caption()->Id(), 40);
    EXPECT_EQ(holder->Message()->PkgName(), QString());
    EXPECT_EQ(holder->Message()->Id(), 3);
    EXPECT_EQ(holder->Title()->Id(), TQzMemoryRef::DefaultItem); // lines absent: the default
    EXPECT_EQ(holder->SetFont()->Name(), QStringLiteral("Bold"));
    EXPECT_EQ(holder->Mask()->DataType(), dtDateTime);
    EXPECT_EQ(holder->Mask()->Size(), 9999999);

    // Values a reference or mask cannot hold fail the read, naming the property.
    auto refused = [](const QByteArray& line) {
        const QByteArray bad = "object Label1: TRefsTestHolder\n  " + line + "\nend\n";
        return errorOf([&] { std::unique_ptr<TComponent>(ReadComponentText(bad)); });
    };
    EXPECT_NE(refused("Caption.Id = 'twelve'").find("Label1.Caption.Id"), std::string::npos);
    EXPECT_NE(refused("Caption.Id = 4294967296").find("An item id must be between"),
              std::string::npos);
    EXPECT_NE(refused("Caption.PkgName = 3").find("Label1.Caption.PkgName"), std::string::npos);
    EXPECT_NE(refused("Mask.Size = 10000000").find("The mask size must be between 0 and 9999999"),
              std::string::npos);
    EXPECT_NE(refused("Mask.DataType = 9").find("9 is not a value of TQzDataType"),
              std::string::npos);
    EXPECT_NE(refused("Privilege.Access = 3").find("3 is not a value of TQzAccess"),
              std::string::npos);
    EXPECT_NE(refused("Mask.DateYear = dyNever").find("dyNever"), std::string::npos);
}

TEST_F(Refs, ClassesResolveByNameForTypeResolution) {
    const QMetaObject* holder = &TRefsTestHolder::staticMetaObject;
    const std::pair<const char*, const char*> expected[] = {
        {"Caption", "TQzMemoryLabel"},
        {"Message", "TQzMemoryMessage"},
        {"Note", "TQzMemoryText"},
        {"Glyph", "TQzMemoryImage"},
        {"SetColor", "TQzSetColor"},
        {"SetFont", "TQzSetFont"},
        {"SetBackGround", "TQzSetBackGround"},
        {"Privilege", "TQzPrivilege"},
        {"Mask", "TQzMask"},
    };
    for (const auto& [prop, cls] : expected) {
        const QMetaObject* meta = PropertyClass(holder, QString::fromLatin1(prop));
        ASSERT_TRUE(meta) << prop;
        EXPECT_STREQ(meta->className(), cls);
        TClass registered = GetClass(QString::fromLatin1(cls));
        ASSERT_TRUE(registered) << cls;
        std::unique_ptr<QObject> made(registered->Create(nullptr));
        EXPECT_EQ(made->metaObject(), meta);
    }
    EXPECT_TRUE(FindPublishedProperty(&TQzMemoryLabel::staticMetaObject, QStringLiteral("pkgname"))
                    .isValid());
    EXPECT_TRUE(
        FindPublishedProperty(&TQzSetColor::staticMetaObject, QStringLiteral("Name")).isValid());

    // Enumeration names come from the type information, in declaration order.
    const QMetaEnum dataTypes = QMetaEnum::fromType<TQzDataType>();
    EXPECT_EQ(dataTypes.keyCount(), 7);
    EXPECT_STREQ(dataTypes.valueToKey(dtMemo), "dtMemo");
    EXPECT_EQ(QMetaEnum::fromType<TQzMaskTake>().keyCount(), 3);
    EXPECT_EQ(QMetaEnum::fromType<TQzDateYear>().keyCount(), 3);
    EXPECT_STREQ(QMetaEnum::fromType<TQzPrivilege::TQzAccess>().valueToKey(2), "acReadWrite");
}

TEST_F(Refs, TextAndHintComeFromTheNamedStringsPackage) {
    auto* pkg = new TQzPkgStrings(&FForm);
    pkg->SetName(QStringLiteral("PkgMain"));
    pkg->SetPkgName(QStringLiteral("Main"));
    pkg->Labels()->Add(4, QStringLiteral("Save"), QStringLiteral("Saves the file"));
    pkg->Messages()->Add(4, QStringLiteral("Saved."));
    pkg->Texts()->Add(4, QStringLiteral("A longer text"));
    auto* system = new TQzPkgStrings(&FForm);
    system->SetName(QStringLiteral("System"));
    system->Labels()->Add(3, QStringLiteral("OK"));
    // An unnamed package must not answer references without a package name.
    TQzPkgStrings unnamed;
    unnamed.Labels()->Add(4, QStringLiteral("wrong"));

    FHolder->Caption()->PkgId(QStringLiteral("MAIN"), 4);
    FHolder->Message()->PkgId(QStringLiteral("Main"), 4);
    FHolder->Note()->PkgId(QStringLiteral("Main"), 4);
    EXPECT_EQ(FHolder->Caption()->Text(), QStringLiteral("Save"));
    EXPECT_EQ(FHolder->Caption()->Hint(), QStringLiteral("Saves the file"));
    EXPECT_EQ(FHolder->Message()->Text(), QStringLiteral("Saved."));
    EXPECT_EQ(FHolder->Note()->Text(), QStringLiteral("A longer text"));

    // The default item answers for -2.
    EXPECT_EQ(FHolder->Title()->Text(), QStringLiteral("OK"));
    EXPECT_FALSE(FHolder->Title()->Defined());

    // Missing package, missing id, no id, no package name: empty.
    FHolder->Caption()->PkgId(QStringLiteral("Gone"), 4);
    EXPECT_EQ(FHolder->Caption()->Text(), QString());
    FHolder->Caption()->PkgId(QStringLiteral("Main"), 5);
    EXPECT_EQ(FHolder->Caption()->Hint(), QString());
    FHolder->Caption()->PkgId(QStringLiteral("Main"), -1);
    EXPECT_EQ(FHolder->Caption()->Text(), QString());
    FHolder->Caption()->PkgId(QString(), 4);
    EXPECT_EQ(FHolder->Caption()->Text(), QString());

    // A package freed with its form is no longer found.
    FHolder->Caption()->PkgId(QStringLiteral("Main"), 4);
    delete pkg;
    EXPECT_EQ(FHolder->Caption()->Text(), QString());
}

TEST_F(Refs, AssignCopiesBetweenReferencesOfOneClass) {
    TRefsTestHolder other;
    FHolder->Caption()->PkgId(QStringLiteral("Main"), 9);
    other.Title()->Assign(FHolder->Caption());
    EXPECT_EQ(other.Title()->PkgName(), QStringLiteral("Main"));
    EXPECT_EQ(other.Title()->Id(), 9);
    // The default belongs to the property: kept where there is one, taken where there is none.
    EXPECT_EQ(other.Title()->DefaultId(), 3);
    TQzMemoryLabel loose;
    loose.Assign(FHolder->Title());
    EXPECT_TRUE(loose.HasDefault());
    EXPECT_EQ(loose.DefaultPkgName(), QStringLiteral("System"));
    EXPECT_EQ(loose.Id(), TQzMemoryRef::DefaultItem);

    // A label cannot become a message, nor a colour set a font set.
    FHolder->Message()->PkgId(QStringLiteral("Msgs"), 2);
    EXPECT_THROW(FHolder->Message()->Assign(FHolder->Caption()), EConvertError);
    EXPECT_EQ(FHolder->Message()->PkgName(), QStringLiteral("Msgs"));
    FHolder->SetFont()->SetName(QStringLiteral("Bold"));
    EXPECT_THROW(FHolder->SetFont()->Assign(FHolder->SetColor()), EConvertError);
    EXPECT_EQ(FHolder->SetFont()->Name(), QStringLiteral("Bold"));

    other.SetFont()->Assign(FHolder->SetFont());
    EXPECT_EQ(other.SetFont()->Name(), QStringLiteral("Bold"));
    TQzSetBackGround looseSet;
    looseSet.Assign(FHolder->SetBackGround());
    EXPECT_EQ(looseSet.SetNameResolved(), QStringLiteral("Window"));

    FHolder->Privilege()->SetId(11);
    FHolder->Privilege()->SetAccess(TQzPrivilege::acNone);
    other.Privilege()->Assign(FHolder->Privilege());
    EXPECT_EQ(other.Privilege()->Id(), 11);
    EXPECT_EQ(other.Privilege()->Access(), TQzPrivilege::acNone);
}

TEST_F(Refs, PrivilegeInfoComesFromTheInstalledLookup) {
    FHolder->Privilege()->SetId(7);
    EXPECT_FALSE(FHolder->Privilege()->Info());
    QzSetPrivilegeLookup([](int id) -> std::optional<QString> {
        if (id == 7)
            return QStringLiteral("Edit customers");
        return std::nullopt;
    });
    const auto info = FHolder->Privilege()->Info();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Id, 7);
    EXPECT_EQ(info->Name, QStringLiteral("Edit customers"));
    FHolder->Privilege()->SetId(8);
    EXPECT_FALSE(FHolder->Privilege()->Info());
    FHolder->Privilege()->SetId(-1);
    EXPECT_FALSE(FHolder->Privilege()->Info());
    QzSetPrivilegeLookup(nullptr);

    EXPECT_EQ(errorOf([&] { FHolder->Privilege()->SetAccess(TQzPrivilege::TQzAccess(3)); }),
              "The access level must be between 0 and 2, not 3");
    EXPECT_EQ(FHolder->Privilege()->Access(), TQzPrivilege::acReadWrite);
}

TEST_F(Refs, MaskRefusesValuesOutOfRangeAndKeepsAFixedDataType) {
    TQzMask* mask = FHolder->Mask();
    mask->SetSize(9999999);
    mask->SetDecimals(15);
    EXPECT_EQ(errorOf([&] { mask->SetSize(10000000); }),
              "The mask size must be between 0 and 9999999, not 10000000");
    EXPECT_THROW(mask->SetSize(-1), EQzError);
    EXPECT_EQ(errorOf([&] { mask->SetDecimals(16); }),
              "The mask decimals must be between 0 and 15, not 16");
    EXPECT_THROW(mask->SetTake(TQzMaskTake(3)), EQzError);
    EXPECT_THROW(mask->SetDateYear(TQzDateYear(-1)), EQzError);
    EXPECT_THROW(mask->SetDataType(TQzDataType(7)), EQzError);
    EXPECT_EQ(mask->Size(), 9999999);
    EXPECT_EQ(mask->Decimals(), 15);
    EXPECT_EQ(mask->Take(), mtValue);
    EXPECT_EQ(mask->DataType(), dtString);

    mask->SetDataType(dtCurrency);
    mask->SetText(QStringLiteral(">-."));
    mask->SetTake(mtMaskedText);
    mask->SetDateYear(dyFourDigits);
    auto copy = roundTrip();
    TQzMask* back = holderIn(copy)->Mask();
    EXPECT_EQ(back->DataType(), dtCurrency);
    EXPECT_EQ(back->Text(), QStringLiteral(">-."));
    EXPECT_EQ(back->Size(), 9999999);
    EXPECT_EQ(back->Take(), mtMaskedText);
    EXPECT_EQ(back->Decimals(), 15);
    EXPECT_EQ(back->DateYear(), dyFourDigits);

    // A control made for dates fixes its mask's type: Assign keeps it, SetDataType refuses.
    TQzMask dates;
    dates.SetDataType(dtDateTime);
    dates.SetDataTypeEditable(false);
    dates.Assign(mask);
    EXPECT_EQ(dates.DataType(), dtDateTime);
    EXPECT_EQ(dates.Text(), QStringLiteral(">-."));
    EXPECT_EQ(dates.Size(), 9999999);
    EXPECT_EQ(errorOf([&] { dates.SetDataType(dtString); }),
              "The data type of this mask cannot be changed");
    dates.SetDataType(dtDateTime);
}

#include "RefsTest.moc"
