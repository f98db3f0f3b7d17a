// The road a form designer takes every day, end to end on a copy of the example project: select
// three components, open a reference property's editor, choose in the picker, Ok; then the saved
// form, qzdesigner's inspection and qzpkg's scan all agree on the new reference.

#include "DesignEditors.h"
#include "DesignRegistry.h"
#include "QzDesignerHost.h"
#include "QzDialog.h"
#include "QzFormDesigner.h"
#include "QzScriptedUi.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString run(const char* program, const QStringList& args) {
    QProcess process;
    process.start(QString::fromLatin1(program), args);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The lines of the object `name` in a text form, up to the next object.
QString objectText(const QString& form, const QString& name) {
    const qsizetype start = form.indexOf(QStringLiteral("object ") + name + u':');
    if (start < 0)
        return QString();
    const qsizetype next = form.indexOf(QStringLiteral("object "), start + 7);
    return form.mid(start, next < 0 ? -1 : next - start);
}

struct Road {
    const char* Property;
    const char* Picker;
    // Drives the picker to the choice and presses Ok.
    std::function<void(QDialog&)> Choose;
    // What the saved form carries for the property, line by line.
    QStringList Lines;
    // The inspector's text of the property.
    QString Shown;
    QStringList ScanArgs;
};

void typeAndOk(QDialog& d, const char* box, const char* text) {
    auto* edit = d.findChild<QLineEdit*>(QString::fromLatin1(box));
    ASSERT_NE(edit, nullptr) << box;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
    static_cast<TQzDialog&>(d).OkButton()->click();
}

class TypicalRoad : public ::testing::TestWithParam<Road> {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), Dir.filePath(name)));
        Host.LoadPackage(QStringLiteral(QZ_DESIGN_PACKAGE));
        Host.OpenProject(Dir.filePath(QStringLiteral("Demo.dpr")));
        // The application component lives on the main form.
        ASSERT_NE(Host.OpenForm(Dir.filePath(QStringLiteral("Main.dfm"))), nullptr);
    }

    QTemporaryDir Dir;
    TQzDesignerHost Host;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_P(TypicalRoad, TheChoiceReachesEveryComponentTheSavedFormTheInspectorAndTheScan) {
    const Road& road = GetParam();
    const QStringList names{QStringLiteral("LbDate"), QStringLiteral("LbAmount"),
                            QStringLiteral("LbQuantity")};
    TQzFormDesigner* designer = Host.OpenForm(Dir.filePath(QStringLiteral("Orders.dfm")));
    ASSERT_NE(designer, nullptr);
    QList<TPersistent*> selection;
    for (const QString& name : names)
        selection << designer->GetComponent(name);
    ASSERT_FALSE(selection.contains(nullptr));
    designer->SetSelections(selection);

    std::unique_ptr<TPropertyEditor> editor;
    GetComponentProperties(designer, designer->GetSelections(),
                           [&](std::unique_ptr<TPropertyEditor> e) {
                               if (e->GetName() == QString::fromLatin1(road.Property))
                                   editor = std::move(e);
                           });
    ASSERT_NE(editor, nullptr);
    QSignalSpy modified(designer, &TQzFormDesigner::DesignModified);
    Ui.ExpectDialog(QString::fromLatin1(road.Picker), road.Choose);
    editor->Edit();
    EXPECT_TRUE(Ui.Done());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(editor->GetValue(), road.Shown);

    Host.SaveAll();
    QFile file(Dir.filePath(QStringLiteral("Orders.dfm")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString form = QString::fromUtf8(file.readAll());
    for (const QString& name : names)
        for (const QString& line : road.Lines)
            EXPECT_TRUE(objectText(form, name).contains(line))
                << name.toStdString() << ": " << line.toStdString();

    for (const QString& name : names) {
        const QString listing =
            run(QZDESIGNER_PATH, {QStringLiteral("--inspect"), file.fileName(), name,
                                  Dir.filePath(QStringLiteral("Demo.dpr"))});
        EXPECT_TRUE(
            listing.contains(QString::fromLatin1(road.Property) + u'\t' + road.Shown + u'\t'))
            << listing.toStdString();
    }

    const QString scan = run(
        QZPKG_PATH, QStringList{QStringLiteral("scan"), Dir.filePath(QStringLiteral("Demo.dpr"))} +
                        road.ScanArgs);
    for (const QString& name : names)
        EXPECT_TRUE(scan.contains(QStringLiteral("Orders.dfm:")) &&
                    scan.contains(name + QStringLiteral(":TQzLabel.") + road.Property))
            << scan.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, TypicalRoad,
    ::testing::Values(
        Road{"Caption",
             "TFrMemoryLabel",
             [](QDialog& d) { typeAndOk(d, "EdId", "7"); },
             {QStringLiteral("Caption.PkgName = 'Orders'"), QStringLiteral("Caption.Id = 7")},
             QStringLiteral("(7, Orders) Priority - Handle this order before the others"),
             {QStringLiteral("--kind"), QStringLiteral("labels"), QStringLiteral("--package"),
              QStringLiteral("Orders"), QStringLiteral("--id"), QStringLiteral("7")}},
        Road{"SetColor",
             "TFrSetColor",
             [](QDialog& d) { typeAndOk(d, "EdDescrip", "Warning"); },
             {QStringLiteral("SetColor.Name = 'Warning'")},
             QStringLiteral("Warning"),
             {QStringLiteral("--kind"), QStringLiteral("SetsColor"), QStringLiteral("--id"),
              QStringLiteral("Warning")}},
        Road{"Privilege",
             "TFrPrivilege",
             [](QDialog& d) { typeAndOk(d, "EdId", "3"); },
             {QStringLiteral("Privilege.Id = 3")},
             QStringLiteral("(3, R/W) - Change settings"),
             {QStringLiteral("--kind"), QStringLiteral("privileges"), QStringLiteral("--id"),
              QStringLiteral("3")}}),
    [](const ::testing::TestParamInfo<Road>& info) { return std::string(info.param.Property); });
