// The components that hold others: menus with item trees, page controls with tabs and sheets,
// outlook bars with pages, status bar panels, the application with its packages, and the data
// sets data controls list fields from.

#include "../PkgTestSupport.h"
#include "ComponentStreams.h"
#include "QzBars.h"
#include "QzCApplication.h"
#include "QzContainers.h"
#include "QzData.h"
#include "QzEdits.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzMenus.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>

namespace {

class ComponentTrees : public PkgTest {
protected:
    void SetUp() override {
        PkgTest::SetUp();
        form.SetName(QStringLiteral("Form1"));
    }
    TForm form;
};

template <typename T>
T* make(TComponent* owner, const char* name, TWinControl* parent = nullptr) {
    auto* c = new T(owner);
    c->SetName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<TControl, T>)
        if (parent)
            c->SetParent(parent);
    return c;
}

TQzMenuItem* item(TForm& form, TQzMenuItem* parent, const char* name, const char* caption) {
    auto* i = make<TQzMenuItem>(&form, name);
    i->FCaption = QString::fromLatin1(caption);
    parent->Add(i);
    return i;
}

std::unique_ptr<TForm> roundTrip(TForm& form, QByteArray* text = nullptr) {
    const QByteArray written = WriteComponentText(&form);
    if (text)
        *text = written;
    std::unique_ptr<TForm> copy(static_cast<TForm*>(ReadComponentText(written)));
    EXPECT_EQ(WriteComponentText(copy.get()), written);
    return copy;
}

template <typename T>
T* find(TComponent& root, const char* name) {
    return qobject_cast<T*>(root.FindComponent(QString::fromLatin1(name)));
}

QStringList captions(const TQzMenuItem* parent) {
    QStringList list;
    for (int i = 0; i < parent->Count(); ++i)
        list.push_back(parent->Items(i)->FCaption);
    return list;
}

} // namespace

TEST_F(ComponentTrees, MenuItemTreesNestInTheFormAndComeBack) {
    auto* menu = make<TQzMainMenu>(&form, "MainMenu1");
    TQzMenuItem* file = item(form, menu->Items(), "MnFile", "&File");
    item(form, file, "MnOpen", "Open")->FOnClick.Name = QStringLiteral("MnOpenClick");
    item(form, file, "MnLine", "-");
    TQzMenuItem* windows = item(form, menu->Items(), "MnWindows", "&Windows");
    windows->Image()->PkgId(QStringLiteral("System"), 48);
    windows->SetDefaultAction(daAbout);
    menu->SetWindowsList(windows);
    auto* panel = make<TQzPanelMenu>(&form, "PanelMenu1", &form);
    item(form, panel->Items(), "MnPanelA", "A");
    panel->SetWindowsList(find<TQzMenuItem>(form, "MnPanelA"));

    QByteArray text;
    std::unique_ptr<TForm> copy = roundTrip(form, &text);
    // Items nest in their parent as they do in form files.
    EXPECT_TRUE(text.contains("  object MainMenu1: TQzMainMenu\n    WindowsList = MnWindows\n"
                              "    object MnFile: TQzMenuItem\n"))
        << text.data();
    EXPECT_TRUE(text.contains("      object MnOpen: TQzMenuItem\n        Caption = 'Open'\n"
                              "        OnClick = MnOpenClick\n"))
        << text.data();

    auto* menu2 = find<TQzMainMenu>(*copy, "MainMenu1");
    ASSERT_NE(menu2, nullptr);
    EXPECT_EQ(captions(menu2->Items()), (QStringList{"&File", "&Windows"}));
    TQzMenuItem* file2 = menu2->Items()->Items(0);
    EXPECT_EQ(captions(file2), (QStringList{"Open", "-"}));
    EXPECT_TRUE(file2->Items(1)->IsLine());
    EXPECT_EQ(file2->Items(0)->FOnClick.Name, QStringLiteral("MnOpenClick"));
    EXPECT_EQ(file2->Items(0)->GetParentMenu(), menu2);
    EXPECT_EQ(menu2->WindowsList(), menu2->Items()->Items(1));
    EXPECT_EQ(menu2->WindowsList()->DefaultAction(), daAbout);
    EXPECT_EQ(menu2->WindowsList()->Image()->Id(), 48);
    auto* panel2 = find<TQzPanelMenu>(*copy, "PanelMenu1");
    EXPECT_EQ(captions(panel2->Items()), QStringList{"A"});
    EXPECT_EQ(panel2->WindowsList(), find<TQzMenuItem>(*copy, "MnPanelA"));
}

