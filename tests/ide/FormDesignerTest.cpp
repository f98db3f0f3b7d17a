// A designed form: read from its file into a designed root, named, built and taken apart through
// its designer, its selection told to design windows, its handlers written into the unit, and
// saved back in the format it was stored in.

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignWindows.h"
#include "IdeTestSupport.h"
#include "ObjectStreams.h"
#include "QzButtons.h"
#include "QzContainers.h"
#include "QzLabels.h"
#include "QzNonVisual.h"

#include <QSignalSpy>
#include <functional>
#include <utility>

namespace {

void forEachOwned(TComponent* owner, const std::function<void(TComponent*)>& f) {
    for (TComponent* c : owner->ComponentList()) {
        f(c);
        forEachOwned(c, f);
    }
}

// Remembers every notification the designer host sends to design windows.
class RecordingWindow : public TDesignWindow {
public:
    void ItemsModified(IDesigner* designer) override { Items << designer; }
    void SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) override {
        Selections << qMakePair(designer, selection);
    }
    QList<IDesigner*> Items;
    QList<QPair<IDesigner*, QList<TPersistent*>>> Selections;
};

template <typename T>
T* find(TQzFormDesigner* designer, const char* name) {
    return qobject_cast<T*>(designer->GetComponent(QString::fromLatin1(name)));
}

} // namespace

using FormDesigner = DemoCopy;

TEST_F(FormDesigner, FormsAreReadIntoDesignedRootsOfTheNearestRegisteredClass) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* root = main->GetRoot();
    ASSERT_NE(root, nullptr);
    // TFrmMain is the unit's class, unknown to the registry: the root is its ancestor.
    EXPECT_EQ(root->metaObject(), &TForm::staticMetaObject);
    EXPECT_EQ(root->Name(), QStringLiteral("FrmMain"));
    EXPECT_EQ(main->FormClassName(), QStringLiteral("TFrmMain"));
    EXPECT_EQ(main->StoredFormat(), TFormFileFormat::Text);
    EXPECT_EQ(main->FormFileName(), path(QStringLiteral("Main.dfm")));
    EXPECT_EQ(DesignerOf(root), main);
    EXPECT_FALSE(main->IsModified());
    EXPECT_TRUE(root->IsDesigning());
    int components = 0;
    forEachOwned(root, [&](TComponent* c) {
        ++components;
        EXPECT_TRUE(c->IsDesigning()) << c->Name().toStdString();
    });
    EXPECT_GT(components, 40);
    EXPECT_EQ(find<TQzPanel>(main, "LbTitle"), nullptr);
    ASSERT_NE(find<TQzLabel>(main, "lbtitle"), nullptr);
    EXPECT_EQ(find<TQzLabel>(main, "LbTitle")->Parent(), find<TQzPanel>(main, "PnHeader"));

    EXPECT_EQ(openForm("Customers")->StoredFormat(), TFormFileFormat::Resource);

    // A data module, by the ancestor its unit declares; a frame by its registered class.
    writeBytes(QStringLiteral("Data.pas"), "unit Data;\ninterface\ntype\n"
                                           "  TDmData = class(TDataModule)\n"
                                           "    TmPoll: TQzTimer;\n  end;\n"
                                           "implementation\nend.\n");
    writeBytes(QStringLiteral("Data.dfm"), "object DmData: TDmData\n"
                                           "  object TmPoll: TQzTimer\n    Interval = 500\n  end\n"
                                           "end\n");
    TComponent* data = openForm("Data")->GetRoot();
    EXPECT_EQ(data->metaObject(), &TDataModule::staticMetaObject);
    ASSERT_NE(qobject_cast<TQzTimer*>(data->FindComponent(QStringLiteral("TmPoll"))), nullptr);
    EXPECT_TRUE(data->FindComponent(QStringLiteral("TmPoll"))->IsDesigning());

    writeBytes(QStringLiteral("Bar.dfm"), "object Bar: TFrame\n  Width = 100\nend\n");
    EXPECT_EQ(openForm("Bar")->GetRoot()->metaObject(), &TFrame::staticMetaObject);
}

TEST_F(FormDesigner, FormsThatCannotBeReadOpenNothing) {
    openProject();
    writeBytes(QStringLiteral("Broken.dfm"), "object Broken: TForm\n  Left = 'x'\nend\n");
    writeBytes(QStringLiteral("Garbage.dfm"), "\x01\x02 not a form");
    writeBytes(QStringLiteral("Unknown.dfm"),
               "object Unknown: TForm\n  object X: TNoSuchClass\n  end\nend\n");
    for (const char* unit : {"Broken", "Garbage", "Unknown", "Missing"}) {
        const std::string error = errorOf([&] { openForm(unit); });
        EXPECT_NE(error.find(unit), std::string::npos) << error;
        EXPECT_EQ(FHost->ModuleCount(), 2) << unit;
    }
}

