// Builds the files of the Demo project that are not written by hand: its package files, its
// database (from Demo.sql) and what the forms keep inside themselves (the packages stored in a
// form and the About window's logo). Every form keeps the stored format it has. The results are
// committed, so the project opens without building this tool.
//
//     demo_packages [FOLDER]        FOLDER is examples/Demo of the sources unless given

#include "ComponentStreams.h"
#include "Controls.h"
#include "DemoPictures.h"
#include "FileWrite.h"
#include "ObjectStreams.h"
#include "QzCApplication.h"
#include "QzImageControls.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgPrivileges.h"
#include "QzPkgSetup.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "QzSystemStrings.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <initializer_list>

namespace {

using enum TDemoPicture;

struct TLabelRow {
    int Id;
    const char16_t* Text;
    const char16_t* Hint = u"";
};

struct TTextRow {
    int Id;
    const char16_t* Text;
};

struct TImageRow {
    int Id;
    TDemoPicture Picture;
};

[[noreturn]] void fail(const QString& message) {
    throw Exception(message);
}

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    return file.readAll();
}

// Protected items can only be changed by an application that permits editing "System" packages.
void addStrings(TQzPkgStrings& pkg, std::initializer_list<TLabelRow> labels,
                std::initializer_list<TTextRow> messages, std::initializer_list<TTextRow> texts,
                bool isProtected = false) {
    for (const TLabelRow& row : labels)
        pkg.Labels()
            ->Add(row.Id, QString::fromUtf16(row.Text), QString::fromUtf16(row.Hint))
            ->Protected = isProtected;
    for (const TTextRow& row : messages)
        pkg.Messages()->Add(row.Id, QString::fromUtf16(row.Text))->Protected = isProtected;
    for (const TTextRow& row : texts)
        pkg.Texts()->Add(row.Id, QString::fromUtf16(row.Text))->Protected = isProtected;
}

void addImages(TQzPkgImages& pkg, std::initializer_list<TImageRow> images) {
    for (const TImageRow& row : images)
        pkg.Images()->Add(row.Id)->SetPicture(DemoPicture(row.Picture));
}

// ---------------------------------------------------------------------------------------------
// Package files

// Field names and choices every form uses, kept in a file of its own beside the forms.
void writeCommon(const QString& dir) {
    TQzPkgStrings pkg;
    pkg.SetPkgName(QStringLiteral("Common"));
    pkg.SetDescription(QStringLiteral("Field names and choices shared by the forms"));
    addStrings(
        pkg,
        {{1, u"Customer", u"The customer the record belongs to"},
         {2, u"Name", u"Full name of the customer"},
         {3, u"City"},
         {4, u"E-mail"},
         {5, u"Phone"},
         {6, u"Active", u"Customers who are not active get no offers"},
         {7, u"Notes"},
         {8, u"Photo"},
         {9, u"Category"},
         {10, u"Retail"},
         {11, u"Wholesale"},
         {12, u"Online"},
         {13, u"Open"},
         {14, u"Shipped"},
         {15, u"Paid"},
         {16, u"User"},
         {17, u"Date"},
         {18, u"Records"},
         {20, u"Edit customers"},
         {21, u"Delete orders"},
         {22, u"Change settings"},
         {23, u"Administer the demo"},
         {24, u"Delivery"},
         {25, u"Standard"},
         {26, u"Express"}},
        {{1, u"Delete this customer and all of its orders?"}, {2, u"The customer was saved."}},
        {{1, u"Welcome to the demo.\nPick customers or orders on the left; the menu "
             u"has the rest."}});
    pkg.SaveToFile(dir + QStringLiteral("/Common.pst"));
}

void writeIcons(const QString& dir) {
    TQzPkgImages pkg;
    pkg.SetPkgName(QStringLiteral("Icons"));
    pkg.SetDescription(QStringLiteral("Symbols of the demo's records and pages"));
    addImages(pkg, {{1, Person},
                    {2, Document},
                    {3, Box},
                    {4, Gear},
                    {5, Calendar},
                    {6, Star},
                    {7, Truck},
                    {8, Gift}});
    pkg.SaveToFile(dir + QStringLiteral("/Icons.pim"));
}