TEST_F(ComponentTrees, MenuRefusalsChangeNothingAndFreedItemsLeaveNoTrace) {
    auto* menu = make<TQzMainMenu>(&form, "MainMenu1");
    auto* other = make<TQzPopupMenu>(&form, "PopupMenu1");
    TQzMenuItem* file = item(form, menu->Items(), "MnFile", "File");
    TQzMenuItem* open = item(form, file, "MnOpen", "Open");
    TQzMenuItem* foreign = item(form, other->Items(), "MnForeign", "Elsewhere");

    EXPECT_EQ(errorOf([&] { open->Add(file); }),
              "A menu item cannot be inserted into itself or one of its sub-items");
    EXPECT_EQ(open->Parent(), file);
    EXPECT_EQ(errorOf([&] { menu->SetWindowsList(foreign); }),
              "MnForeign is not an item of the menu MainMenu1");
    EXPECT_EQ(menu->WindowsList(), nullptr);
    EXPECT_FALSE(menu->ValidAssignWindowsList(menu->Items()));
    EXPECT_EQ(errorOf([&] { open->SetDefaultAction(TQzMenuItemDefaultAction(7)); }),
              "The default action must be between 0 and 6, not 7");

    // Moving an item takes it from its former parent.
    menu->Items()->Insert(0, open);
    EXPECT_EQ(captions(menu->Items()), (QStringList{"Open", "File"}));
    EXPECT_EQ(file->Count(), 0);
    open->SetMenuIndex(1);
    EXPECT_EQ(captions(menu->Items()), (QStringList{"File", "Open"}));

    // Freeing an item frees its sub-items and clears the windows list that pointed at it.
    item(form, file, "MnSave", "Save");
    menu->SetWindowsList(file);
    const int before = form.ComponentCount();
    delete file;
    EXPECT_EQ(form.ComponentCount(), before - 2);
    EXPECT_EQ(form.FindComponent(QStringLiteral("MnSave")), nullptr);
    EXPECT_EQ(menu->WindowsList(), nullptr);
    EXPECT_EQ(captions(menu->Items()), QStringList{"Open"});
}

TEST_F(ComponentTrees, PageControlsLinkTabsAndSheetsByPageId) {
    auto* pages = make<TQzPageControl>(&form, "PageControl1", &form);
    int named = 0;
    QzAssignDgnCreateUniqueName(
        [&](TComponent* c) { c->SetName(QStringLiteral("TabSheet%1").arg(++named)); });
    TQzTabControl* first = pages->AddTab();
    TQzTabControl* second = pages->AddTab();
    second->SetPageId(7);
    second->SetValue(QStringLiteral("invoices"));
    second->FDescription = QStringLiteral("Invoices of the month");
    second->Caption()->PkgId(QStringLiteral("User"), 12);
    pages->CreateTabSheet(first);
    TQzTabSheet* sheet = pages->CreateTabSheet(second);
    make<TQzEdit>(&form, "Edit1", sheet);
    QzAssignDgnCreateUniqueName(nullptr);

    EXPECT_EQ(errorOf([&] { first->SetPageId(7); }), "There is already a tab with the page id 7");
    EXPECT_EQ(first->PageId(), 0);
    EXPECT_EQ(errorOf([&] { first->SetPageId(-1); }), "-1 is not a valid page id");

    std::unique_ptr<TForm> copy = roundTrip(form);
    auto* pages2 = find<TQzPageControl>(*copy, "PageControl1");
    ASSERT_EQ(pages2->Tabs()->Count(), 2);
    ASSERT_EQ(pages2->TabSheets().size(), 2);
    TQzTabSheet* sheet2 = pages2->FindTabSheet(7);
    ASSERT_NE(sheet2, nullptr);
    EXPECT_EQ(sheet2->Name(), QStringLiteral("TabSheet2"));
    EXPECT_EQ(sheet2->GetTab(), pages2->GetTab(1));
    EXPECT_EQ(sheet2->GetTab()->GetValue(), QVariant(QStringLiteral("invoices")));
    EXPECT_EQ(sheet2->GetTab()->GetDescription(), QStringLiteral("Invoices of the month"));
    EXPECT_EQ(sheet2->GetTab()->Caption()->Id(), 12);
    EXPECT_EQ(sheet2->ControlCount(), 1);
    EXPECT_EQ(pages2->FindTabSheet(0)->GetTab(), pages2->GetTab(0));
}

