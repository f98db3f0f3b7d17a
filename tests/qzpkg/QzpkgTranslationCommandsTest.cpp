// po-export/-import and xliff-export/-import on real files: round trips through an edit that
// the gettext tools accept, every PO file checked by msgfmt, and failures that change nothing.

#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace {

// msgfmt's verdict on a PO file: its exit code and what it said.
std::pair<int, QByteArray> msgfmtCheck(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("msgfmt"),
            {QStringLiteral("--check"), QStringLiteral("-o"), QStringLiteral("/dev/null"), file});
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

class QzpkgTranslations : public QzpkgTest {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        if (QStandardPaths::findExecutable(QStringLiteral("msgfmt")).isEmpty())
            GTEST_SKIP() << "msgfmt (Debian package gettext) is not installed";
        TQzPkgStrings common;
        common.SetPkgName("Common");
        common.Labels()->Add(1, "Save", "Writes the file");
        common.Labels()->Add(2, "Open \"quoted\"");
        common.Messages()->Add(3, "Two\r\nlines");
        common.Texts()->Add(4, "A long text that the PO writer has to wrap because it goes on "
                               "beyond the width of one line of the file");
        common.SaveToFile(path("Common.pst"));
        TQzPkgLanguage spanish;
        spanish.UserStrings()->Labels()->Add(1, "Guardar", "Escribe el archivo");
        spanish.UserStrings()->Messages()->Add(3, "Dos\r\nlineas");
        spanish.SaveToFile(path("es.lan"));
    }
    std::unique_ptr<TQzPkgStrings> userStrings(const QString& lan) const {
        TQzPkgLanguage language;
        language.LoadFromFile(path(lan));
        auto copy = std::make_unique<TQzPkgStrings>();
        copy->SetContentBytes(language.UserStrings()->ContentBytes());
        return copy;
    }
    // Replaces `from` by `to` in a file, as a translator's editor would.
    void edit(const QString& name, const QByteArray& from, const QByteArray& to) {
        QByteArray bytes = read(name);
        ASSERT_TRUE(bytes.contains(from)) << from.data();
        write(name, bytes.replace(from, to));
    }
};

} // namespace

TEST_F(QzpkgTranslations, APoFileGoesToATranslatorAndComesBackIntoTheLanguageFile) {
    const ToolRun exported = qzpkg({"po-export", path("Common.pst"), "--language", path("es.lan"),
                                    "--out", path("c.po"), "--lang", "es"});
    ASSERT_EQ(exported.Exit, 0) << exported.Err.data();
    EXPECT_EQ(msgfmtCheck(path("c.po")).first, 0) << msgfmtCheck(path("c.po")).second.data();
    EXPECT_TRUE(read("c.po").contains("msgctxt \"Labels/1/Hint\"\nmsgid \"Writes the file\"\n"
                                      "msgstr \"Escribe el archivo\""));

    // The translator fills in a label and changes a message; msgfmt still accepts the file.
    edit("c.po", "msgctxt \"Labels/2\"\nmsgid \"Open \\\"quoted\\\"\"\nmsgstr \"\"",
         "msgctxt \"Labels/2\"\nmsgid \"Open \\\"quoted\\\"\"\nmsgstr \"Abrir \\\"citado\\\"\"");
    edit("c.po", "\"Dos\\n\"\n\"lineas\"", "\"Dos\\n\"\n\"l\xc3\xadneas\"");
    ASSERT_EQ(msgfmtCheck(path("c.po")).first, 0) << msgfmtCheck(path("c.po")).second.data();
    const QByteArray common = read("Common.pst");

    const ToolRun imported =
        qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst")});
    ASSERT_EQ(imported.Exit, 0) << imported.Err.data();
    EXPECT_TRUE(imported.Out.contains("Applied 2 translations")) << imported.Out.data();
    EXPECT_EQ(read("Common.pst"), common);
    const auto user = userStrings("es.lan");
    EXPECT_EQ(user->Labels()->FindId(2)->Text(), "Abrir \"citado\"");
    EXPECT_EQ(user->Messages()->FindId(3)->Text(), QString::fromUtf8("Dos\r\nl\xc3\xadneas"));

    // Exported again, the file is the one the translator sent, byte for byte.
    ASSERT_EQ(qzpkg({"po-export", path("Common.pst"), "--language", path("es.lan"), "--out",
                     path("again.po"), "--lang", "es"})
                  .Exit,
              0);
    EXPECT_EQ(read("again.po"), read("c.po"));

    // Importing it once more changes nothing, so the language file is not written.
    const QDateTime written = QFileInfo(path("es.lan")).lastModified();
    const ToolRun again =
        qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst")});
    EXPECT_TRUE(again.Out.contains("Applied 0 translations")) << again.Out.data();
    EXPECT_EQ(QFileInfo(path("es.lan")).lastModified(), written);
}

