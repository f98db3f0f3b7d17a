// Undo and redo through the designer host: every change the designer makes is a step, any
// sequence undone to the start gives back the exact form and unit, and the unit's fields and
// handlers follow the components they belong to.

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignRegistry.h"
#include "DesignWindows.h"
#include "IdeTestSupport.h"
#include "QzButtons.h"
#include "QzContainers.h"
#include "QzLabels.h"
#include "QzUnitSource.h"
#include "StdEditors.h"

#include <QUndoStack>
#include <random>

namespace {

// Sets `name` of `object` as the inspector would: through its editor.
void setProperty(TQzFormDesigner* designer, TPersistent* object, const char* name,
                 const QString& value) {
    const QMetaProperty prop =
        FindPublishedProperty(object->metaObject(), QString::fromLatin1(name));
    ASSERT_TRUE(prop.isValid()) << name;
    std::unique_ptr<TPropertyEditor> editor = CreatePropertyEditor(designer, {object}, prop);
    ASSERT_NE(editor, nullptr) << name;
    editor->SetValue(value);
}

QList<TControl*> controlsOf(TQzFormDesigner* designer) {
    QList<TControl*> controls;
    for (TComponent* c : designer->GetRoot()->ComponentList())
        if (auto* control = qobject_cast<TControl*>(c))
            controls << control;
    return controls;
}

QStringList fieldNames(TQzFormDesigner* designer) {
    QStringList names;
    for (const TQzUnitField& field :
         QzUnitPublishedFields(designer->UnitText(), designer->FormClassName()))
        names << field.Name;
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList componentNames(TQzFormDesigner* designer) {
    QStringList names;
    for (TComponent* c : designer->GetRoot()->ComponentList())
        if (!c->Name().isEmpty() && !(c->ComponentState() & csSubComponent))
            names << c->Name();
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

using Undo = DemoCopy;

// Random sequences of the designer's changes (create, delete, move, properties, renames, paste,
// handlers), each recorded as a step: undone one by one every text comes back in order, undone
// to the start the form and unit are those the form opened with, redone to the end those it
// reached.
TEST_F(Undo, AnySequenceUndoneToTheStartGivesBackTheExactForm) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        openProject();
        TQzFormDesigner* orders = openForm("Orders");
        std::mt19937 random(seed);
        const auto pick = [&](const auto& list) {
            return list[random() % list.size()];
        };
        QList<QPair<QByteArray, QString>> states{{orders->FormText(), orders->UnitText()}};
        for (int step = 0; step < 25; ++step) {
            const QList<TControl*> controls = controlsOf(orders);
            if (controls.isEmpty()) {
                orders->CreateComponent(ClassOf<TQzLabel>(), nullptr, -1, -1, -1, -1);
                continue;
            }
            TControl* control = pick(controls);
            switch (random() % 7) {
            case 0:
                orders->CreateComponent(ClassOf<TQzLabel>(), control, -1, -1, -1, -1);
                break;
            case 1:
                orders->DeleteComponents({control});
                break;
            case 2:
                control->SetBounds(control->Left() + 3, control->Top() + 1, control->Width(),
                                   control->Height());
                orders->Modified();
                break;
            case 3:
                setProperty(orders, control, "Tag", QString::number(step));
                break;
            case 4:
                setProperty(orders, control, "Name", QStringLiteral("Renamed%1").arg(step));
                break;
            case 5:
                TDesignWindow::CopyComponents(orders->GetRoot(), {control});
                TDesignWindow::PasteComponents(orders->GetRoot(), orders->GetRoot());
                orders->Modified();
                break;
            default:
                setProperty(orders,
                            qobject_cast<TPersistent*>(control->property("Hint").value<QObject*>()),
                            "Id", QString::number(step));
                break;
            }
            orders->CommitChanges();
            // The unit declares exactly the form's components after every step.
            ASSERT_EQ(fieldNames(orders), componentNames(orders));
            if (orders->FormText() != states.last().first ||
                orders->UnitText() != states.last().second)
                states.append({orders->FormText(), orders->UnitText()});
        }
        ASSERT_EQ(orders->UndoStack()->count(), states.size() - 1);
        for (qsizetype i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(orders->CanUndo());
            orders->Undo();
            ASSERT_EQ(orders->FormText(), states[i - 1].first) << "undo to state " << i - 1;
            ASSERT_EQ(orders->UnitText(), states[i - 1].second);
        }
        EXPECT_FALSE(orders->CanUndo());
        EXPECT_FALSE(orders->IsModified());
        while (orders->CanRedo())
            orders->Redo();
        EXPECT_EQ(orders->FormText(), states.last().first);
        EXPECT_EQ(orders->UnitText(), states.last().second);
        FHost->CloseProject();
    }
}

TEST_F(Undo, TheModifiedMarkFollowsTheCleanState) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    auto* title = qobject_cast<TControl*>(main->GetComponent(QStringLiteral("LbTitle")));
    setProperty(main, title, "Left", QStringLiteral("70"));
    EXPECT_TRUE(main->IsModified());
    main->Undo();
    EXPECT_FALSE(main->IsModified());
    // The component is a new one now; the selection followed it.
    title = qobject_cast<TControl*>(main->GetComponent(QStringLiteral("LbTitle")));
    EXPECT_EQ(title->Left(), 64);
    main->Redo();
    EXPECT_TRUE(main->IsModified());
    main->Save();
    EXPECT_FALSE(main->IsModified());
    main->Undo();
    EXPECT_TRUE(main->IsModified());
    // A change that changes nothing is no step and no modification.
    main->Redo();
    main->Modified();
    main->CommitChanges();
    EXPECT_FALSE(main->IsModified());
    EXPECT_EQ(main->UndoStack()->count(), 1);
}