// A language file: its "System" strings (with every message the runtime numbers) and its "User"
// strings. The locale follows the platform when loaded; the file holds the values of `locale`,
// so that it comes out the same on every machine.
struct TLanguage {
    const char* FileName;
    const char16_t* Description;
    QLocale Locale;
    std::initializer_list<TLabelRow> SystemLabels;
    std::initializer_list<TLabelRow> UserLabels;
    std::initializer_list<TTextRow> UserMessages;
    std::initializer_list<TTextRow> UserTexts;
};

void writeLanguageFile(const QString& dir, const TLanguage& language) {
    TQzPkgLanguage pkg;
    pkg.SetPkgName(QStringLiteral("Demo"));
    pkg.SetDescription(QString::fromUtf16(language.Description));
    pkg.Locale()->RestoreDefaults(language.Locale);
    TQzPkgStrings& system = *pkg.SystemStrings();
    addStrings(system, language.SystemLabels, {}, {}, true);
    QzFillSystemStrings(system);
    addStrings(*pkg.UserStrings(), language.UserLabels, language.UserMessages, language.UserTexts);
    pkg.SaveToFile(dir + u'/' + QString::fromLatin1(language.FileName));
}

// The application's language, British English.
void writeLanguage(const QString& dir) {
    writeLanguageFile(
        dir, {"Demo.lan",
              u"English",
              QLocale(QLocale::English, QLocale::UnitedKingdom),
              {{1, u"OK", u"Accept the changes and close the window"},
               {2, u"Cancel", u"Close the window without saving"},
               {3, u"Save", u"Save the current record"},
               {4, u"Delete", u"Delete the current record"},
               {5, u"Close", u"Close this window"},
               {6, u"Help"},
               {7, u"Exit", u"Leave the application"},
               {8, u"New"},
               {9, u"Print", u"Print the current page"},
               {10, u"File"},
               {11, u"View"},
               {12, u"Window"}},
              {{1, u"Demo", u"Customers and orders, a tour of the Qz components"},
               {2, u"Customers and orders"},
               {3, u"Settings", u"Colours, fonts, backgrounds and images of the application"},
               {4, u"About Demo"},
               {5, u"Customers"},
               {6, u"Orders"},
               {7, u"Tools"},
               {8, u"Theme"},
               {9, u"Add pictures"},
               {10, u"Colours"},
               {11, u"Fonts"},
               {12, u"Backgrounds"},
               {13, u"Images"},
               {14, u"Privileges and printing"},
               {15, u"Classic"},
               {16, u"Light"}},
              {{1, u"Leave the demo?"}},
              {{1, u"This demo shows the components of the Qz library on five forms: the main "
                   u"window, customers, orders, settings and this window."}}});
}

// The same strings in Spanish, in a language file of its own, so that the forms can be seen and
// translated in a second language. The runtime's numbered messages stay as it words them.
void writeSpanish(const QString& dir) {
    writeLanguageFile(
        dir, {"Spanish.lan",
              u"Español",
              QLocale(QLocale::Spanish, QLocale::Spain),
              {{1, u"Aceptar", u"Aceptar los cambios y cerrar la ventana"},
               {2, u"Cancelar", u"Cerrar la ventana sin guardar"},
               {3, u"Guardar", u"Guardar el registro actual"},
               {4, u"Eliminar", u"Eliminar el registro actual"},
               {5, u"Cerrar", u"Cerrar esta ventana"},
               {6, u"Ayuda"},
               {7, u"Salir", u"Abandonar la aplicación"},
               {8, u"Nuevo"},
               {9, u"Imprimir", u"Imprimir la página actual"},
               {10, u"Archivo"},
               {11, u"Ver"},
               {12, u"Ventana"}},
              {{1, u"Demostración", u"Clientes y pedidos, un recorrido por los componentes Qz"},
               {2, u"Clientes y pedidos pendientes de entrega"},
               {3, u"Configuración", u"Colores, fuentes, fondos e imágenes de la aplicación"},
               {4, u"Acerca de la demostración"},
               {5, u"Clientes"},
               {6, u"Pedidos"},
               {7, u"Herramientas"},
               {8, u"Tema"},
               {9, u"Añadir imágenes"},
               {10, u"Colores"},
               {11, u"Tipos de letra"},
               {12, u"Fondos"},
               {13, u"Imágenes"},
               {14, u"Privilegios e impresión"},
               {15, u"Clásico"},
               {16, u"Claro"}},
              {{1, u"¿Salir de la demostración?"}},
              {{1, u"Esta demostración enseña los componentes de la biblioteca Qz en cinco "
                   u"formularios: la ventana principal, clientes, pedidos, configuración y esta "
                   u"ventana."}}});
}

