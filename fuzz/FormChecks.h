#pragma once

// What must hold for every tree a reader accepts: it survives the binary and the text writer
// unchanged, and reading it into components either works or fails with an Exception that
// leaves nothing behind. A broken rule prints what differed and aborts, so that libFuzzer
// keeps the input.

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "SysUtils.h"
#include "TestClasses.h"
#include "TextForm.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzzcheck {

// With QZ_FUZZ_KEEP set, only a break whose report contains that text counts; others pass as
// an ordinary Exception. That keeps -minimize_crash on one bug instead of drifting to whichever
// is easiest to reach.
[[noreturn]] inline void broken(const char* rule, const QString& detail,
                                const QByteArray& written = {}) {
    static const QByteArray keep = qgetenv("QZ_FUZZ_KEEP");
    if (!keep.isEmpty() && !(rule + ('\n' + detail.toUtf8()) + '\n' + written).contains(keep))
        throw Exception(QStringLiteral("ignored: %1").arg(QLatin1String(rule)));
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", rule, qPrintable(detail));
    if (!written.isEmpty())
        std::fprintf(stderr, "--- written:\n%s\n---\n", written.left(4096).constData());
    std::abort();
}

// A name with what a terminal would hide spelled out.
inline QString shown(const QString& s) {
    QString r;
    for (QChar c : s)
        r += c.unicode() >= 32 && c.unicode() < 127
                 ? QString(c)
                 : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return r;
}

// The first place where two trees differ, as a path; empty when they are equal.
inline QString difference(const TFormValue& a, const TFormValue& b, const QString& path);

inline QString valueText(const TFormValue& v) {
    TFormObject holder;
    holder.ClassName = QStringLiteral("T");
    holder.Properties.push_back({QStringLiteral("V"), v});
    try {
        return QString::fromUtf8(WriteTextForm(holder)).section(u'\n', 1, -3).trimmed();
    } catch (const Exception& e) {
        return e.Message();
    }
}

inline QString difference(const std::vector<TFormProperty>& a, const std::vector<TFormProperty>& b,
                          const QString& path) {
    if (a.size() != b.size())
        return QStringLiteral("%1: %2 properties against %3").arg(path).arg(a.size()).arg(b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const QString at = path + u'.' + a[i].Name;
        if (a[i].Name != b[i].Name)
            return QStringLiteral("%1: name '%2' against '%3'")
                .arg(path, shown(a[i].Name), shown(b[i].Name));
        const QString d = difference(a[i].Value, b[i].Value, at);
        if (!d.isEmpty())
            return d;
    }
    return {};
}

inline QString difference(const TFormValue& a, const TFormValue& b, const QString& path) {
    if (a == b)
        return {};
    if (a.kind == b.kind && a.kind == TFormValue::List && a.Elements.size() == b.Elements.size()) {
        for (std::size_t i = 0; i < a.Elements.size(); ++i) {
            const QString d =
                difference(a.Elements[i], b.Elements[i], QStringLiteral("%1[%2]").arg(path).arg(i));
            if (!d.isEmpty())
                return d;
        }
    }
    if (a.kind == b.kind && a.kind == TFormValue::Collection && a.Items.size() == b.Items.size()) {
        for (std::size_t i = 0; i < a.Items.size(); ++i) {
            const QString at = QStringLiteral("%1<%2>").arg(path).arg(i);
            if (a.Items[i].HasOrder != b.Items[i].HasOrder || a.Items[i].Order != b.Items[i].Order)
                return at + QStringLiteral(": order differs");
            const QString d = difference(a.Items[i].Properties, b.Items[i].Properties, at);
            if (!d.isEmpty())
                return d;
        }
    }
    return QStringLiteral("%1: kind %2/%3, %4 against kind %5/%6, %7")
        .arg(path)
        .arg(int(a.kind))
        .arg(int(a.floatKind))
        .arg(valueText(a))
        .arg(int(b.kind))
        .arg(int(b.floatKind))
        .arg(valueText(b));
}

inline QString difference(const TFormObject& a, const TFormObject& b, const QString& path) {
    const QString at = path.isEmpty() ? a.Name + u':' + a.ClassName : path + u'/' + a.Name;
    if (a.Flags != b.Flags || a.ChildPos != b.ChildPos || a.ClassName != b.ClassName ||
        a.Name != b.Name)
        return QStringLiteral("%1: header '%2: %3' flags %4 [%5] against '%6: %7' flags %8 [%9]")
            .arg(at, shown(a.Name), shown(a.ClassName))
            .arg(a.Flags)
            .arg(a.ChildPos)
            .arg(shown(b.Name), shown(b.ClassName))
            .arg(b.Flags)
            .arg(b.ChildPos);
    QString d = difference(a.Properties, b.Properties, at);
    if (!d.isEmpty())
        return d;
    if (a.Children.size() != b.Children.size())
        return QStringLiteral("%1: %2 children against %3")
            .arg(at)
            .arg(a.Children.size())
            .arg(b.Children.size());
    for (std::size_t i = 0; i < a.Children.size(); ++i) {
        d = difference(a.Children[i], b.Children[i], at);
        if (!d.isEmpty())
            return d;
    }
    return a == b ? QString() : at + QStringLiteral(": trees differ");
}

