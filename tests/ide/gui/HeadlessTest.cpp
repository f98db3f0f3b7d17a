// qzdesigner run as a script runs it: the listings, the inspection of a component, the
// screenshot, and what it says about bad arguments and a missing package.

#include "GuiTestSupport.h"
#include "QzDesignerReports.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int Exit;
    QString Out;
    QString Err;
};

ToolRun qzdesigner(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QZDESIGNER_PATH), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString demo(const char* name) {
    return QStringLiteral(QZ_DEMO_DIR "/") + QString::fromLatin1(name);
}

// The fields of the line of `listing` that starts with `first` (tab-separated).
QStringList lineOf(const QString& listing, const QString& first) {
    for (const QString& line : listing.split(u'\n'))
        if (line.section(u'\t', 0, 0) == first)
            return line.split(u'\t');
    return {};
}

} // namespace

// The listings are those of the package loaded here the same way; the package's own tests check
// what it registers.
TEST(QzDesignerCommandLine, ListsThePaletteAndTheEditorBindingsInRegistrationOrder) {
    const ToolRun palette = qzdesigner({QStringLiteral("--list-palette")});
    const ToolRun editors = qzdesigner({QStringLiteral("--list-editors")});
    ASSERT_EQ(palette.Exit, 0) << palette.Err.toStdString();
    ASSERT_EQ(editors.Exit, 0) << editors.Err.toStdString();
    TQzDesignerHost host;
    host.LoadPackage(QStringLiteral(QZ_DESIGN_PACKAGE));
    EXPECT_EQ(palette.Out, QzPaletteListing());
    EXPECT_TRUE(palette.Out.startsWith(QStringLiteral("Qz Standard\n  TQzCApplication\n")));
    EXPECT_EQ(editors.Out, QzEditorBindingsListing());

    const QStringList sections = editors.Out.split(QStringLiteral("\n\n"));
    ASSERT_EQ(sections.size(), 2);
    QStringList properties = sections[0].split(u'\n');
    ASSERT_EQ(properties.takeFirst(), QStringLiteral("Property editors"));
    for (const QString& row : properties)
        EXPECT_EQ(row.simplified().count(u' '), 3) << row.toStdString();
    EXPECT_TRUE(sections[1].startsWith(QStringLiteral("Component editors")));
}

