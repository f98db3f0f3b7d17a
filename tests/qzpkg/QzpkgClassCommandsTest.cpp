// qzpkg classes: what a script or the form scanner learns of the library's classes.

#include "QzComponents.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject propertyOf(const QJsonObject& cls, const QString& name) {
    for (const QJsonValue& p : cls[QStringLiteral("properties")].toArray())
        if (p.toObject()[QStringLiteral("name")].toString() == name)
            return p.toObject();
    return {};
}

} // namespace

TEST(QzpkgClasses, JsonListsEveryClassWithDeclaredPropertyTypes) {
    QzRegisterRuntimeClasses();
    const ToolRun run = qzpkg({"classes", "--json"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    const QJsonArray classes = QJsonDocument::fromJson(run.Out).array();
    // The whole registry, the rtl's own classes first.
    ASSERT_EQ(classes.size(), RegisteredClasses().size());
    QMap<QString, QJsonObject> byName;
    for (const QJsonValue& v : classes)
        byName.insert(v.toObject()[QStringLiteral("class")].toString(), v.toObject());
    for (TClass cls : QzComponentClasses())
        EXPECT_TRUE(byName.contains(cls->ClassName())) << cls->ClassName().toStdString();
    EXPECT_TRUE(byName.contains(QStringLiteral("TForm")));
    for (const TQzPalettePage& page : QzPaletteClasses())
        for (TClass cls : page.Classes)
            EXPECT_TRUE(byName.contains(cls->ClassName())) << cls->ClassName().toStdString();

    const QJsonObject label = byName["TQzLabel"];
    EXPECT_EQ(label["parent"].toString(), "TQzBasicLabel");
    EXPECT_EQ(propertyOf(label, "Caption")["type"].toString(), "TQzMemoryLabel");
    EXPECT_TRUE(propertyOf(label, "Caption")["readOnly"].toBool());
    EXPECT_EQ(propertyOf(label, "Value")["type"].toString(), "Variant");
    EXPECT_EQ(propertyOf(label, "DataType")["type"].toString(), "TQzDataType");
    EXPECT_EQ(propertyOf(label, "Alignment")["type"].toString(), "TAlignment");
    EXPECT_EQ(propertyOf(label, "Width")["type"].toString(), "Integer");
    EXPECT_EQ(propertyOf(byName["TFont"], "Name")["type"].toString(), "string");
    EXPECT_EQ(propertyOf(byName["TFont"], "Style")["type"].toString(), "TFontStyles");
    EXPECT_EQ(propertyOf(byName["TQzBitBtn"], "OnClick")["type"].toString(), "TNotifyEvent");
    EXPECT_EQ(propertyOf(byName["TQzMainMenu"], "Items")["stored"].toBool(true), false);
    EXPECT_EQ(propertyOf(byName["TQzCApplication"], "Privileges")["type"].toString(),
              "TQzPkgPrivileges");
    EXPECT_EQ(propertyOf(byName["TQzPkgStrings"], "InitMode")["type"].toString(),
              "TQzRegisterInitMode");
}

TEST(QzpkgClasses, TextListing) {
    const ToolRun run = qzpkg({"classes"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_TRUE(run.Out.contains("TQzLabel (TQzBasicLabel)\n")) << run.Out.left(400).data();
    EXPECT_TRUE(run.Out.contains("  Caption: TQzMemoryLabel (read-only)\n"));
    EXPECT_TRUE(run.Out.contains("  DataSource: TDataSource\n"));
}