TEST_F(FormDesigner, UniqueNamesTakeTheFirstFreeNumberWhateverTheCase) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    EXPECT_EQ(main->UniqueName(QStringLiteral("TQzLabel")), QStringLiteral("QzLabel1"));
    // QzCApplication1 is on the form already.
    EXPECT_EQ(main->UniqueName(QStringLiteral("TQzCApplication")),
              QStringLiteral("QzCApplication2"));
    auto* label = new TQzLabel(main->GetRoot());
    label->SetName(QStringLiteral("qzlabel1"));
    EXPECT_EQ(main->UniqueName(QStringLiteral("TQzLabel")), QStringLiteral("QzLabel2"));
    // The form's own name counts too.
    EXPECT_EQ(main->UniqueName(QStringLiteral("TFrmMain")), QStringLiteral("FrmMain1"));
}

TEST_F(FormDesigner, CreatedComponentsAreNamedPlacedSelectedAndReported) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    RecordingWindow window;
    QSignalSpy modified(main, &TQzFormDesigner::DesignModified);
    QSignalSpy selected(main, &TQzFormDesigner::SelectionChanged);

    TComponent* first = main->CreateComponent(ClassOf<TQzLabel>(), nullptr, -1, -1, -1, -1);
    auto* label = qobject_cast<TQzLabel*>(first);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Owner(), main->GetRoot());
    EXPECT_EQ(label->Name(), QStringLiteral("QzLabel1"));
    EXPECT_TRUE(label->IsDesigning());
    EXPECT_EQ(label->Parent(), main->GetRoot());
    const TQzLabel fresh;
    EXPECT_EQ(label->Width(), fresh.Width());
    EXPECT_EQ(label->Height(), fresh.Height());
    EXPECT_EQ(main->GetSelections(), QList<TPersistent*>{label});
    EXPECT_TRUE(main->IsModified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(selected.count(), 1);
    EXPECT_EQ(window.Items, QList<IDesigner*>{main});

    // The next one does not land on top of the first.
    auto* second = qobject_cast<TControl*>(
        main->CreateComponent(ClassOf<TQzLabel>(), nullptr, -1, -1, -1, -1));
    EXPECT_EQ(second->Name(), QStringLiteral("QzLabel2"));
    EXPECT_NE(std::make_pair(second->Left(), second->Top()),
              std::make_pair(label->Left(), label->Top()));

    // Under a control that holds no controls, it goes to that control's windowed parent.
    auto* header = find<TQzPanel>(main, "PnHeader");
    auto* inPanel = qobject_cast<TControl*>(main->CreateComponent(
        ClassOf<TQzBitBtn>(), find<TQzLabel>(main, "LbTitle"), 30, 5, 90, -1));
    EXPECT_EQ(inPanel->Parent(), header);
    EXPECT_EQ(inPanel->Left(), 30);
    EXPECT_EQ(inPanel->Top(), 5);
    EXPECT_EQ(inPanel->Width(), 90);
    EXPECT_EQ(inPanel->Height(), TQzBitBtn().Height());

    TComponent* timer = main->CreateComponent(ClassOf<TQzTimer>(), header, -1, -1, -1, -1);
    EXPECT_EQ(timer->Name(), QStringLiteral("QzTimer1"));
    EXPECT_TRUE(main->ChildrenOf(main->GetRoot()).contains(timer));
    EXPECT_FALSE(main->ChildrenOf(header).contains(timer));
    EXPECT_TRUE(main->ChildrenOf(header).contains(inPanel));
}

