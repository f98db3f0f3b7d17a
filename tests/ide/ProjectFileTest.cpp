// Project files as the designer and the command line read them: the units of the uses clause
// with their paths and forms, whatever comments surround them, and clear errors for files that
// are no project.

#include "QzExcept.h"
#include "QzProjectFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString dpr = QStringLiteral("/work/app/App.dpr");

std::string errorOf(const QString& text) {
    try {
        TQzProjectFile::Parse(text, dpr);
    } catch (const EQzError& e) {
        return e.Message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(ProjectFile, UnitsWithPathsAndFormsAreReadPastComments) {
    const TQzProjectFile project =
        TQzProjectFile::Parse(QStringLiteral("// the application\n"
                                             "program App;\n"
                                             "(* uses Fake in 'Fake.pas' {FrmFake}, *)\n"
                                             "uses\n"
                                             "  Forms, SysUtils (* library units have no path *),\n"
                                             "  Main in 'Main.pas' {FrmMain},\n"
                                             "  Data in 'data\\Data.pas' {DmData: TDataModule},\n"
                                             "  Help in '../shared/Help.pas',\n"
                                             "  Odd in 'It''s.pas' { FrmOdd } ;\n"
                                             "begin\n"
                                             "end.\n"),
                              dpr);
    EXPECT_EQ(project.FileName, dpr);
    EXPECT_EQ(project.ProgramName, QStringLiteral("App"));
    ASSERT_EQ(project.Units.size(), 4);
    EXPECT_EQ(project.Units[0].Name, QStringLiteral("Main"));
    EXPECT_EQ(project.Units[0].FileName, QStringLiteral("/work/app/Main.pas"));
    EXPECT_EQ(project.Units[0].FormName, QStringLiteral("FrmMain"));
    EXPECT_EQ(project.Units[0].FormFileName(), QStringLiteral("/work/app/Main.dfm"));
    // Backslashes and a form kind, as Windows projects write them.
    EXPECT_EQ(project.Units[1].FileName, QStringLiteral("/work/app/data/Data.pas"));
    EXPECT_EQ(project.Units[1].FormName, QStringLiteral("DmData"));
    EXPECT_EQ(project.Units[2].FileName, QStringLiteral("/work/shared/Help.pas"));
    EXPECT_EQ(project.Units[2].FormName, QString());
    EXPECT_EQ(project.Units[2].FormFileName(), QString());
    EXPECT_EQ(project.Units[3].FileName, QStringLiteral("/work/app/It's.pas"));
    EXPECT_EQ(project.Units[3].FormName, QStringLiteral("FrmOdd"));
    EXPECT_EQ(project.FormFileNames(),
              (QStringList{"/work/app/Main.dfm", "/work/app/data/Data.dfm", "/work/app/It's.dfm"}));

    const TQzProjectFile bare =
        TQzProjectFile::Parse(QStringLiteral("program Bare;\nbegin\nend.\n"), dpr);
    EXPECT_TRUE(bare.Units.isEmpty());
}

TEST(ProjectFile, FilesThatAreNoProjectAreRefusedWithTheReason) {
    EXPECT_EQ(errorOf(QStringLiteral("unit Main;\ninterface\nend.")),
              "App.dpr is not a project file: it does not start with \"program\"");
    EXPECT_EQ(errorOf(QString()),
              "App.dpr is not a project file: it does not start with \"program\"");
    EXPECT_EQ(errorOf(QStringLiteral("program;")),
              "App.dpr is not a project file: the program has no name");
    EXPECT_EQ(errorOf(QStringLiteral("program App uses")),
              "App.dpr is not a project file: \";\" expected after the program name");
    EXPECT_EQ(errorOf(QStringLiteral("program App; uses Main in Main.pas;")),
              "App.dpr is not a project file: a path expected after \"Main in\"");
    EXPECT_EQ(errorOf(QStringLiteral("program App; uses Main in 'Main.pas' Other;")),
              "App.dpr is not a project file: \",\" or \";\" expected after unit Main");
    EXPECT_EQ(errorOf(QStringLiteral("program App; uses Main in 'Main.pas")),
              "Unterminated string in the project file");
    EXPECT_EQ(errorOf(QStringLiteral("program App; uses Main")),
              "App.dpr is not a project file: \",\" or \";\" expected after unit Main");
    EXPECT_EQ(errorOf(QStringLiteral("program App; uses ;")),
              "App.dpr is not a project file: a unit name expected in the uses clause");
    // A uses clause the reader cannot follow is no project without forms.
    EXPECT_EQ(errorOf(QStringLiteral("program App;\n{$R *.res}\nusez Main in 'Main.pas';\n")),
              "App.dpr is not a project file: \"uses\" expected after the program name but "
              "\"usez\" found");
    EXPECT_EQ(errorOf(QStringLiteral("program App;\n{$R *.res}\nconst X = 1;\nbegin end.")),
              "no error");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    try {
        TQzProjectFile::Load(dir.filePath(QStringLiteral("Missing.dpr")));
        FAIL() << "a missing project loaded";
    } catch (const EQzError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open the project")));
    }
    QFile file(dir.filePath(QStringLiteral("Utf8.dpr")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("program Caf\xC3\xA9;\nuses U in 'Ünits/U.pas' {F};\nbegin end.\n");
    file.close();
    const TQzProjectFile utf8 = TQzProjectFile::Load(file.fileName());
    EXPECT_EQ(utf8.ProgramName, QStringLiteral("Café"));
    EXPECT_EQ(utf8.Units[0].FileName, QDir(dir.path()).filePath(QStringLiteral("Ünits/U.pas")));
    // A project file in the 8-bit code page keeps its letters too.
    QFile latin(dir.filePath(QStringLiteral("Latin.dpr")));
    ASSERT_TRUE(latin.open(QIODevice::WriteOnly));
    latin.write("program Caf\xE9;\nbegin end.\n");
    latin.close();
    EXPECT_EQ(TQzProjectFile::Load(latin.fileName()).ProgramName, QStringLiteral("Café"));
}

TEST(ProjectFile, AFormIsFoundWhateverTheCaseOfItsExtensionAndListedOnce) {
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char* name : {"Main.pas", "Main.DFM", "Other.pas"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const TQzProjectFile project = TQzProjectFile::Parse(
        QStringLiteral("program App;\nuses\n  Main in 'Main.pas' {FrmMain},\n"
                       "  Again in 'Main.pas' {FrmMain},\n  Other in 'Other.pas' {FrmOther};\n"),
        folder.filePath(QStringLiteral("App.dpr")));
    EXPECT_EQ(project.FormFileNames(), QStringList({folder.filePath(QStringLiteral("Main.DFM")),
                                                    folder.filePath(QStringLiteral("Other.dfm"))}));
}

TEST(ProjectFile, ChangeFileExtReplacesOnlyTheNamesOwnExtension) {
    EXPECT_EQ(QzChangeFileExt(QStringLiteral("/a/Main.pas"), QStringLiteral(".dfm")),
              QStringLiteral("/a/Main.dfm"));
    EXPECT_EQ(QzChangeFileExt(QStringLiteral("/a.b/Main"), QStringLiteral(".dfm")),
              QStringLiteral("/a.b/Main.dfm"));
    EXPECT_EQ(QzChangeFileExt(QStringLiteral("Main.tar.pas"), QStringLiteral(".dfm")),
              QStringLiteral("Main.tar.dfm"));
}