TEST_F(ComponentTrees, OutlookBarPagesAndStatusPanels) {
    auto* bar = make<TQzOutLookBar>(&form, "OutLookBar1", &form);
    auto* a = make<TQzOutLookBarPage>(&form, "PageA");
    auto* b = make<TQzOutLookBarPage>(&form, "PageB");
    auto* c = make<TQzOutLookBarPage>(&form, "PageC");
    for (TQzOutLookBarPage* page : {a, b, c})
        page->SetOutLook(bar);
    auto* stray = make<TQzOutLookBarPage>(&form, "Stray", &form);

    bar->SelectNextPage(true);
    EXPECT_EQ(bar->ActivePage(), a);
    bar->SelectNextPage(false);
    EXPECT_EQ(bar->ActivePage(), c);
    bar->SelectNextPage(true);
    EXPECT_EQ(bar->ActivePage(), a);
    b->SetVisible(false);
    bar->SelectNextPage(true);
    EXPECT_EQ(bar->ActivePage(), c);
    EXPECT_EQ(errorOf([&] { bar->SetActivePage(stray); }), "Stray is not a page of OutLookBar1");
    EXPECT_EQ(bar->ActivePage(), c);

    auto* status = make<TQzStatusBar>(&form, "StatusBar1", &form);
    auto* p1 = static_cast<TQzStatusBarPanel*>(status->Panels()->Add());
    p1->SetValue(1234);
    p1->FDataType = dtInteger;
    auto* p2 = static_cast<TQzStatusBarPanel*>(status->Panels()->Add());
    p2->SetValue(QDateTime(QDate(2024, 2, 29), QTime(13, 30)));
    p2->FDataType = dtDateTime;
    p2->FWidth = 120;

    std::unique_ptr<TForm> copy = roundTrip(form);
    auto* bar2 = find<TQzOutLookBar>(*copy, "OutLookBar1");
    EXPECT_EQ(bar2->Pages().size(), 3);
    EXPECT_EQ(bar2->ActivePage(), find<TQzOutLookBarPage>(*copy, "PageC"));
    auto* status2 = find<TQzStatusBar>(*copy, "StatusBar1");
    ASSERT_EQ(status2->Panels()->Count(), 2);
    EXPECT_EQ(status2->GetPanel(0)->GetValue(), QVariant(1234));
    EXPECT_EQ(status2->GetPanel(1)->GetValue().toDateTime(),
              QDateTime(QDate(2024, 2, 29), QTime(13, 30)));
    EXPECT_EQ(status2->GetPanel(1)->GetDataType(), dtDateTime);

    // Freeing the active page leaves the bar without one.
    delete c;
    EXPECT_EQ(bar->ActivePage(), nullptr);
}