void writeDisplay(const QString& dir) {
    TQzPkgDisplay pkg;
    pkg.SetPkgName(QStringLiteral("Demo"));
    pkg.SetDescription(QStringLiteral("Blue"));

    struct TColorRow {
        const char16_t* Name;
        int Color; // 0x00BBGGRR
        const char16_t* Description;
    };
    for (const TColorRow& row : {TColorRow{u"Highlight", 0x00C07030, u"Selected and current"},
                                 TColorRow{u"Warning", 0x000060FF, u"Values that need care"},
                                 TColorRow{u"Window", 0x00FFFFFF, u"Background of edits"}}) {
        TQzPkgDisplaySetColor* set = pkg.SetsColor()->Add(QString::fromUtf16(row.Name));
        set->SetColor(row.Color);
        set->SetDescription(QString::fromUtf16(row.Description));
    }

    using Style = TQzPkgDisplayFont::TFontStyle;
    struct TFontRow {
        const char16_t* Name;
        int Size;
        TQzPkgDisplayFont::TFontStyles Style;
        int Color;
    };
    for (const TFontRow& row : {TFontRow{u"Title", 14, Style::fsBold, 0x00602000},
                                TFontRow{u"Normal", 9, {}, TQzPkgDisplayFont::DefaultColor},
                                TFontRow{u"Small", 7, Style::fsItalic, 0x00606060}}) {
        TQzPkgDisplaySetFont* set = pkg.SetsFont()->Add(QString::fromUtf16(row.Name));
        set->Font()->SetName(QStringLiteral("DejaVu Sans"));
        set->Font()->SetStyle(row.Style);
        set->Font()->SetColor(row.Color);
        set->SetSize(row.Size);
    }

    TQzPkgDisplaySetBackGround* header = pkg.SetsBackGround()->Add(QStringLiteral("Header"));
    header->SetStyle(bgsHorizontal);
    header->SetStartGraColor(0x00804000);
    header->SetEndGraColor(0x00F0C080);
    header->SetDescription(QStringLiteral("Title bars of the windows"));
    TQzPkgDisplaySetBackGround* sidebar = pkg.SetsBackGround()->Add(QStringLiteral("Sidebar"));
    sidebar->SetStyle(bgsVertical);
    sidebar->SetStartGraColor(0x00F8F0E8);
    sidebar->SetEndGraColor(0x00E0C8B0);
    TQzPkgDisplaySetBackGround* logo = pkg.SetsBackGround()->Add(QStringLiteral("Logo"));
    logo->SetStyle(bgsImageTile);
    logo->SetSolidColor(0x00FFFFFF);
    logo->Image()->PkgId(QStringLiteral("User"), 2);

    addImages(*pkg.SystemImages(), {{1, Tick},
                                    {2, Cross},
                                    {3, Disk},
                                    {4, Bin},
                                    {5, WindowSkin},
                                    {6, HintSkin},
                                    {7, ScrollThumb},
                                    {8, Printer}});
    // The skins stretch between their borders.
    TQzPkgImagesImage* skin = pkg.SystemImages()->Images()->FindId(5);
    skin->SetAdjusts(true);
    skin->SetAdjustUp1(9);
    skin->SetAdjustDown1(4);
    skin->SetAdjustLeft1(4);
    skin->SetAdjustRight1(4);
    addImages(*pkg.UserImages(), {{1, Logo}, {2, Pattern}});
    pkg.SaveToFile(dir + QStringLiteral("/Demo.dis"));
}