inline void expectSame(const char* rule, const TFormObject& tree, const TFormObject& back,
                       const QByteArray& written) {
    if (tree == back)
        return;
    QString d = difference(tree, back, QString());
    if (d.isEmpty())
        d = QStringLiteral("operator== differs but no difference was found");
    broken(rule, d, written);
}

// Text has one notation for extended and double values: a double reads back as the extended
// nearest its digits, which must round to the same double. Makes `back` say so where `tree`
// holds a double, so that the trees compare equal when that holds.
inline void adoptDoubles(const TFormValue& tree, TFormValue& back);

inline void adoptDoubles(const std::vector<TFormProperty>& tree, std::vector<TFormProperty>& back) {
    for (std::size_t i = 0; i < tree.size() && i < back.size(); ++i)
        adoptDoubles(tree[i].Value, back[i].Value);
}

inline void adoptDoubles(const TFormValue& tree, TFormValue& back) {
    if (tree.kind == TFormValue::Float && tree.floatKind == TFormValue::Double &&
        back.kind == TFormValue::Float && back.floatKind == TFormValue::Extended) {
        back.floatKind = TFormValue::Double;
        back.Real = static_cast<double>(back.Real);
    }
    for (std::size_t i = 0; i < tree.Elements.size() && i < back.Elements.size(); ++i)
        adoptDoubles(tree.Elements[i], back.Elements[i]);
    for (std::size_t i = 0; i < tree.Items.size() && i < back.Items.size(); ++i)
        adoptDoubles(tree.Items[i].Properties, back.Items[i].Properties);
}

inline void adoptDoubles(const TFormObject& tree, TFormObject& back) {
    adoptDoubles(tree.Properties, back.Properties);
    for (std::size_t i = 0; i < tree.Children.size() && i < back.Children.size(); ++i)
        adoptDoubles(tree.Children[i], back.Children[i]);
}

// The binary writer stores every tree the readers produce, except what it refuses with an
// EWriteError (names longer than a short string); what it writes reads back unchanged.
inline void checkBinary(const TFormObject& tree) {
    QByteArray binary;
    try {
        binary = WriteBinaryForm(tree);
    } catch (const EWriteError&) {
        return;
    }
    TFormObject back;
    try {
        qsizetype pos = 0;
        back = ReadBinaryForm(binary, pos);
        if (pos != binary.size())
            broken("binary reader stops early",
                   QStringLiteral("at %1 of %2").arg(pos).arg(binary.size()));
    } catch (const Exception& e) {
        broken("binary writer output does not read back", e.Message());
    }
    expectSame("binary round trip", tree, back, QByteArray());
    if (WriteBinaryForm(back) != binary)
        broken("binary writer is not a fixed point", QString());
}

// The text writer either refuses a tree with an EWriteError or writes text that parses to the
// same tree and writes again to the same bytes.
inline void checkText(const TFormObject& tree) {
    QByteArray text;
    try {
        text = WriteTextForm(tree);
    } catch (const EWriteError&) {
        return;
    }
    TFormObject back;
    try {
        back = ReadTextForm(text);
    } catch (const Exception& e) {
        broken("text writer output does not parse", e.Message(), text);
    }
    const QByteArray again = WriteTextForm(back);
    adoptDoubles(tree, back);
    expectSame("text round trip", tree, back, text);
    if (again != text)
        broken("text writer is not a fixed point", QString::fromUtf8(again.left(4096)), text);
}

inline void registerClasses() {
    static const bool done = [] {
        RegisterTestClasses();
        return true;
    }();
    (void)done;
}

// A failed read frees what it created and leaves the instance it read into as it was.
inline void checkComponents(const TFormObject& tree) {
    registerClasses();
    try {
        std::unique_ptr<TComponent> root(ReadComponent(tree));
        try {
            (void)ComponentToFormObject(root.get());
        } catch (const Exception&) {
        }
    } catch (const Exception&) {
    }

    auto form = std::make_unique<TForm>();
    try {
        ReadComponent(tree, form.get());
    } catch (const Exception& e) {
        if (form->ComponentCount() != 0 || form->ControlCount() != 0)
            broken("failed read leaves components behind",
                   QStringLiteral("%1 components, %2 controls after: %3")
                       .arg(form->ComponentCount())
                       .arg(form->ControlCount())
                       .arg(e.Message()));
        if (form->ComponentState() & (csLoading | csReading))
            broken("failed read leaves the instance loading", e.Message());
    }
}

} // namespace fuzzcheck