TEST_F(QzpkgTranslations, AnXliffFileMakesTheSameRoundTripAndAPackageTranslatesInPlace) {
    ASSERT_EQ(qzpkg({"xliff-export", path("Common.pst"), "--language", path("es.lan"), "--out",
                     path("c.xlf")})
                  .Exit,
              0);
    edit("c.xlf", "<source>Open &quot;quoted&quot;</source>",
         "<source>Open &quot;quoted&quot;</source>\n        <target>Abrir</target>");
    ASSERT_EQ(
        qzpkg({"xliff-import", path("es.lan"), path("c.xlf"), "--package", path("Common.pst")})
            .Exit,
        0);
    EXPECT_EQ(userStrings("es.lan")->Labels()->FindId(2)->Text(), "Abrir");

    // Without --package the strings package itself takes the translations.
    write("fr.po", "msgctxt \"Labels/1\"\nmsgid \"Save\"\nmsgstr \"Enregistrer\"\n");
    const ToolRun inPlace = qzpkg({"po-import", path("Common.pst"), path("fr.po")});
    ASSERT_EQ(inPlace.Exit, 0) << inPlace.Err.data();
    TQzPkgStrings common;
    common.LoadFromFile(path("Common.pst"));
    EXPECT_EQ(common.Labels()->FindId(1)->Text(), "Enregistrer");
    EXPECT_EQ(common.Labels()->FindId(1)->Hint(), "Writes the file");
}

TEST_F(QzpkgTranslations, FuzzyAndStaleUnitsAreReportedAndAppliedOnlyWhenAskedFor) {
    write("c.po", "#, fuzzy\nmsgctxt \"Labels/1\"\nmsgid \"Save\"\nmsgstr \"Salvar\"\n\n"
                  "msgctxt \"Labels/2\"\nmsgid \"Open\"\nmsgstr \"Abrir\"\n");
    const QByteArray before = read("es.lan");
    const ToolRun run =
        qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst")});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(run.Err.contains("Labels/1: marked fuzzy")) << run.Err.data();
    EXPECT_TRUE(run.Err.contains("Labels/2: the source text has changed")) << run.Err.data();
    EXPECT_EQ(read("es.lan"), before);

    ASSERT_EQ(qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst"),
                     "--accept-fuzzy", "--dry-run"})
                  .Exit,
              0);
    EXPECT_EQ(read("es.lan"), before);
    ASSERT_EQ(qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst"),
                     "--accept-fuzzy"})
                  .Exit,
              0);
    EXPECT_EQ(userStrings("es.lan")->Labels()->FindId(1)->Text(), "Salvar");
}