void writePrivileges(const QString& dir) {
    TQzPkgPrivileges pkg;
    pkg.SetPkgName(QStringLiteral("Demo"));
    pkg.SetDescription(QStringLiteral("What the users of the demo may do"));
    struct TPrivilegeRow {
        int Id;
        int Label; // of "Common"
        TQzAccess Access;
        bool Visible;
    };
    for (const TPrivilegeRow& row : {TPrivilegeRow{1, 20, TQzPrivilege::acReadWrite, true},
                                     TPrivilegeRow{2, 21, TQzPrivilege::acReadWrite, true},
                                     TPrivilegeRow{3, 22, TQzPrivilege::acRead, true},
                                     TPrivilegeRow{4, 23, TQzPrivilege::acNone, false}}) {
        TQzPkgPrivilegesItem* item = pkg.Add(row.Id);
        item->DescriptionId()->PkgId(QStringLiteral("Common"), row.Label);
        item->SetAccess(row.Access);
        item->SetVisible(row.Visible);
    }
    pkg.SaveToFile(dir + QStringLiteral("/Demo.pac"));
}

// ---------------------------------------------------------------------------------------------
// Database

// Statements end with a semicolon at the end of a line; "--" starts a comment.
void buildDatabase(const QString& dir) {
    QString script = QString::fromUtf8(readFile(dir + QStringLiteral("/Demo.sql")));
    script.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    const QString file = dir + QStringLiteral("/Demo.sqlite3");
    const QString building = file + QStringLiteral(".new");
    QFile::remove(building);
    const QString connection = QStringLiteral("demo");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(building);
        if (!db.open())
            error = QStringLiteral("Cannot create %1: %2").arg(building, db.lastError().text());
        QSqlQuery query(db);
        for (const QString& statement :
             script.split(QRegularExpression(QStringLiteral(";[ \t]*(\n|$)")))) {
            if (!error.isEmpty())
                break;
            if (!statement.trimmed().isEmpty() && !query.exec(statement))
                error = QStringLiteral("Demo.sql: %1 in\n%2")
                            .arg(query.lastError().text(), statement.trimmed());
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) {
        QFile::remove(building);
        fail(error);
    }
    QFile::remove(file);
    if (!QFile::rename(building, file))
        fail(QStringLiteral("Cannot replace %1").arg(file));
}

// ---------------------------------------------------------------------------------------------
// Content kept in the forms

void fillOrders(TQzPkgStrings& pkg) {
    pkg.Clear();
    addStrings(pkg,
               {{1, u"Order"},
                {2, u"Date"},
                {3, u"Amount"},
                {4, u"Quantity"},
                {5, u"Status"},
                {6, u"Products"},
                {7, u"Priority", u"Handle this order before the others"},
                {8, u"Details"},
                {9, u"Delivery"},
                {10, u"Remarks"},
                {11, u"Express", u"Delivered the next working day"},
                {12, u"Standard"},
                {13, u"Gift wrap"},
                {14, u"No wrapping"},
                {15, u"Printed card"},
                {16, u"Copy"},
                {17, u"Paste"},
                {18, u"Terms"},
                {19, u"Packing"},
                {20, u"Delivery address"}},
               {{1, u"The order has no products yet."}},
               {{1, u"Remarks for the warehouse:\n- keep the parcel dry\n- ring twice"}});
}

using TVarType = TQzPkgVarsItem::TQzPkgVarsItemType;