TEST(QzDesignerCommandLine, InspectsAComponentOfAForm) {
    const ToolRun run = qzdesigner({QStringLiteral("--inspect"), demo("Main.dfm"),
                                    QStringLiteral("LbTitle"), demo("Demo.dpr")});
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(lineOf(run.Out, QStringLiteral("Left")).value(1), QStringLiteral("64"));
    EXPECT_EQ(lineOf(run.Out, QStringLiteral("Width")).mid(1),
              (QStringList{QStringLiteral("220"), QStringLiteral("paMultiSelect, paRevertable"),
                           QStringLiteral("TIntegerProperty")}));
    EXPECT_EQ(
        lineOf(run.Out, QStringLiteral("Alignment")).mid(1, 2),
        (QStringList{QStringLiteral("taLeftJustify"),
                     QStringLiteral("paValueList, paMultiSelect, paSortList, paRevertable")}));
    // Every property, with the editors the package binds, as the inspector would make them.
    {
        TQzDesignerHost host;
        host.LoadPackage(QStringLiteral(QZ_DESIGN_PACKAGE));
        host.OpenProject(demo("Demo.dpr"));
        TQzFormDesigner* form = host.OpenForm(demo("Main.pas"));
        EXPECT_EQ(run.Out, QzInspectListing(form, form->GetComponent(QStringLiteral("LbTitle"))));
    }

    // A value its editor cannot show is blank, as in the inspector, and the rest still lists:
    // UxDate's numeric limits are no dates.
    const ToolRun date = qzdesigner({QStringLiteral("--inspect"), demo("Orders.dfm"),
                                     QStringLiteral("UxDate"), demo("Demo.dpr")});
    ASSERT_EQ(date.Exit, 0) << date.Err.toStdString();
    EXPECT_EQ(lineOf(date.Out, QStringLiteral("Name")).value(1), QStringLiteral("UxDate"));

    const ToolRun missing =
        qzdesigner({QStringLiteral("--inspect"), demo("Main.dfm"), QStringLiteral("LbNothing")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains(QStringLiteral("has no component LbNothing")))
        << missing.Err.toStdString();
    EXPECT_TRUE(missing.Out.isEmpty());
}

// A reference to a package another form keeps shows its text; a damaged form elsewhere in the
// project is a warning, and its references stay unresolved.
TEST(QzDesignerCommandLine, InspectionKnowsThePackagesOfTheProjectsOtherForms) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir source(QStringLiteral(QZ_DEMO_DIR));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), dir.filePath(name)));
    const QStringList args{QStringLiteral("--inspect"), dir.filePath(QStringLiteral("Orders.dfm")),
                           QStringLiteral("MnPriority"), dir.filePath(QStringLiteral("Demo.dpr"))};
    const ToolRun sound = qzdesigner(args);
    ASSERT_EQ(sound.Exit, 0) << sound.Err.toStdString();
    EXPECT_EQ(lineOf(sound.Out, QStringLiteral("Privilege")).value(1),
              QStringLiteral("(2, R/W) - Delete orders"));
    EXPECT_FALSE(sound.Err.contains(QStringLiteral("warning"))) << sound.Err.toStdString();

    QFile main(dir.filePath(QStringLiteral("Main.dfm")));
    ASSERT_TRUE(main.open(QIODevice::WriteOnly | QIODevice::Truncate));
    main.write("object FrmMain: TFrmMain\n  Left = \n");
    main.close();
    const ToolRun damaged = qzdesigner(args);
    ASSERT_EQ(damaged.Exit, 0) << damaged.Err.toStdString();
    EXPECT_TRUE(damaged.Err.contains(QStringLiteral("qzdesigner: warning: Cannot read the form ") +
                                     dir.filePath(QStringLiteral("Main.dfm"))))
        << damaged.Err.toStdString();
    EXPECT_EQ(lineOf(damaged.Out, QStringLiteral("Privilege")).value(1),
              QStringLiteral("(2, R/W)"));
}

TEST(QzDesignerCommandLine, RendersTheMainWindow) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("designer.png"));
    const ToolRun run = qzdesigner({QStringLiteral("--screenshot"), shot, demo("Demo.dpr")});
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 800);
    EXPECT_GE(image.height(), 600);

    // A picture that cannot be written says why, and an existing file stays as it was.
    const QString kept = dir.filePath(QStringLiteral("kept.txt"));
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept");
    }
    const struct {
        QString File;
        QStringList Args;
        const char* Reason;
    } failures[] = {
        {dir.filePath(QStringLiteral("no/such.png")), {demo("Demo.dpr")}, "No such file"},
        {kept, {demo("Demo.dpr")}, "no picture format \"txt\""},
        {kept, {QStringLiteral("--dialog"), QStringLiteral("TFrMultiLine")}, "no picture format"},
    };
    for (const auto& c : failures) {
        const ToolRun failed =
            qzdesigner(QStringList{QStringLiteral("--screenshot"), c.File} + c.Args);
        EXPECT_EQ(failed.Exit, 1);
        EXPECT_TRUE(failed.Err.contains(QString::fromLatin1(c.Reason))) << failed.Err.toStdString();
    }
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "kept");
}