TEST_F(QzpkgTranslations, FailuresChangeNothingAndSayWhy) {
    write("bad.po", "msgctxt \"Labels/1\"\nmsgid \"Save\nmsgstr \"x\"\n");
    write("bad.xlf", "<xliff version=\"1.2\"><file><body><trans-unit id=\"Labels/1\">");
    write("other.po", "msgid \"\"\nmsgstr \"X-Qz-Package: Orders\\n\"\n\n"
                      "msgctxt \"Labels/1\"\nmsgid \"Save\"\nmsgstr \"x\"\n");
    const QByteArray before = read("es.lan");
    const QByteArray pkgBefore = read("Common.pst");
    const QString lan = path("es.lan");
    const QString pkg = path("Common.pst");
    // Translation file names that are the package or the language file read.
    ASSERT_TRUE(QFile::link(pkg, path("pkg.po")));
    ASSERT_TRUE(QFile::link(lan, path("lan.xlf")));
    const struct {
        QStringList Args;
        int Exit;
        const char* Says;
    } cases[] = {
        {{"po-import", lan, path("bad.po"), "--package", pkg}, 1, "line 3"},
        {{"xliff-import", lan, path("bad.xlf"), "--package", pkg}, 1, "bad.xlf is damaged"},
        {{"po-import", lan, path("other.po"), "--package", pkg}, 1, "for the package \"Orders\""},
        {{"po-import", lan, path("bad.po")}, 2, "needs --package"},
        {{"po-import", lan, path("c.xlf"), "--package", pkg}, 2, "is not a PO (.po) file"},
        {{"po-export", pkg, "--out", path("c.xlf")}, 2, "does not end as a PO"},
        {{"po-export", pkg}, 2, "--out FILE is needed"},
        {{"po-export", lan, "--out", path("x.po")}, 1, "not a strings package"},
        {{"po-export", pkg, "--language", path("missing.lan"), "--out", path("x.po")},
         1,
         "missing.lan"},
        {{"xliff-export", pkg, "--out", path("no/such/folder/x.xlf")}, 1, "x.xlf"},
        {{"po-export", pkg, "--out", path("pkg.po")}, 2, "Common.pst itself"},
        {{"xliff-export", pkg, "--language", lan, "--out", path("lan.xlf")}, 2, "es.lan itself"},
    };
    for (const auto& c : cases) {
        const ToolRun run = qzpkg(c.Args);
        EXPECT_EQ(run.Exit, c.Exit) << c.Args.join(' ').toStdString() << run.Err.data();
        EXPECT_TRUE(run.Err.contains(c.Says)) << c.Says << " / " << run.Err.data();
        EXPECT_EQ(read("es.lan"), before);
        EXPECT_EQ(read("Common.pst"), pkgBefore);
    }
    EXPECT_FALSE(QFileInfo::exists(path("x.po")));
}

TEST_F(QzpkgTranslations, ALanguageFileThatCannotBeWrittenIsReportedAndLeftAsItWas) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    write("c.po", "msgctxt \"Labels/1\"\nmsgid \"Save\"\nmsgstr \"Salvar\"\n");
    const QByteArray before = read("es.lan");
    ASSERT_TRUE(QFile::setPermissions(path("."), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const ToolRun run =
        qzpkg({"po-import", path("es.lan"), path("c.po"), "--package", path("Common.pst")});
    QFile::setPermissions(path("."),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("es.lan")) << run.Err.data();
    EXPECT_EQ(read("es.lan"), before);
}

TEST_F(QzpkgTranslations, StandardInputAndOutputStandForFiles) {
    const ToolRun out = qzpkg({"po-export", path("Common.pst"), "--out", "-"});
    ASSERT_EQ(out.Exit, 0) << out.Err.data();
    EXPECT_TRUE(out.Out.startsWith("msgid \"\"")) << out.Out.data();
    EXPECT_TRUE(out.Err.contains("Exported 5 texts"));
    // The package, or the language file beside it, read from standard input.
    EXPECT_EQ(qzpkgWithInput({"po-export", "-", "--out", "-"}, read("Common.pst"), Dir.path()).Out,
              out.Out);
    EXPECT_EQ(
        qzpkgWithInput({"xliff-export", path("Common.pst"), "--language", "-", "--out", "-"},
                       read("es.lan"), Dir.path())
            .Out,
        qzpkg({"xliff-export", path("Common.pst"), "--language", path("es.lan"), "--out", "-"})
            .Out);

    QByteArray po = out.Out;
    po.replace("msgid \"Save\"\nmsgstr \"\"", "msgid \"Save\"\nmsgstr \"Sichern\"");
    QProcess p;
    p.start(QStringLiteral(QZPKG_PATH), {"po-import", path("Common.pst"), "-"});
    p.write(po);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().data();
    TQzPkgStrings common;
    common.LoadFromFile(path("Common.pst"));
    EXPECT_EQ(common.Labels()->FindId(1)->Text(), "Sichern");
}