void fillVars(TQzPkgVars& pkg) {
    pkg.Clear();
    pkg.Add(QStringLiteral("Window"), TVarType::vtFolder);
    pkg.Add(QStringLiteral("Window\\Left"), TVarType::vtInteger)->SetVInteger(100);
    pkg.Add(QStringLiteral("Window\\Top"), TVarType::vtInteger)->SetVInteger(80);
    pkg.Add(QStringLiteral("Window\\Maximized"), TVarType::vtBoolean);
    pkg.Add(QStringLiteral("Orders"), TVarType::vtFolder);
    pkg.Add(QStringLiteral("Orders\\VatRate"), TVarType::vtFloat)->SetVFloat(21.0);
    pkg.Add(QStringLiteral("Orders\\Currency"), TVarType::vtString)
        ->SetVString(QStringLiteral("EUR"));
    pkg.Add(QStringLiteral("Orders\\DefaultStatus"), TVarType::vtInteger)->SetVInteger(13);
    pkg.Add(QStringLiteral("LastUser"), TVarType::vtString)->SetVString(QStringLiteral("demo"));
}

void fillOptions(TQzPkgVars& pkg) {
    pkg.Clear();
    pkg.Add(QStringLiteral("Zoom"), TVarType::vtInteger)->SetVInteger(100);
    pkg.Add(QStringLiteral("LastGroup"), TVarType::vtString)->SetVString(QStringLiteral("Colours"));
}

// Dates go to SQLite as text in year-month-day order.
void fillSetup(TQzPkgSetup& pkg) {
    pkg.Clear();
    pkg.DataBase()->SetDataBaseEngine(TQzPkgSetupDataBase::dbeManual);
    pkg.DataBase()->SetDateFormat(dfYMD);
    pkg.DataBase()->SetDateSeparator(u'-');
    pkg.Keys()->SetInsertMode(true);
}

void fillForm(TForm& form) {
    for (TComponent* component : form.ComponentList()) {
        if (auto* app = qobject_cast<TQzCApplication*>(component)) {
            if (!app->PkgSetup()->IsFileStored())
                fillSetup(*app->PkgSetup());
            if (!app->PkgVars()->IsFileStored())
                fillVars(*app->PkgVars());
        } else if (auto* strings = qobject_cast<TQzPkgStrings*>(component)) {
            if (!strings->IsFileStored() && strings->GetPkgName() == u"Orders")
                fillOrders(*strings);
        } else if (auto* vars = qobject_cast<TQzPkgVars*>(component)) {
            if (!vars->IsFileStored() && vars->GetPkgName() == u"Options")
                fillOptions(*vars);
        } else if (auto* image = qobject_cast<TQzImage*>(component)) {
            if (image->Name() == u"ImLogo") {
                image->FGraphicClass = QStringLiteral("TPngImage");
                image->FPicture = DemoPicturePng(Logo);
            }
        }
    }
}

// Reads a form in whatever format it is stored, fills it and writes it back in that format. The
// root keeps the class name of its unit, which only the unit declares.
void refreshForm(const QString& fileName) {
    const QByteArray stored = readFile(fileName);
    const TFormFileFormat format = DetectFormFileFormat(stored);
    const TFormObject object = ReadTextForm(FormFileToText(stored));
    TForm form;
    ReadComponent(object, &form);
    fillForm(form);
    TFormObject written = ComponentToFormObject(&form);
    written.ClassName = object.ClassName;
    const QByteArray bytes = TextToFormFile(WriteTextForm(written), format);
    if (bytes != stored)
        WriteFileAtomic(fileName, bytes);
}

void run(const QString& dir) {
    // Forms find their file-stored packages in the project's folder.
    QzSetAppPath(dir);
    writeCommon(dir);
    writeIcons(dir);
    writeLanguage(dir);
    writeSpanish(dir);
    writeDisplay(dir);
    writePrivileges(dir);
    buildDatabase(dir);
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.dfm")}, QDir::Files))
        refreshForm(dir + u'/' + name);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(u'-'))) {
        std::fputs("Usage: demo_packages [FOLDER]\n", stderr);
        return 2;
    }
    const QString dir =
        QDir(args.size() == 2 ? args[1] : QStringLiteral(QZ_DEMO_DIR)).absolutePath();
    try {
        QzRegisterRuntimeClasses();
        run(dir);
    } catch (const Exception& e) {
        std::fprintf(stderr, "demo_packages: %s\n", qPrintable(e.Message()));
        return 1;
    }
    std::printf("demo_packages: the packages, database and forms of %s are up to date\n",
                qPrintable(dir));
    return 0;
}