TEST_F(FormDesigner, DeletingTakesTheControlsInsideAlongButNeverTheRoot) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    RecordingWindow window;
    TComponent* header = main->GetComponent(QStringLiteral("PnHeader"));
    TComponent* timer = main->GetComponent(QStringLiteral("TmClock"));
    main->SetSelections({header, timer, main->GetComponent(QStringLiteral("LbTitle"))});
    window.Selections.clear();

    // A sub-component goes only with its holder: deleting it alone would leave the holder with
    // a dangling part.
    TComponent* app = main->GetComponent(QStringLiteral("QzCApplication1"));
    ASSERT_NE(app, nullptr);
    TComponent* display = nullptr;
    for (TComponent* part : app->findChildren<TComponent*>())
        if (part->ComponentState() & csSubComponent)
            display = part;
    ASSERT_NE(display, nullptr);
    const QPointer<TComponent> kept(display);
    main->DeleteComponents({display});
    EXPECT_FALSE(kept.isNull());
    EXPECT_FALSE(main->IsModified());

    main->DeleteComponents({header, main->GetRoot()});
    EXPECT_EQ(main->GetComponent(QStringLiteral("PnHeader")), nullptr);
    EXPECT_EQ(main->GetComponent(QStringLiteral("LbTitle")), nullptr);
    EXPECT_EQ(main->GetComponent(QStringLiteral("PiLogo")), nullptr);
    EXPECT_NE(main->GetRoot(), nullptr);
    EXPECT_EQ(main->GetSelections(), QList<TPersistent*>{timer});
    ASSERT_EQ(window.Selections.size(), 1);
    EXPECT_EQ(window.Selections[0].second, QList<TPersistent*>{timer});
    EXPECT_EQ(window.Items, QList<IDesigner*>{main});
    EXPECT_TRUE(main->IsModified());

    main->DeleteSelection();
    EXPECT_EQ(main->GetComponent(QStringLiteral("TmClock")), nullptr);
    EXPECT_TRUE(main->GetSelections().isEmpty());

    // The form still saves and reads back without them.
    main->Save();
    const QByteArray text = FormFileToText(readBytes(QStringLiteral("Main.dfm")));
    EXPECT_FALSE(text.contains("PnHeader"));
    EXPECT_FALSE(text.contains("TmClock"));
    EXPECT_TRUE(text.contains("ObMain"));
}

TEST_F(FormDesigner, SelectionReachesSignalsAndDesignWindows) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TQzFormDesigner* orders = openForm("Orders");
    RecordingWindow window;
    window.SetDesigner(main);
    QSignalSpy selected(main, &TQzFormDesigner::SelectionChanged);

    TComponent* title = main->GetComponent(QStringLiteral("LbTitle"));
    main->SelectComponent(title);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].value<QList<TPersistent*>>(), QList<TPersistent*>{title});
    ASSERT_EQ(window.Selections.size(), 1);
    EXPECT_EQ(window.Selections[0].first, main);

    // A design window selects through its designer; a collection item can be selected too.
    auto* bar = main->GetComponent(QStringLiteral("SbMain"));
    auto* panels = qobject_cast<TCollection*>(bar->property("Panels").value<QObject*>());
    ASSERT_NE(panels, nullptr);
    QList<TPersistent*> both = window.CreateSelectionList();
    both << bar << panels->Items(0);
    window.SetSelection(both);
    EXPECT_EQ(main->GetSelections(), both);

    // Duplicates and nothing are dropped.
    main->SetSelections({title, nullptr, title});
    EXPECT_EQ(main->GetSelections(), QList<TPersistent*>{title});
    main->SelectComponent(nullptr);
    EXPECT_TRUE(main->GetSelections().isEmpty());

    // Other designers' notifications reach the window too, naming their designer.
    orders->Modified();
    EXPECT_EQ(window.Items, QList<IDesigner*>{orders});
}

TEST_F(FormDesigner, AWindowFreedWhileTheWindowsAreToldIsNotToldAnyMore) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    // The first window closes the second one for good when the form changes.
    struct Closer : TDesignWindow {
        TDesignWindow* Other = nullptr;
        void ItemsModified(IDesigner*) override { delete std::exchange(Other, nullptr); }
    } closer;
    int told = 0;
    struct Counted : TDesignWindow {
        int* Told = nullptr;
        void ItemsModified(IDesigner*) override { ++*Told; }
    };
    auto* counted = new Counted;
    counted->Told = &told;
    closer.Other = counted;
    main->Modified();
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(DesignWindows().contains(counted));
    main->Modified();
    EXPECT_EQ(told, 0);
}

TEST_F(FormDesigner, GetComponentNamesListsTheFormsComponentsOfAClass) {
    openProject();
    TQzFormDesigner* orders = openForm("Orders");
    QStringList labels;
    orders->GetComponentNames(&TQzLabel::staticMetaObject,
                              [&](const QString& name) { labels << name; });
    EXPECT_EQ(labels.join(u' ').toStdString(),
              "LbDate LbAmount LbQuantity LbStatus LbProducts LbAddress");
    QStringList forms;
    orders->GetComponentNames(&TCustomForm::staticMetaObject,
                              [&](const QString& name) { forms << name; });
    EXPECT_EQ(forms, QStringList{QStringLiteral("FrmOrders")});
    EXPECT_EQ(orders->GetComponent(QStringLiteral("frmorders")), orders->GetRoot());
    EXPECT_EQ(orders->GetComponent(QString()), nullptr);
    EXPECT_EQ(orders->GetComponentName(orders->GetComponent(QStringLiteral("BtOk"))),
              QStringLiteral("BtOk"));
}