TEST_F(ComponentTrees, ApplicationKeepsItsPackagesInTheForm) {
    auto* app = make<TQzCApplication>(&form, "CApplication1");
    EXPECT_EQ(QzCApp(), app);
    EXPECT_EQ(app->PkgDisplay()->Name(), QStringLiteral("PkgDisplay"));
    EXPECT_EQ(app->Privileges()->Owner(), app);
    app->PkgVars()->SetFileName(QStringLiteral("app.pvr"));
    app->Privileges()->Add(5)->SetDescription(QStringLiteral("Edit invoices"));
    app->PkgLanguage()->SystemStrings()->Labels()->Add(3, QStringLiteral("Save"));
    app->PkgSetup()->Keys()->SetInsertMode(true);
    app->FSystemEdit = true;

    // The privilege lookup reads the application's privileges package.
    TQzPrivilege privilege;
    privilege.SetId(5);
    ASSERT_TRUE(privilege.Info().has_value());
    EXPECT_EQ(privilege.Info()->Name, QStringLiteral("Edit invoices"));
    privilege.SetId(6);
    EXPECT_FALSE(privilege.Info().has_value());

    QByteArray text;
    std::unique_ptr<TForm> copy = roundTrip(form, &text);
    EXPECT_TRUE(text.contains("PkgVars.FileName = 'app.pvr'")) << text.data();
    EXPECT_TRUE(text.contains("Privileges.PkgData = {")) << text.data();
    auto* app2 = find<TQzCApplication>(*copy, "CApplication1");
    ASSERT_NE(app2, nullptr);
    EXPECT_EQ(app2->PkgVars()->FileName(), QStringLiteral("app.pvr"));
    EXPECT_EQ(app2->Privileges()->FindId(5)->Description(), QStringLiteral("Edit invoices"));
    EXPECT_EQ(app2->PkgLanguage()->SystemStrings()->Labels()->FindId(3)->Text(),
              QStringLiteral("Save"));
    EXPECT_TRUE(app2->PkgSetup()->Keys()->InsertMode());
    EXPECT_TRUE(app2->FSystemEdit);
    // Reading made no further packages than the application's own.
    EXPECT_EQ(app2->ComponentCount(), 5);

    EXPECT_EQ(QzCApplicationsAll(), (QList<TQzCApplication*>{app, app2}));
    EXPECT_EQ(QzCApp(), app);
    app2->SetActive(true);
    EXPECT_EQ(QzCApp(), app2);
    EXPECT_FALSE(app->Active());
    copy.reset();
    EXPECT_EQ(QzCApp(), app);
    EXPECT_EQ(QzCApplicationsAll().size(), 1);

    // Writing builds fresh instances for their default values; they stay out of the registries
    // and send no broadcast.
    const qsizetype packagesBefore = QzAllPackages().size();
    int broadcasts = 0;
    QObject listener;
    QzAddFormsListener([&](int, QObject*) { ++broadcasts; }, &listener);
    (void)WriteComponentText(&form);
    EXPECT_EQ(broadcasts, 0);
    EXPECT_EQ(QzAllPackages().size(), packagesBefore);
}

TEST_F(ComponentTrees, SystemStringsUpdateFromALanguageFile) {
    TQzCApplication app;
    TQzPkgStrings* system = app.PkgLanguage()->SystemStrings();
    system->Labels()->Add(1, QStringLiteral("old"));
    system->Labels()->Add(2, QStringLiteral("mine"));
    const QByteArray before = app.PkgLanguage()->ContentBytes();

    EXPECT_EQ(errorOf([&] { app.UpdateSystemPkgLanguage(path("missing.lan"), false); }),
              "The file " + path("missing.lan").toStdString() + " does not exist");
    writeBytes(QStringLiteral("bad.lan"), "not a package");
    EXPECT_NE(errorOf([&] { app.UpdateSystemPkgLanguage(path("bad.lan"), false); }), "no error");
    EXPECT_EQ(app.PkgLanguage()->ContentBytes(), before);

    {
        TQzPkgLanguage base;
        base.SystemStrings()->Labels()->Add(1, QStringLiteral("new"), QStringLiteral("hint"));
        base.SystemStrings()->Messages()->Add(50, QStringLiteral("Done."));
        base.SystemStrings()->Labels()->FindId(1)->Protected = true;
        base.SaveToFile(path("Standard.lan"));
    }
    app.FPath = FDir.path();
    EXPECT_TRUE(app.UpdateSystemPkgs(false));
    EXPECT_EQ(system->Labels()->FindId(1)->Text(), QStringLiteral("new"));
    EXPECT_EQ(system->Labels()->FindId(1)->Hint(), QStringLiteral("hint"));
    EXPECT_TRUE(system->Labels()->FindId(1)->Protected);
    EXPECT_EQ(system->Labels()->FindId(2)->Text(), QStringLiteral("mine"));
    EXPECT_EQ(system->Messages()->FindId(50)->Text(), QStringLiteral("Done."));
    EXPECT_EQ(app.PkgLanguage()->LastUpdateFile(), path("Standard.lan"));
    // Nothing changed in the file since: only-newer skips it.
    EXPECT_FALSE(app.UpdateSystemPkgLanguage(path("Standard.lan"), true));
}

