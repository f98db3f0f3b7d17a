#include "QzDesignerReports.h"

#include "DesignRegistry.h"

#include <QTextStream>
#include <algorithm>

namespace {

QString anyWhenEmpty(const QString& text) {
    return text.isEmpty() ? QStringLiteral("any") : text;
}

QString className(const QMetaObject* meta) {
    return meta ? QString::fromLatin1(meta->className()) : QString();
}

// Rows of space-free fields, padded so that the columns line up.
QString alignedRows(const QList<QStringList>& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i == widths.size())
                widths << 0;
            widths[i] = std::max(widths[i], row[i].size());
        }
    QString out;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        out += line + u'\n';
    }
    return out;
}

} // namespace

QString QzPropertyAttributeNames(TPropertyAttributes attributes) {
    static const QList<QPair<TPropertyAttribute, const char*>> names = {
        {paValueList, "paValueList"},
        {paSubProperties, "paSubProperties"},
        {paDialog, "paDialog"},
        {paMultiSelect, "paMultiSelect"},
        {paAutoUpdate, "paAutoUpdate"},
        {paSortList, "paSortList"},
        {paReadOnly, "paReadOnly"},
        {paRevertable, "paRevertable"},
        {paFullWidthName, "paFullWidthName"},
        {paVolatileSubProperties, "paVolatileSubProperties"},
        {paNotNestable, "paNotNestable"},
    };
    QStringList set;
    for (const auto& [bit, name] : names)
        if (attributes & bit)
            set << QString::fromLatin1(name);
    return set.join(QStringLiteral(", "));
}

QString QzPaletteListing() {
    QString out;
    for (const auto& [page, classes] : PalettePages()) {
        out += page + u'\n';
        for (TClass cls : classes)
            out += QStringLiteral("  ") + cls->ClassName() + u'\n';
    }
    return out;
}

QString QzEditorBindingsListing() {
    QList<QStringList> properties;
    QList<QStringList> components;
    for (const TRegistration& entry : DesignRegistrations()) {
        if (entry.Kind == TRegistrationKind::PropertyEditor)
            properties << QStringList{
                entry.PropertyType.Name, anyWhenEmpty(className(entry.ComponentClass)),
                anyWhenEmpty(entry.PropertyName), entry.PropertyEditorClass->ClassName};
        else if (entry.Kind == TRegistrationKind::ComponentEditor)
            components << QStringList{className(entry.ComponentClass),
                                      entry.ComponentEditorClass->ClassName};
    }
    return QStringLiteral("Property editors\n") + alignedRows(properties) +
           QStringLiteral("\nComponent editors\n") + alignedRows(components);
}

QString QzInspectorValueText(TPropertyEditor* editor, QString* raw) {
    raw->clear();
    try {
        if (editor->AllEqual())
            *raw = editor->GetValue();
    } catch (const std::exception&) {
        // Shown blank; editing the value reports the error.
    }
    QString shown = *raw;
    shown.replace(u'\n', QStringLiteral("\\n"));
    return shown;
}

TPropertyAttributes QzInspectorAttributes(TPropertyEditor* editor) {
    try {
        return editor->GetAttributes();
    } catch (const std::exception&) {
        return paReadOnly;
    }
}

QString QzInspectListing(IDesigner* designer, TComponent* component) {
    QString out;
    GetComponentProperties(designer, {component}, [&](std::unique_ptr<TPropertyEditor> editor) {
        const TPropertyEditor& bound = *editor;
        QString raw;
        out += editor->GetName() + u'\t' + QzInspectorValueText(editor.get(), &raw) + u'\t' +
               QzPropertyAttributeNames(QzInspectorAttributes(editor.get())) + u'\t' +
               DemangledClassName(typeid(bound)) + u'\n';
    });
    return out;
}
