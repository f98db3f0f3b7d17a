// A project's units and forms as the designer and the command line both read them: units in
// their encoding, the class a form's root is made of, and all the forms of a project at once.

#include "Controls.h"
#include "IdeTestSupport.h"
#include "QzExcept.h"
#include "QzPkgInfo.h"
#include "QzPkgStrings.h"
#include "QzProjectForms.h"

using ProjectForms = DemoCopy;

TEST_F(ProjectForms, Windows1252UnitsAndFormsKeepTheirLetters) {
    QByteArray unit = readBytes(QStringLiteral("Orders.pas"));
    unit.replace("{ One order", "{ Caf\xE9 \x80: one order");
    writeBytes(QStringLiteral("Orders.pas"), unit);
    QByteArray form = readBytes(QStringLiteral("Orders.dfm"));
    form.replace("Caption = 'Orders'", "Caption = 'Commandes \xE0 livrer'");
    writeBytes(QStringLiteral("Orders.dfm"), form);

    TTextEncoding encoding = TTextEncoding::Utf8;
    EXPECT_TRUE(QzReadUnitText(path(QStringLiteral("Orders.pas")), &encoding)
                    .contains(QStringLiteral("Caf\u00E9 \u20AC")));
    EXPECT_EQ(encoding, TTextEncoding::Windows1252);

    openProject();
    TQzFormDesigner* designer = openForm("Orders");
    EXPECT_EQ(designer->GetRoot()->property("Caption").toString(),
              QStringLiteral("Commandes \u00E0 livrer"));
    designer->CreateMethod(QStringLiteral("FrmOrdersShow"), QMetaType::fromType<TNotifyEvent>());
    designer->Save();
    // The unit is saved in the code page it was read in, the new handler and all.
    const QByteArray saved = readBytes(QStringLiteral("Orders.pas"));
    EXPECT_TRUE(saved.startsWith(unit.left(unit.indexOf("type"))));
    EXPECT_TRUE(saved.contains("procedure FrmOrdersShow(Sender: TObject);"));
    EXPECT_EQ(DecodeText(saved), designer->UnitText());

    EXPECT_THROW(QzReadUnitText(path(QStringLiteral("None.pas"))), EQzError);
}

TEST_F(ProjectForms, TheRootClassIsTheFormsOwnOrTheAncestorItsUnitDeclares) {
    struct Case {
        const char* what;
        QString formClass;
        QString unit;
        const QMetaObject* root;
    };
    const Case cases[] = {
        {"registered", QStringLiteral("TFrame"), QString(), &TFrame::staticMetaObject},
        {"declared ancestor", QStringLiteral("TFrmTools"),
         QStringLiteral("type\n  TFrmTools = class(TFrame)\n  end;"), &TFrame::staticMetaObject},
        // What a comment says is not a declaration.
        {"declaration in a comment", QStringLiteral("TFrmTools"),
         QStringLiteral("{ TFrmTools = class(TFrame) }\ntype\n  TFrmTools = class(TForm)\n"
                        "  end;"),
         &TForm::staticMetaObject},
        {"unknown ancestor", QStringLiteral("TFrmTools"),
         QStringLiteral("type\n  TFrmTools = class(TFrmBase)\n  end;"), &TForm::staticMetaObject},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(QzFormRootClass(c.formClass, c.unit)->Meta, c.root);
    }
}

TEST_F(ProjectForms, EveryFormIsReadAndOnesThatCannotBeAreReported) {
    writeBytes(QStringLiteral("Settings.dfm"), "object FrmSettings: TFrmSettings\n  Left = \n");
    QStringList failures;
    {
        const TQzProjectForms project(
            path(QStringLiteral("Demo.dpr")),
            [&](const QString& file, const QString& message, int line) {
                failures << QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
            });
        EXPECT_EQ(project.FormFiles().size(), 5);
        EXPECT_EQ(project.Relative(path(QStringLiteral("Orders.dfm"))),
                  QStringLiteral("Orders.dfm"));
        // The strings package kept inside the orders form is there to count against.
        EXPECT_NE(QzFindPkgStrings(QStringLiteral("Orders")), nullptr);
        EXPECT_EQ(QzAppPath(), QDir(FDir.path()).absolutePath() + u'/');
    }
    EXPECT_EQ(failures,
              QStringList({path(QStringLiteral("Settings.dfm")) +
                           QStringLiteral(":3: Error in form text on line 3, column 1: Value "
                                          "expected but end of text found")}));
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("Orders")), nullptr);
    EXPECT_NE(QzAppPath(), QDir(FDir.path()).absolutePath() + u'/');
}