TEST_F(Undo, ChangesMadeTogetherAreOneStepAndTheSelectionComesBack) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* header = main->GetComponent(QStringLiteral("PnHeader"));
    main->SelectComponent(header);
    {
        TQzDesignChange change(main, QStringLiteral("Paste"));
        main->CreateComponent(ClassOf<TQzLabel>(), header, 1, 1, -1, -1);
        main->Modified();
        main->CreateComponent(ClassOf<TQzLabel>(), header, 2, 2, -1, -1);
    }
    EXPECT_EQ(main->UndoStack()->count(), 1);
    EXPECT_EQ(main->UndoStack()->undoText(), QStringLiteral("Paste"));
    main->Undo();
    EXPECT_EQ(main->GetComponent(QStringLiteral("QzLabel1")), nullptr);
    EXPECT_EQ(main->GetSelections(),
              QList<TPersistent*>{main->GetComponent(QStringLiteral("PnHeader"))});
    main->Redo();
    EXPECT_EQ(main->GetSelections(),
              QList<TPersistent*>{main->GetComponent(QStringLiteral("QzLabel2"))});

    // Nudges in a row with one merge key are one step.
    auto* label = qobject_cast<TControl*>(main->GetComponent(QStringLiteral("QzLabel2")));
    for (int i = 0; i < 3; ++i) {
        TQzDesignChange nudge(main, QStringLiteral("Move"), 1);
        label->SetLeft(label->Left() + 1);
        main->Modified();
    }
    EXPECT_EQ(main->UndoStack()->count(), 2);
    main->Undo();
    EXPECT_EQ(qobject_cast<TControl*>(main->GetComponent(QStringLiteral("QzLabel2")))->Left(), 2);

    // A collection item stays selected across a step.
    auto* bar = main->GetComponent(QStringLiteral("SbMain"));
    auto* panels = qobject_cast<TCollection*>(bar->property("Panels").value<QObject*>());
    main->SelectComponent(panels->Items(1));
    setProperty(main, panels->Items(1), "Width", QStringLiteral("99"));
    main->Undo();
    ASSERT_EQ(main->GetSelections().size(), 1);
    EXPECT_EQ(main->GetSelections().first()->GetNamePath(), QStringLiteral("SbMain.Panels[1]"));
}