TEST_F(ComponentTrees, DataSetsListTheFieldsOfATableOrQuery) {
    const QString file = path("shop.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "setup");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE Invoice (Id INTEGER, Customer TEXT, Amount REAL)"));
        ASSERT_TRUE(q.exec("INSERT INTO Invoice VALUES (1, 'A', 9.5)"));
    }
    QSqlDatabase::removeDatabase("setup");

    auto* set = make<TQzSqlDataSet>(&form, "Invoices");
    auto* source = make<TDataSource>(&form, "DsInvoices");
    source->SetDataSet(set);
    auto* edit = make<TQzDbEdit>(&form, "DbEdit1", &form);
    edit->SetDataSource(source);
    edit->FDataField = QStringLiteral("Customer");
    set->FDatabaseName = file;
    set->FTableName = QStringLiteral("Invoice");
    set->FAggregates =
        QStringList{QStringLiteral("Total=SUM(Amount)"), QStringLiteral(" Count = COUNT(*)")};

    EXPECT_EQ(set->GetFieldNames(), (QStringList{"Id", "Customer", "Amount"}));
    EXPECT_EQ(set->GetAggregateFieldNames(), (QStringList{"Total", "Count"}));
    set->FTableName.clear();
    set->FSQL = QStringLiteral("SELECT Customer, Amount * 2 AS Twice FROM Invoice");
    EXPECT_EQ(set->GetFieldNames(), (QStringList{"Customer", "Twice"}));

    // A query cannot change the database; bad names are refused clearly.
    set->FSQL = QStringLiteral("DELETE FROM Invoice");
    EXPECT_NE(errorOf([&] { set->GetFieldNames(); }), "no error");
    set->FSQL = QStringLiteral("SELECT COUNT(*) AS N FROM Invoice");
    EXPECT_EQ(set->GetFieldNames(), QStringList{"N"});
    set->FTableName = QStringLiteral("Nothing");
    EXPECT_EQ(errorOf([&] { set->GetFieldNames(); }),
              "The database " + file.toStdString() + " has no table Nothing");
    set->FDatabaseName = path("none.db");
    EXPECT_EQ(errorOf([&] { set->GetFieldNames(); }),
              "The database file " + path("none.db").toStdString() + " does not exist");
    EXPECT_FALSE(QFile::exists(path("none.db")));

    // The links survive the form, and go when the data source does.
    std::unique_ptr<TForm> copy = roundTrip(form);
    auto* edit2 = find<TQzDbEdit>(*copy, "DbEdit1");
    ASSERT_NE(edit2->DataSource(), nullptr);
    EXPECT_EQ(edit2->DataSource()->DataSet(), find<TDataSet>(*copy, "Invoices"));
    EXPECT_EQ(edit2->FDataField, QStringLiteral("Customer"));
    delete source;
    EXPECT_EQ(edit->DataSource(), nullptr);
}

TEST_F(ComponentTrees, UpDownAssociatesOnlyEdits) {
    auto* edit = make<TQzEdit>(&form, "Edit1", &form);
    auto* panel = make<TQzPanel>(&form, "Panel1", &form);
    auto* upDown = make<TQzUpDown>(&form, "UpDown1", &form);
    upDown->SetAssociate(edit);
    EXPECT_EQ(errorOf([&] { upDown->SetAssociate(panel); }),
              "Panel1 is not an edit and cannot be associated");
    EXPECT_EQ(upDown->Associate(), edit);
    std::unique_ptr<TForm> copy = roundTrip(form);
    EXPECT_EQ(find<TQzUpDown>(*copy, "UpDown1")->Associate(), find<TQzEdit>(*copy, "Edit1"));
    delete edit;
    EXPECT_EQ(upDown->Associate(), nullptr);
}