TEST(QzDesignerCommandLine, PrintsTheObjectTreeOfAForm) {
    const ToolRun run = qzdesigner({QStringLiteral("--tree"), demo("Orders.dfm")});
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), QStringLiteral("FrmOrders: TFrmOrders"));
    EXPECT_EQ(lines.value(1), QStringLiteral("  PcOrder: TQzPageControl"));
    EXPECT_EQ(lines.value(2), QStringLiteral("    Tabs[0]: TQzTabControl"));
    EXPECT_TRUE(lines.contains(QStringLiteral("      LbDate: TQzLabel")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  PmLines: TQzPopupMenu")));
    EXPECT_TRUE(lines.contains(QStringLiteral("    MnCopy: TQzMenuItem")));
    // A binary form lists the same way.
    const ToolRun binary = qzdesigner({QStringLiteral("--tree"), demo("About.dfm")});
    ASSERT_EQ(binary.Exit, 0) << binary.Err.toStdString();
    EXPECT_TRUE(
        binary.Out.startsWith(QStringLiteral("FrmAbout: TFrmAbout\n  ShFrame: TQzShape\n")));

    const ToolRun missing = qzdesigner({QStringLiteral("--tree"), demo("Nothing.dfm")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains(QStringLiteral("Nothing.dfm"))) << missing.Err.toStdString();

    // A form kept under another name is refused, not swapped for the unit's form beside it.
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(demo("Orders.dfm"), dir.filePath(QStringLiteral("Main.dfm"))));
    ASSERT_TRUE(QFile::copy(demo("About.dfm"), dir.filePath(QStringLiteral("Main.txt"))));
    for (const QStringList& args :
         {QStringList{QStringLiteral("--tree"), dir.filePath(QStringLiteral("Main.txt"))},
          QStringList{QStringLiteral("--inspect"), dir.filePath(QStringLiteral("Main.txt")),
                      QStringLiteral("FrmOrders"), demo("Demo.dpr")}}) {
        const ToolRun other = qzdesigner(args);
        EXPECT_EQ(other.Exit, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(other.Out.isEmpty()) << other.Out.toStdString();
        EXPECT_TRUE(other.Err.contains(QStringLiteral("Main.txt"))) << other.Err.toStdString();
    }
}

TEST(QzDesignerCommandLine, RendersAFormsPreviewInALanguage) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("preview.png"));
    const ToolRun run =
        qzdesigner({QStringLiteral("--screenshot"), shot, QStringLiteral("--form"),
                    demo("Orders.dfm"), QStringLiteral("--preview"), QStringLiteral("--language"),
                    demo("Spanish.lan"), demo("Demo.dpr")});
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    // The form's client is 544 wide; the preview shows all of it.
    EXPECT_GE(image.width(), 544);
    for (const QStringList& args :
         {QStringList{QStringLiteral("--preview")},
          QStringList{QStringLiteral("--screenshot"), shot, QStringLiteral("--language"),
                      demo("Spanish.lan")}}) {
        const ToolRun bad = qzdesigner(args);
        EXPECT_EQ(bad.Exit, 2) << args.join(u' ').toStdString();
    }
}

TEST(QzDesignerCommandLine, RefusesBadArgumentsAndAMissingPackage) {
    for (const QStringList& args :
         {QStringList{QStringLiteral("--inspect"), demo("Main.dfm")},
          QStringList{QStringLiteral("--frobnicate")},
          QStringList{QStringLiteral("--list-palette"), QStringLiteral("--list-editors")},
          QStringList{QStringLiteral("--screenshot")},
          QStringList{QStringLiteral("One.dpr"), QStringLiteral("Two.dpr")}}) {
        const ToolRun run = qzdesigner(args);
        EXPECT_EQ(run.Exit, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains(QStringLiteral("Usage: qzdesigner"))) << run.Err.toStdString();
    }
    const ToolRun help = qzdesigner({QStringLiteral("--help")});
    EXPECT_EQ(help.Exit, 0);
    EXPECT_TRUE(help.Out.startsWith(QStringLiteral("Usage: qzdesigner")));

    const ToolRun noPackage =
        qzdesigner({QStringLiteral("--package"), QStringLiteral("/nonexistent/libnothing.so"),
                    QStringLiteral("--list-palette")});
    EXPECT_EQ(noPackage.Exit, 1);
    EXPECT_TRUE(noPackage.Err.contains(QStringLiteral("cannot load the design package")))
        << noPackage.Err.toStdString();
    EXPECT_TRUE(noPackage.Out.isEmpty());
}