// Adding, renaming and deleting components keeps the form class's fields in step; a rename takes
// the handlers named after the component along, in the unit and in every event bound to them.
TEST_F(Undo, TheUnitFollowsAddedRenamedAndDeletedComponents) {
    openProject();
    TQzFormDesigner* orders = openForm("Orders");
    const QString unitBefore = orders->UnitText();
    auto* print = orders->GetComponent(QStringLiteral("SbPrint"));
    // Another component shares the handler.
    auto* copy = orders->GetComponent(QStringLiteral("MnCopy"));
    copy->setProperty("OnClick",
                      QVariant::fromValue(TNotifyEvent{TMethod{QStringLiteral("SbPrintClick")}}));
    orders->Modified();

    setProperty(orders, print, "Name", QStringLiteral("SbPrintOrder"));
    orders->CommitChanges();
    QString unit = orders->UnitText();
    EXPECT_TRUE(unit.contains(QStringLiteral("    SbPrintOrder: TQzSpeedButton;\n")));
    EXPECT_FALSE(unit.contains(QStringLiteral("SbPrint:")));
    EXPECT_TRUE(unit.contains(QStringLiteral("    procedure SbPrintOrderClick(Sender: TObject);")));
    EXPECT_TRUE(unit.contains(QStringLiteral("procedure TFrmOrders.SbPrintOrderClick(")));
    EXPECT_EQ(print->property("OnClick").value<TNotifyEvent>().Name,
              QStringLiteral("SbPrintOrderClick"));
    EXPECT_EQ(copy->property("OnClick").value<TNotifyEvent>().Name,
              QStringLiteral("SbPrintOrderClick"));

    orders->CreateComponent(ClassOf<TQzBitBtn>(), nullptr, -1, -1, -1, -1);
    orders->DeleteComponents({orders->GetComponent(QStringLiteral("LbDate"))});
    orders->CommitChanges();
    unit = orders->UnitText();
    EXPECT_TRUE(unit.contains(QStringLiteral("    TmAutoSave: TQzThreadTimer;\n"
                                             "    QzBitBtn1: TQzBitBtn;\n")));
    EXPECT_FALSE(unit.contains(QStringLiteral("LbDate")));
    EXPECT_EQ(fieldNames(orders), componentNames(orders));

    // Saved and read back, the unit parses to the same fields, in its encoding.
    orders->Save();
    EXPECT_EQ(readText(QStringLiteral("Orders.pas")), unit);
    while (orders->CanUndo())
        orders->Undo();
    EXPECT_EQ(orders->UnitText(), unitBefore);
}

TEST_F(Undo, ReservedWordsAndHandlersOfOtherPartsAreRefused) {
    writeBytes(QStringLiteral("Tool.pas"), "unit Tool;\ninterface\ntype\n"
                                           "  TFrmTool = class(TForm)\n"
                                           "    BtGo: TQzBitBtn;\n"
                                           "  private\n"
                                           "    procedure Helper(Sender: TObject);\n"
                                           "  end;\n"
                                           "implementation\nend.\n");
    writeBytes(QStringLiteral("Tool.dfm"), "object FrmTool: TFrmTool\n"
                                           "  object BtGo: TQzBitBtn\n  end\nend\n");
    TQzFormDesigner* tool = openForm("Tool");
    TComponent* go = tool->GetComponent(QStringLiteral("BtGo"));
    const QString unit = tool->UnitText();
    for (const char* name : {"begin", "End", "published"}) {
        EXPECT_NE(errorOf([&] {
                      setProperty(tool, go, "OnClick", QString::fromLatin1(name));
                  }).find("reserved word"),
                  std::string::npos)
            << name;
        EXPECT_NE(errorOf([&] {
                      setProperty(tool, go, "Name", QString::fromLatin1(name));
                  }).find("reserved word"),
                  std::string::npos)
            << name;
    }
    EXPECT_EQ(errorOf([&] { setProperty(tool, go, "OnClick", QStringLiteral("helper")); }),
              "Helper is declared in the private part of TFrmTool; an event handler must be "
              "published");
    EXPECT_EQ(tool->UnitText(), unit);
    EXPECT_EQ(go->Name(), QStringLiteral("BtGo"));
}

// Components on an inline frame belong to the frame; the form keeps them when it is saved.
TEST_F(Undo, AnInlineFrameKeepsItsComponentsWhenSaved) {
    writeBytes(QStringLiteral("Host.dfm"), "object FrmHost: TForm\n"
                                           "  inline FrBox: TFrame\n"
                                           "    Width = 200\n"
                                           "    object LbInside: TQzLabel\n"
                                           "      Left = 4\n"
                                           "    end\n"
                                           "    object TmInside: TQzTimer\n"
                                           "    end\n"
                                           "  end\n"
                                           "end\n");
    TQzFormDesigner* host = openForm("Host");
    const QByteArray before = FormFileToText(readBytes(QStringLiteral("Host.dfm")));
    host->Modified();
    host->Save();
    const QByteArray saved = FormFileToText(readBytes(QStringLiteral("Host.dfm")));
    EXPECT_EQ(saved, before);
    EXPECT_TRUE(saved.contains("object LbInside: TQzLabel"));
    EXPECT_TRUE(saved.contains("object TmInside: TQzTimer"));
}

