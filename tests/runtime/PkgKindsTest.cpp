// What every package kind shares: its own file, its content inside a form, and loads of bad
// files or damaged content that leave the package as it was. The kinds' own rules are tested
// beside each kind.

#include "ComponentStreams.h"
#include "Controls.h"
#include "FileWrite.h"
#include "ImagesTestSupport.h"
#include "PkgTestSupport.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgPrivileges.h"
#include "QzPkgSetup.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"

#include <QFileInfo>
#include <bit>
#include <climits>
#include <functional>
#include <limits>
#include <memory>

namespace {

using V = TQzPkgVarsItem;

template <typename P>
P& as(TQzPkgInfo& pkg) {
    return static_cast<P&>(pkg);
}

QStringList describeData(TQzPkgInfo& pkg) {
    return published(pkg.Data());
}

void fillStrings(TQzPkgInfo& pkg) {
    auto& strings = as<TQzPkgStrings>(pkg);
    strings.Labels()->Add(1, QStringLiteral("Save"), QStringLiteral("Saves the record"));
    strings.Labels()->Add(12, QStringLiteral(u"Zurück\r\nzwei Zeilen, 'quoted'"));
    strings.Labels()->FindId(1)->Protected = true;
    strings.Messages()->Add(2, QStringLiteral("Done."));
    strings.Texts()->Add(7, QString(70000, u'x'));
    strings.Data()->FEditorLeft = 40;
}

void fillImages(TQzPkgInfo& pkg) {
    auto& images = as<TQzPkgImages>(pkg);
    fillImage(*images.Images()->Add(3));
    auto* bmp = images.Images()->Add(10);
    bmp->SetPicture(encoded(testPicture(5, 7, 40), "bmp"), QStringLiteral("TBitmap"));
    bmp->Protected = true;
    images.Images()->Add(11); // no picture
    images.Data()->FEditorState = 2;
    images.SetRgnSettings({5, 6, 700, 500, 4, 2, false, false});
}

// Pictures and masks are no published values: the image file format carries all of them.
QStringList describeImages(TQzPkgInfo& pkg) {
    QStringList lines = published(pkg.Data());
    const TQzPkgImagesImages* images = as<TQzPkgImages>(pkg).Images();
    for (int i = 0; i < images->Count(); ++i)
        lines << QString::fromLatin1(images->GetItems(i)->SaveToImqz().toHex());
    return lines;
}

const QString DeepFolder = [] {
    QStringList names;
    for (int level = 1; level <= QzPkgVarsMaxDepth; ++level)
        names.push_back(QStringLiteral("L%1").arg(level));
    return names.join(u'\\');
}();

// Every type with its edge values, names with blanks, siblings out of alphabetical order and
// folders as deep as they may go.
void fillVars(TQzPkgInfo& info) {
    auto& pkg = as<TQzPkgVars>(info);
    pkg.Add(QStringLiteral("zeta"), V::vtBoolean)->SetVBoolean(true);
    pkg.Add(QStringLiteral("Alpha"), V::vtBoolean);
    pkg.Add(QStringLiteral("Numbers"), V::vtFolder);
    pkg.Add(QStringLiteral("Numbers\\min"), V::vtInteger)->SetVInteger(INT_MIN);
    pkg.Add(QStringLiteral("Numbers\\max"), V::vtInteger)->SetVInteger(INT_MAX);
    pkg.Add(QStringLiteral("Numbers\\zero"), V::vtInteger);
    using L = std::numeric_limits<double>;
    const double floats[] = {0.1,
                             -0.0,
                             L::max(),
                             L::denorm_min(),
                             -L::infinity(),
                             L::quiet_NaN(),
                             std::bit_cast<double>(0x7FF8000000000ABCull),  // NaN with a payload
                             std::bit_cast<double>(0xFFF8000000000001ull),  // negative NaN
                             std::bit_cast<double>(0x7FF0000000000001ull)}; // signalling NaN
    pkg.Add(QStringLiteral("Numbers\\Floats"), V::vtFolder);
    for (std::size_t i = 0; i < std::size(floats); ++i)
        pkg.Add(QStringLiteral("Numbers\\Floats\\f%1").arg(i), V::vtFloat)->SetVFloat(floats[i]);
    pkg.Add(QStringLiteral(" with blanks "), V::vtFolder);
    pkg.Add(QStringLiteral(" with blanks \\Grüße 🌍"), V::vtString)
        ->SetVString(QStringLiteral(u"Zeile 1\r\nZeile 2\t'quoted' 🌍"));
    pkg.Add(QStringLiteral(" with blanks \\long"), V::vtString)->SetVString(QString(70000, u'x'));
    pkg.Add(QStringLiteral("Empty folder"), V::vtFolder);
    QString path;
    for (const QString& name : DeepFolder.split(u'\\')) {
        path += (path.isEmpty() ? QString() : QStringLiteral("\\")) + name;
        pkg.Add(path, V::vtFolder);
    }
    pkg.Add(path.section(u'\\', 0, -2) + QStringLiteral("\\leaf"), V::vtInteger)->SetVInteger(7);
    pkg.Data()->FEditorLeft = 12;
}

// Every item in package order: level, name, type and the exact value, float bits included.
void dumpVars(const TQzPkgVarsItems* items, int level, QStringList& lines) {
    for (const TQzPkgVarsItem* item = items->First(); item; item = item->Next()) {
        const QString value =
            item->ItemType() == V::vtFloat
                ? QString::number(std::bit_cast<quint64>(item->VFloat()), 16)
                : QStringLiteral("%1 %2 %3")
                      .arg(item->ItemType() == V::vtBoolean && item->VBoolean())
                      .arg(item->ItemType() == V::vtInteger ? item->VInteger() : 0)
                      .arg(item->ItemType() == V::vtString ? item->VString() : QString());
        lines << QStringLiteral("%1 [%2] %3 = %4")
                     .arg(level)
                     .arg(item->Ident())
                     .arg(int(item->ItemType()))
                     .arg(value);
        if (item->Children())
            dumpVars(item->Children(), level + 1, lines);
    }
}

QStringList describeVars(TQzPkgInfo& pkg) {
    QStringList lines = published(pkg.Data());
    dumpVars(as<TQzPkgVars>(pkg).Items(), 0, lines);
    return lines;
}

void fillPrivileges(TQzPkgInfo& info) {
    auto& pkg = as<TQzPkgPrivileges>(info);
    pkg.SetAccessKey(QStringLiteral("s3cr3t-KEY"));
    pkg.SetReadStateDisableControl(true);
    TQzPkgPrivilegesItem* admin = pkg.Add(12);
    admin->SetDescription(QStringLiteral(u"Administration – Zugriff"));
    admin->SetAccess(TQzPrivilege::acNone);
    admin->SetVisible(false);
    admin->Protected = true;
    TQzPkgPrivilegesItem* read = pkg.Add(3);
    read->SetAccess(TQzPrivilege::acRead);
    TQzMemoryLabel label;
    label.PkgId(QStringLiteral("Main"), 40);
    read->SetDescriptionId(&label);
    pkg.Add(9999)->SetDescription(QString());
}

void fillDisplay(TQzPkgInfo& info) {
    auto& display = as<TQzPkgDisplay>(info);
    TQzPkgDisplaySetColor* color = display.SetsColor()->Add(QStringLiteral("sc1"));
    color->SetColor(0x00336699);
    color->SetDescription(QStringLiteral("Warnings"));
    color->DescriptionId()->PkgId(QStringLiteral("User"), 17);
    display.SetsColor()->Add(QStringLiteral(u"Ärger"))->SetColor(int(0xFF000005));
    TQzPkgDisplaySetFont* font = display.SetsFont()->Add(QStringLiteral("sf1"));
    font->Font()->SetName(QStringLiteral("DejaVu Serif"));
    font->Font()->SetStyle(TQzPkgDisplayFont::fsBold | TQzPkgDisplayFont::fsStrikeOut);
    font->Font()->SetColor(0x000000FF);
    font->Font()->SetCharset(238);
    font->SetSize(14);
    TQzPkgDisplaySetBackGround* back = display.SetsBackGround()->Add(QStringLiteral("sb1"));
    back->SetStyle(bgsEllipse);
    back->SetStartGraColor(0x00102030);
    back->SetEndGraColor(0x00405060);
    back->SetSolidColor(0x00708090);
    back->SetTransparent(true);
    back->Image()->PkgId(QStringLiteral("System"), 48);
    back->SetDescription(QStringLiteral("Main window"));
    display.SetCWTitleHeight(30);
    display.SetCWWinRgn(6);
    display.SetHiMarginBottom(9);
    display.SetUserColors({1, 2, 3});
    display.SetLastUpdateFile(QStringLiteral("/opt/base/Standard.dis"));
    display.SetUpdateDateTime(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    fillImage(*display.SystemImages()->Images()->Add(48));
    display.SystemImages()->Images()->FindId(48)->Protected = true;
    display.UserImages()->Images()->Add(1)->SetPicture(testPicture(8, 8, 2));
}

QStringList describeDisplay(TQzPkgInfo& pkg) {
    auto& display = as<TQzPkgDisplay>(pkg);
    return published(pkg.Data()) + describeImages(*display.SystemImages()) +
           describeImages(*display.UserImages());
}

void fillLanguage(TQzPkgInfo& info) {
    auto& language = as<TQzPkgLanguage>(info);
    fillStrings(*language.SystemStrings());
    language.UserStrings()->Texts()->Add(3, QStringLiteral(u"Grüße\r\nzwei"));
    TQzPkgLanguageLocale* locale = language.Locale();
    locale->SetAutoLoad(false);
    locale->SetDateSeparator(u'-');
    locale->SetTimeSeparator(u'.');
    locale->SetNumericTrousandSeparator(u' ');
    locale->SetNumericDecimalSeparator(u',');
    locale->SetDateFormat(dfYMD);
    locale->SetMaskDateYear(dyFourDigits);
    locale->SetStartOfWeek(TQzPkgLanguageLocale::swSaturday);
    locale->SetStartWeekYear(TQzPkgLanguageLocale::wyFirstFullWeek);
    locale->SetDateCentury(2030);
    locale->SetDateYearFix(1900);
    locale->SetTimeAMString(QStringLiteral("vorm."));
    locale->SetTimePMString(QStringLiteral("nachm."));
    locale->SetNumericCurrencyString(QStringLiteral("EUR"));
    locale->SetMaskDecimals(4);
    locale->SetNumericCurrencyFormat(3);
    QStringList months;
    for (int i = 1; i <= 12; ++i)
        months.push_back(QStringLiteral("M%1").arg(i));
    locale->SetMonthShortNames(months);
    locale->SetDayLongNames({"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"});
    language.SetLastUpdateFile(QStringLiteral("/base/Standard.lan"));
    language.SetLastUpdateDate(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC));
}

QStringList describeLanguage(TQzPkgInfo& pkg) {
    auto& language = as<TQzPkgLanguage>(pkg);
    return published(pkg.Data()) + published(language.SystemStrings()->Data()) +
           published(language.UserStrings()->Data());
}

int shortCut(QKeyCombination keys) {
    return keys.toCombined();
}

void fillSetup(TQzPkgInfo& pkg) {
    auto& setup = as<TQzPkgSetup>(pkg);
    TQzPkgSetupKeys* keys = setup.Keys();
    keys->SetInsertRecord(shortCut(Qt::CTRL | Qt::Key_N));
    keys->SetPostRecord(shortCut(Qt::SHIFT | Qt::CTRL | Qt::Key_F12));
    keys->SetButtonCustom2(0);
    keys->SetInsertMode(true);
    keys->SetActionEnter(false);
    keys->SetDeleteType(TQzPkgSetupKeys::dltGrids);
    TQzPkgSetupDataBase* db = setup.DataBase();
    db->SetDataBaseEngine(TQzPkgSetupDataBase::dbeManual);
    db->SetDateFormat(dfYMD);
    db->SetDateSeparator(u'-');
    db->SetTimeSeparator(QChar(0)); // an empty edit stores none
    db->SetNumericDecimalSeparator(u',');
    db->SetQuotedNumber(true);
    db->SetSQLSyntax(true);
}

} // namespace