TEST_F(FormDesigner, CreateMethodWritesTheHandlerIntoTheUnitAndSaveKeepsIt) {
    openProject();
    TQzFormDesigner* orders = openForm("Orders");
    const TMethod method =
        orders->CreateMethod(QStringLiteral("BtCancelClick"), QMetaType::fromType<TNotifyEvent>());
    EXPECT_EQ(method.Name, QStringLiteral("BtCancelClick"));
    EXPECT_TRUE(orders->MethodExists(QStringLiteral("btcancelclick")));
    EXPECT_EQ(orders->GetMethodName(TMethod{QStringLiteral("BTCANCELCLICK")}),
              QStringLiteral("BtCancelClick"));
    EXPECT_EQ(orders->GetMethodName(TMethod{QStringLiteral("Nothing")}), QString());

    const QString unit = orders->UnitText();
    // Declared last in the published part, implemented before the unit's end.
    EXPECT_TRUE(unit.contains(QStringLiteral("    procedure TmAutoSaveTimer(Sender: TObject);\n"
                                             "    procedure BtCancelClick(Sender: TObject);\n"
                                             "  end;\n")));
    EXPECT_TRUE(unit.endsWith(QStringLiteral("procedure TFrmOrders.BtCancelClick(Sender: "
                                             "TObject);\nbegin\n\nend;\n\nend.\n")));
    // Asked again, nothing is added twice.
    orders->CreateMethod(QStringLiteral("BtCancelClick"), QMetaType::fromType<TNotifyEvent>());
    EXPECT_EQ(orders->UnitText(), unit);

    QStringList handlers;
    orders->GetMethods(QMetaType::fromType<TNotifyEvent>(),
                       [&](const QString& name) { handlers << name; });
    EXPECT_EQ(handlers.first(), QStringLiteral("FormShow"));
    EXPECT_EQ(handlers.last(), QStringLiteral("BtCancelClick"));
    EXPECT_EQ(handlers.size(), 9);

    QSignalSpy shown(orders, &TQzFormDesigner::MethodShown);
    orders->ShowMethod(QStringLiteral("BtCancelClick"));
    EXPECT_EQ(orders->ShownMethod(), QStringLiteral("BtCancelClick"));
    EXPECT_EQ(shown.count(), 1);

    // Bound and saved, the form and the unit agree after reopening.
    TComponent* cancel = orders->GetComponent(QStringLiteral("BtCancel"));
    cancel->setProperty("OnClick", QVariant::fromValue(TNotifyEvent{method}));
    orders->Modified();
    orders->Save();
    EXPECT_EQ(readText(QStringLiteral("Orders.pas")), unit);
    FHost->CloseUnit(path(QStringLiteral("Orders.pas")));
    orders = openForm("Orders");
    EXPECT_TRUE(orders->MethodExists(QStringLiteral("BtCancelClick")));
    EXPECT_EQ(orders->GetComponent(QStringLiteral("BtCancel"))
                  ->property("OnClick")
                  .value<TNotifyEvent>()
                  .Name,
              QStringLiteral("BtCancelClick"));
}