// A unit in Windows-1252 with CR alone for line ends, as old editors wrote them: the fields,
// handlers and renames the designer makes come out in that encoding and those line ends.
TEST_F(Undo, AUnitKeepsItsEncodingAndLineEndsThroughTheDesignersEdits) {
    writeBytes(QStringLiteral("Tool.pas"), "unit Tool;\r{ caf\xe9 }\rinterface\rtype\r"
                                           "  TFrmTool = class(TForm)\r"
                                           "    BtGo: TQzBitBtn;\r"
                                           "  end;\rimplementation\rend.\r");
    writeBytes(QStringLiteral("Tool.dfm"), "object FrmTool: TFrmTool\r\n"
                                           "  object BtGo: TQzBitBtn\r\n  end\r\nend\r\n");
    TQzFormDesigner* tool = openForm("Tool");
    tool->CreateComponent(ClassOf<TQzLabel>(), nullptr, -1, -1, -1, -1);
    TComponent* go = tool->GetComponent(QStringLiteral("BtGo"));
    setProperty(tool, go, "OnClick", QStringLiteral("BtGoClick"));
    setProperty(tool, go, "Name", QStringLiteral("BtRun"));
    tool->Save();
    EXPECT_EQ(readBytes(QStringLiteral("Tool.pas")),
              QByteArray("unit Tool;\r{ caf\xe9 }\rinterface\rtype\r"
                         "  TFrmTool = class(TForm)\r"
                         "    BtRun: TQzBitBtn;\r"
                         "    QzLabel1: TQzLabel;\r"
                         "    procedure BtRunClick(Sender: TObject);\r"
                         "  end;\rimplementation\r"
                         "procedure TFrmTool.BtRunClick(Sender: TObject);\rbegin\r\rend;\r\r"
                         "end.\r"));
}

// The class declares a field per component beside its methods: a component named like a
// method, a handler named like a component, or a new component's name taken by a method would
// declare one identifier twice and the unit would no longer compile.
TEST_F(Undo, NamesThatWouldClashInTheFormClassAreRefused) {
    writeBytes(QStringLiteral("Tool.pas"), "unit Tool;\ninterface\ntype\n"
                                           "  TFrmTool = class(TForm)\n"
                                           "    BtGo: TQzBitBtn;\n"
                                           "    BtStop: TQzBitBtn;\n"
                                           "    procedure BtGoClick(Sender: TObject);\n"
                                           "  private\n"
                                           "    procedure QzLabel1;\n"
                                           "  end;\nimplementation\n"
                                           "procedure TFrmTool.BtGoClick(Sender: TObject);\n"
                                           "begin\nend;\n"
                                           "procedure TFrmTool.QzLabel1;\nbegin\nend;\nend.\n");
    writeBytes(QStringLiteral("Tool.dfm"), "object FrmTool: TFrmTool\n"
                                           "  object BtGo: TQzBitBtn\n  end\n"
                                           "  object BtStop: TQzBitBtn\n  end\nend\n");
    TQzFormDesigner* tool = openForm("Tool");
    TComponent* stop = tool->GetComponent(QStringLiteral("BtStop"));
    const QString unit = tool->UnitText();
    EXPECT_EQ(errorOf([&] { setProperty(tool, stop, "Name", QStringLiteral("btgoclick")); }),
              "A method named btgoclick already exists");
    EXPECT_EQ(errorOf([&] { setProperty(tool, stop, "OnClick", QStringLiteral("btgo")); }),
              "btgo names a component of the form; an event handler needs a name of its own");
    tool->CommitChanges();
    EXPECT_EQ(tool->UnitText(), unit);
    EXPECT_EQ(stop->Name(), QStringLiteral("BtStop"));

    TComponent* label = tool->CreateComponent(ClassOf<TQzLabel>(), nullptr, -1, -1, -1, -1);
    EXPECT_EQ(label->Name(), QStringLiteral("QzLabel2"));
}