const std::vector<PkgKind>& pkgKinds() {
    static const std::vector<PkgKind> kinds{
        {TQzPkgKind::Strings, "pst", QzReadPkgStringsDescription, fillStrings,
         [](TQzPkgInfo& p) { as<TQzPkgStrings>(p).Labels()->Add(99, QStringLiteral("keep")); },
         describeData},
        {TQzPkgKind::Images, "pim", QzReadPkgImagesDescription, fillImages,
         [](TQzPkgInfo& p) {
             as<TQzPkgImages>(p).Images()->Add(77)->SetPicture(testPicture(3, 3));
         },
         describeImages},
        {TQzPkgKind::Vars, "pvr", QzReadPkgVarsDescription, fillVars,
         [](TQzPkgInfo& p) {
             as<TQzPkgVars>(p).Add(QStringLiteral("keep"), V::vtFloat)->SetVFloat(1.5);
         },
         describeVars},
        {TQzPkgKind::Privileges, "pac", QzReadPkgAccessDescription, fillPrivileges,
         [](TQzPkgInfo& p) {
             as<TQzPkgPrivileges>(p).Add(1)->SetDescription(QStringLiteral("keep"));
             as<TQzPkgPrivileges>(p).SetAccessKey(QStringLiteral("mine"));
         },
         describeData},
        // The nested images and strings are part of the content: a bad later part must not
        // leave new earlier parts behind.
        {TQzPkgKind::Display, "dis", QzReadPkgDisplayDescription, fillDisplay,
         [](TQzPkgInfo& p) {
             auto& display = as<TQzPkgDisplay>(p);
             display.SetsColor()->Add(QStringLiteral("keep"));
             display.SystemImages()->Images()->Add(2)->SetPicture(testPicture(2, 2));
             display.UserImages()->Images()->Add(3);
         },
         describeDisplay},
        {TQzPkgKind::Language, "lan", QzReadPkgLanguageDescription, fillLanguage,
         [](TQzPkgInfo& p) {
             auto& language = as<TQzPkgLanguage>(p);
             language.SystemStrings()->Labels()->Add(1, QStringLiteral("keep"));
             language.UserStrings()->Messages()->Add(2, QStringLiteral("keep too"));
             language.Locale()->SetAutoLoad(false);
             language.Locale()->SetDateSeparator(u'#');
         },
         describeLanguage},
        {TQzPkgKind::Setup, "stp", QzReadPkgSetupDescription, fillSetup,
         [](TQzPkgInfo& p) { as<TQzPkgSetup>(p).Keys()->SetInsertRecord(Qt::Key_F9); },
         describeData},
    };
    return kinds;
}