TEST_F(FormDesigner, HandlersOutsideThePublishedPartOrOfOtherShapesAreNotOffered) {
    writeBytes(QStringLiteral("Tool.pas"),
               "unit Tool;\n"
               "{ A comment that says end. and procedure Fake(Sender: TObject); }\n"
               "interface\n"
               "type\n"
               "  TFrmTool = class(TForm)\n"
               "    procedure FormCreate(Sender: TObject);\n"
               "    procedure Resized(Sender: TObject; Width: Integer);\n"
               "  private\n"
               "    procedure Helper(Sender: TObject);\n"
               "  published\n"
               "    procedure Later(Sender : TObject);\n"
               "  end;\n"
               "implementation\n"
               "initialization\n"
               "  RegisterClass(TFrmTool);\n"
               "end.\n");
    writeBytes(QStringLiteral("Tool.dfm"), "object FrmTool: TFrmTool\nend\n");
    TQzFormDesigner* tool = openForm("Tool");
    QStringList notify;
    tool->GetMethods(QMetaType::fromType<TNotifyEvent>(),
                     [&](const QString& name) { notify << name; });
    EXPECT_EQ(notify, (QStringList{"FormCreate", "Later"}));
    EXPECT_TRUE(tool->MethodExists(QStringLiteral("Resized")));
    EXPECT_FALSE(tool->MethodExists(QStringLiteral("Helper")));
    EXPECT_FALSE(tool->MethodExists(QStringLiteral("Fake")));

    // A new handler closes the first published part, before "private".
    tool->CreateMethod(QStringLiteral("FormShow"), QMetaType::fromType<TNotifyEvent>());
    EXPECT_TRUE(tool->UnitText().contains(
        QStringLiteral("Integer);\n    procedure FormShow(Sender: TObject);\n  private\n")));
    // Its body goes before the unit's initialization part.
    EXPECT_TRUE(tool->UnitText().contains(QStringLiteral(
        "procedure TFrmTool.FormShow(Sender: TObject);\nbegin\n\nend;\n\ninitialization\n")));

    // Without a unit declaring the form's class no handler can be made.
    writeBytes(QStringLiteral("Bare.dfm"), "object Bare: TForm\nend\n");
    TQzFormDesigner* bare = openForm("Bare");
    EXPECT_EQ(errorOf([&] {
                  bare->CreateMethod(QStringLiteral("X"), QMetaType::fromType<TNotifyEvent>());
              }),
              "The unit does not declare the class TForm");
    EXPECT_NE(errorOf([&] {
                  tool->CreateMethod(QStringLiteral("1x"), QMetaType::fromType<TNotifyEvent>());
              }),
              "no error");
}

TEST_F(FormDesigner, ChangedFormsSaveAndReopenInTheFormatTheyWereStoredIn) {
    openProject();
    // Orders goes to the plain binary stream first, so that all three formats are covered.
    const QByteArray ordersText = FormFileToText(readBytes(QStringLiteral("Orders.dfm")));
    writeBytes(QStringLiteral("Orders.dfm"), ObjectTextToBinary(ordersText));
    const QByteArray unitBefore = readBytes(QStringLiteral("Customers.pas"));

    const std::pair<const char*, TFormFileFormat> forms[] = {
        {"Main", TFormFileFormat::Text},
        {"Customers", TFormFileFormat::Resource},
        {"Orders", TFormFileFormat::Binary}};
    for (const auto& [unit, format] : forms) {
        SCOPED_TRACE(unit);
        const QString form = QString::fromLatin1(unit) + QStringLiteral(".dfm");
        const QByteArray before = FormFileToText(readBytes(form));
        TQzFormDesigner* designer = openForm(unit);
        ASSERT_EQ(designer->StoredFormat(), format);

        // Unchanged, the saved file holds the same form.
        designer->Save();
        EXPECT_EQ(DetectFormFileFormat(readBytes(form).left(64)), format);
        EXPECT_EQ(FormFileToText(readBytes(form)), before);

        designer->CreateComponent(ClassOf<TQzLabel>(), nullptr, 11, 22, 33, 44);
        designer->Save();
        EXPECT_FALSE(designer->IsModified());
        EXPECT_EQ(DetectFormFileFormat(readBytes(form).left(64)), format);
        const QByteArray after = FormFileToText(readBytes(form));
        EXPECT_TRUE(after.startsWith(
            QStringLiteral("object %1: T%1").arg(designer->GetRoot()->Name()).toLatin1()));
        FHost->CloseUnit(path(form));

        designer = openForm(unit);
        auto* reread = find<TControl>(designer, "QzLabel1");
        ASSERT_NE(reread, nullptr);
        EXPECT_EQ(reread->Left(), 11);
        EXPECT_EQ(reread->Height(), 44);
        EXPECT_EQ(reread->Parent(), designer->GetRoot());
    }
    // The unit gained the new label's field and nothing else.
    QByteArray unitAfter = readBytes(QStringLiteral("Customers.pas"));
    EXPECT_EQ(unitAfter.count("QzLabel1: TQzLabel;\n"), 1);
    EXPECT_EQ(unitAfter.replace("    QzLabel1: TQzLabel;\n", ""), unitBefore);

    // A form without a unit saves without making one.
    QFile::remove(path(QStringLiteral("About.pas")));
    TQzFormDesigner* about = openForm("About");
    about->Modified();
    about->Save();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("About.pas"))));
}