const PkgKind& pkgKind(TQzPkgKind kind) {
    for (const PkgKind& k : pkgKinds())
        if (k.Kind == kind)
            return k;
    throw std::logic_error("no such kind");
}

namespace {

class PkgKinds : public PkgTest, public ::testing::WithParamInterface<PkgKind> {
protected:
    std::unique_ptr<TQzPkgInfo> make(void (*content)(TQzPkgInfo&) = nullptr) const {
        std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(GetParam().Kind));
        if (content)
            content(*pkg);
        return pkg;
    }
    // `name` with the kind's extension, in the application folder.
    QString file(const char* name) const {
        return path(QString::fromLatin1(name) + u'.' + QLatin1String(GetParam().Ext));
    }
    QByteArray fileBytes(const char* name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_P(PkgKinds, FileAndFormKeepEverything) {
    const PkgKind& kind = GetParam();
    // One line each, so that a failure shows the lines that differ.
    auto describe = [&](TQzPkgInfo& pkg) {
        return kind.Describe(pkg).join(u'\n').toStdString();
    };
    auto pkg = make(kind.Fill);
    const std::string filled = describe(*pkg);
    EXPECT_NE(filled, describe(*make()));
    pkg->SetDescription(QStringLiteral(u"Shared – v2"));
    pkg->SaveToFile(file("main"));
    EXPECT_EQ(kind.ReadDescription(file("main")), QStringLiteral(u"Shared – v2"));
    const PkgKind& other = pkgKinds()[kind.Kind == TQzPkgKind::Strings ? 1 : 0];
    EXPECT_EQ(other.ReadDescription(file("main")), QString());

    auto copy = make(kind.Keep);
    copy->LoadFromFile(file("main"));
    EXPECT_EQ(describe(*copy), filled);
    EXPECT_EQ(copy->ContentBytes(), pkg->ContentBytes());
    EXPECT_EQ(copy->Description(), pkg->Description());
    // LoadFromFile leaves where the package is kept alone.
    EXPECT_FALSE(copy->IsFileStored());
    EXPECT_TRUE(copy->FileName().isEmpty());

    TForm form;
    form.SetName(QStringLiteral("Form1"));
    TQzPkgInfo* held = QzCreatePackage(kind.Kind, &form);
    held->SetName(QStringLiteral("Pkg1"));
    kind.Fill(*held);
    const QByteArray text = WriteComponentText(&form);
    EXPECT_EQ(text.count("PkgData = {"), 1);
    std::unique_ptr<TComponent> back(ReadComponentText(text));
    auto* read = qobject_cast<TQzPkgInfo*>(back->FindComponent(QStringLiteral("Pkg1")));
    ASSERT_TRUE(read);
    EXPECT_EQ(describe(*read), filled);
    EXPECT_EQ(read->ContentBytes(), held->ContentBytes());

    // Corrupt content fails the read of the form.
    QByteArray broken = text;
    const auto at = broken.indexOf("PkgData = {") + 20;
    broken[at] = broken[at] == '0' ? '1' : '0';
    EXPECT_THROW(ReadComponentText(broken), Exception);

    // A package in its own file leaves only the file name in the form and reads it on load.
    held->SaveFileEx(QStringLiteral("own"), TQzPkgInfo::imFILE);
    EXPECT_EQ(held->FileName(), file("own"));
    EXPECT_TRUE(held->IsFileStored());
    const QByteArray fileText = WriteComponentText(&form);
    EXPECT_FALSE(fileText.contains("PkgData"));
    std::unique_ptr<TComponent> fromFile(ReadComponentText(fileText));
    auto* loaded = qobject_cast<TQzPkgInfo*>(fromFile->FindComponent(QStringLiteral("Pkg1")));
    EXPECT_EQ(loaded->ContentBytes(), held->ContentBytes());
}

TEST_P(PkgKinds, BadFilesLeaveThePackageAsItWas) {
    const PkgKind& kind = GetParam();
    make(kind.Fill)->SaveToFile(file("good"));
    const QByteArray bytes = fileBytes("good");
    auto pkg = make(kind.Keep);
    const QByteArray before = pkg->ContentBytes();
    auto expectRefused = [&](const QByteArray& content, const std::string& problem) {
        if (!content.isNull())
            writeBytes(QFileInfo(file("bad")).fileName(), content);
        const std::string message = errorOf([&] { pkg->LoadFromFile(file("bad")); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_NE(message.find(QFileInfo(file("bad")).fileName().toStdString()), std::string::npos)
            << message;
        EXPECT_EQ(pkg->ContentBytes(), before);
    };
    expectRefused(QByteArray(), "the file does not exist");
    expectRefused("hello", "it is not a package file");
    for (qsizetype n : {qsizetype(6), qsizetype(12), qsizetype(30), bytes.size() - 1})
        expectRefused(bytes.left(n), "truncated");
    QByteArray flipped = bytes;
    flipped[flipped.size() - 10] = char(flipped[flipped.size() - 10] ^ 0x20);
    expectRefused(flipped, "checksum mismatch");
    QByteArray newer = bytes;
    newer[5] = 9;
    expectRefused(newer, "format version 9 is newer");
    const TQzPkgKind foreignKind = pkgKinds()[kind.Kind == TQzPkgKind::Strings ? 1 : 0].Kind;
    QByteArray foreign = bytes;
    foreign[4] = char(foreignKind);
    expectRefused(foreign,
                  QStringLiteral("it holds %1, not %2")
                      .arg(QzPkgKindWithArticle(foreignKind), QzPkgKindWithArticle(kind.Kind))
                      .toStdString());
    // A failed save keeps the previous file.
    pkg->SetDescription(QString(70 * 1024, u'd')); // longer than a header takes
    EXPECT_THROW(pkg->SaveToFile(file("good")), EQzError);
    EXPECT_EQ(fileBytes("good"), bytes);
    pkg->SetDescription(QString());
    EXPECT_THROW(pkg->SaveToFile(path(QStringLiteral("no/such/folder/x"))), EFileWriteError);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PkgKinds, ::testing::ValuesIn(pkgKinds()),
                         [](const ::testing::TestParamInfo<PkgKind>& info) {
                             return QzPkgKindName(info.param.Kind).toStdString();
                         });

namespace {

// The property at `path` ("Items/1/Id": a property, an item's index, one of its properties),
// added where the item has none.
TFormProperty& propertyAt(TFormObject& object, const QString& path) {
    const QStringList parts = path.split(u'/');
    std::vector<TFormProperty>* properties = &object.Properties;
    for (qsizetype i = 0;; i += 2) {
        auto it = std::find_if(properties->begin(), properties->end(),
                               [&](const TFormProperty& p) { return p.Name == parts[i]; });
        if (it == properties->end())
            it = properties->insert(properties->end(), {parts[i], TFormValue()});
        if (i + 1 == parts.size())
            return *it;
        properties = &it->Value.Items[parts[i + 1].toInt()].Properties;
    }
}

using Edit = std::function<void(TFormObject&)>;

Edit set(const char* path, const TFormValue& value) {
    return [=](TFormObject& object) {
        propertyAt(object, QString::fromLatin1(path)).Value = value;
    };
}

Edit setBytes(const char* path, const std::function<void(QByteArray&)>& change) {
    return [=](TFormObject& object) {
        change(propertyAt(object, QString::fromLatin1(path)).Value.Bytes);
    };
}

TFormValue collection() {
    TFormValue list;
    list.kind = TFormValue::Collection;
    return list;
}
TFormValue integer(qint64 value) {
    return TFormValue::makeInteger(value);
}
TFormValue text(const char* value) {
    return TFormValue::makeString(QString::fromUtf8(value));
}

// Content of one package kind, damaged by `edit`.
QByteArray damaged(TQzPkgKind kind, const Edit& edit) {
    std::unique_ptr<TQzPkgInfo> good(QzCreatePackage(kind));
    pkgKind(kind).Fill(*good);
    TFormObject object = ReadBinaryForm(good->ContentBytes());
    edit(object);
    return WriteBinaryForm(object);
}

struct Damage {
    TQzPkgKind Kind;
    Edit Change;
    std::string Problem;
};
void PrintTo(const Damage& damage, std::ostream* os) {
    *os << damage.Problem;
}

std::vector<Damage> damages() {
    using K = TQzPkgKind;
    // Nested content is made when the test runs, after the classes are registered.
    auto nested = [](const char* path, const std::function<QByteArray()>& content) -> Edit {
        return [=](TFormObject& o) {
            propertyAt(o, QString::fromLatin1(path)).Value = TFormValue::makeBinary(content());
        };
    };
    auto twiceOne = [] {
        return damaged(K::Strings, set("Labels/1/Id", integer(1)));
    };
    auto locale = [] {
        TQzPkgLanguageLocale l;
        return WriteBinaryForm(PersistentToFormObject(&l));
    };
    auto picture = [](int item, const std::function<void(TFormValue&)>& change) {
        return [=](TFormObject& o) {
            change(propertyAt(o, QStringLiteral("Images/%1/Picture").arg(item)).Value);
        };
    };
    return {
        {K::Strings, set("Labels/1/Id", integer(1)), "There is already a label with the id 1"},
        {K::Images, set("Images/1/Id", integer(3)), "There is already an image with the id 3"},
        {K::Images, picture(1, [](TFormValue& v) { v.Elements[1].Bytes.truncate(20); }),
         "the picture does not decode as Bitmaps"},
        {K::Images, picture(0, [](TFormValue& v) { v.Elements[0].Str = "TMetafile"; }),
         "the graphic class \"TMetafile\" is not available"},
        {K::Images,
         set("Images/0/InternalMask",
             TFormValue::makeBinary(QByteArray("\2\0\0\0\2\0\0\0\17\0\0\0\1\0\0\0", 16))),
         "The internal mask of image 3 reaches outside its 16x12 picture"},
        {K::Images, set("Images/2/ExternalMask", TFormValue::makeBinary(QByteArray())),
         "The external mask of image 11 has no picture to apply to"},
        {K::Images, set("Images/0/AdjustDown2", integer(-2)),
         "A stretch margin cannot be negative (-2)"},
        {K::Images, setBytes("Images/0/ExternalMask", [](QByteArray& b) { b.chop(3); }),
         "the external mask data is damaged"},
        {K::Vars, set("Items/1/Ident", text("ZETA")),
         "There is already an item named \"zeta\" at the top level"},
        {K::Vars, set("Items/1/Ident", text("a\\b")), "cannot contain \"\\\""},
        {K::Vars, set("Items/0/VString", text("1")),
         "The variable \"zeta\" is of type Boolean, not String"},
        {K::Vars, set("Items/2/Items/0/VInteger", integer(1LL << 40)),
         "Value 1099511627776 out of range"},
        {K::Vars, set("Items/0/ItemType", integer(9)), "9 is not a value of TQzPkgVarsItemType"},
        {K::Vars, set("Items/0/Items", collection()), "Invalid property value"},
        {K::Vars,
         [](TFormObject& o) {
             std::erase_if(propertyAt(o, QStringLiteral("Items")).Value.Items[0].Properties,
                           [](const TFormProperty& p) { return p.Name == "Ident"; });
         },
         "An item at the top level has no name"},
        {K::Privileges, set("Items/1/Id", integer(12)),
         "There is already a privilege with the id 12"},
        {K::Privileges, set("Items/1/Access", integer(5)), "5 is not a value of TQzAccess"},
        {K::Privileges, set("Items/1/Access", TFormValue::makeIdent("acEverything")),
         "Invalid property value 'acEverything'"},
        {K::Display,
         [](TFormObject& o) {
             QByteArray& user = propertyAt(o, QStringLiteral("UserImages")).Value.Bytes;
             TFormObject images = ReadBinaryForm(user);
             propertyAt(images, QStringLiteral("Images/0/Picture"))
                 .Value.Elements[1]
                 .Bytes.truncate(30);
             user = WriteBinaryForm(images);
         },
         "the User images are unreadable"},
        {K::Display, setBytes("SystemImages", [](QByteArray& b) { b.chop(1); }),
         "the System images are unreadable"},
        {K::Display, set("SetsColor/1/Name", text("SC1")),
         "There is already a colour set named \"sc1\""},
        {K::Display, set("SetsFont/0/Size", integer(-3)),
         "A font size must be between 1 and 1638, not -3"},
        {K::Display, set("CWTitleHeight", integer(-1)), "CWTitleHeight cannot be negative (-1)"},
        {K::Display,
         [](TFormObject& o) {
             propertyAt(o, QStringLiteral("UserColors")).Value.Elements.pop_back();
         },
         "15 custom colours are stored, not 16"},
        {K::Language, nested("UserStrings", twiceOne), "the User strings are unreadable"},
        {K::Language, nested("UserStrings", twiceOne), "There is already a label with the id 1"},
        {K::Language, setBytes("SystemStrings", [](QByteArray& b) { b.truncate(20); }),
         "the System strings are unreadable"},
        {K::Language, nested("SystemStrings", locale), "not a TQzPkgStringsData"},
        {K::Language, set("Locale.DateSeparator", text("--")),
         "The date separator must be one character"},
        {K::Setup, set("Keys.DeleteType", integer(9)), "9 is not a value of TQzDeleteType"},
        {K::Setup, set("Keys.EditRecord", integer(-1)), "-1 is not a shortcut"},
        {K::Setup, set("DataBase.DateSeparator", text("")),
         "The date separator must be one character"},
        {K::Setup, set("DataBase.DataBaseEngine", TFormValue::makeIdent("dbeRemote")), "dbeRemote"},
    };
}

class PkgDamage : public PkgTest, public ::testing::WithParamInterface<Damage> {};

} // namespace

// Content is checked whole before anything of it replaces what the package holds, whether it
// comes from a file or from a form.
TEST_P(PkgDamage, RefusesTheWholeLoad) {
    const Damage& damage = GetParam();
    const PkgKind& kind = pkgKind(damage.Kind);
    const QByteArray content = damaged(damage.Kind, damage.Change);
    TQzPkgFileHeader header;
    header.Kind = damage.Kind;
    writeBytes(QStringLiteral("bad"), QzBuildPkgFile(header, content));
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(damage.Kind));
    kind.Keep(*pkg);
    const QByteArray before = pkg->ContentBytes();
    const std::string message = errorOf([&] { pkg->LoadFromFile(path(QStringLiteral("bad"))); });
    EXPECT_NE(message.find(damage.Problem), std::string::npos) << message;
    EXPECT_EQ(pkg->ContentBytes(), before);
    EXPECT_THROW(pkg->SetContentBytes(content), Exception);
    EXPECT_EQ(pkg->ContentBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PkgDamage, ::testing::ValuesIn(damages()),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                             return QzPkgKindName(info.param.Kind).toStdString() +
                                    std::to_string(info.index);
                         });
