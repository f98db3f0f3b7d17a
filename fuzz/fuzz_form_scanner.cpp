// The Packages Manager's form-text scanner on arbitrary text. The first line says what to look
// for ("KIND PACKAGE ID", KIND a digit 0-7), the rest is one form. Scan and Scan Counter must
// only ever report lines that are there, and after a Replace or a Clear a new scan finds nothing
// but what they said they could not change. The text is stored whether it parses or not, so that
// the rewrites run on any text.

#include "QzCApplication.h"
#include "QzRuntime.h"
#include "manager/core/QzManagerEngine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString FormName = QStringLiteral("/fuzz/Form.dfm");

class TOneForm : public IQzManagerForms {
public:
    QStringList Lines;
    QStringList FormNames() override { return {FormName}; }
    bool ReadForm(const QString&, TFormFileText& text) override {
        text = TFormFileText(Lines);
        return true;
    }
    TComponent* DesignForm(const QString&) override { return nullptr; }
    QByteArray FormFileBytes(const TFormFileText& text, const QString&) override {
        Prepared = text.Lines();
        return Prepared.join(u'\n').toUtf8();
    }
    void WriteForms(TFileTransaction&) override { Lines = Prepared; }
    QStringList Prepared;
};

class TCounting : public IQzManagerFeedback {
public:
    void Message(TQzManagerMessageType, const QString& text) override {
        if (text.startsWith(QStringLiteral("Unable to modified ")))
            Unmodified += text.section(u' ', 3, 3).toInt();
    }
    int Unmodified = 0;
};

[[noreturn]] void broken(const char* rule, const QString& detail) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", rule, qPrintable(detail));
    std::abort();
}

void checkFound(const TQzManagerEngine& engine, const QStringList& lines) {
    for (const TQzManagerLine& line : engine.Lines()) {
        const TQzTokenRec1& rec = *line.Found();
        if (rec.NumLine < 0)
            continue;
        if (rec.NumLine >= lines.size() || lines[rec.NumLine] != rec.StrLine)
            broken("a scan reports a line that is not there",
                   QStringLiteral("line %1: %2").arg(rec.NumLine).arg(rec.StrLine));
    }
}

int formReferences(const TQzManagerEngine& engine) {
    int count = 0;
    for (const TQzManagerLine& line : engine.Lines())
        count += line.Found()->NumLine >= 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Holders come from the application's sets and privileges; it lives for the whole run.
    static const TQzCApplication* const application = [] {
        QzRegisterRuntimeClasses();
        auto* app = new TQzCApplication();
        app->PkgDisplay()
            ->SetsBackGround()
            ->Add(QStringLiteral("Header"))
            ->Image()
            ->PkgId(QStringLiteral("User"), 2);
        app->Privileges()->Add(2)->DescriptionId()->PkgId(QStringLiteral("User"), 2);
        return app;
    }();
    (void)application;

    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines = input.split(u'\n');
    const QStringList query = lines.takeFirst().split(u' ');
    const int digit = query.value(0).toInt();
    const TQzDlgManager kind = TQzDlgManager(qBound(0, digit, QzDlgManagerCount - 1));
    const QString package = query.value(1);
    const QString id = query.value(2);

    TOneForm forms;
    forms.Lines = lines;
    TCounting feedback;
    TQzManagerEngine engine(forms, feedback);
    engine.Counter(kind, {package});
    // A blank id scans nothing and leaves the count's lines.
    if (id.trimmed().isEmpty())
        return 0;
    engine.Scan(kind, package, id);
    checkFound(engine, forms.Lines);

    feedback.Unmodified = 0;
    try {
        engine.Replace(package, QStringLiteral("7"));
    } catch (const Exception&) {
    }
    engine.Scan(kind, package, id);
    checkFound(engine, forms.Lines);
    if (id.trimmed() != u"7" && formReferences(engine) > feedback.Unmodified)
        broken("a replace leaves references it did not report", forms.Lines.join(u'\n'));

    engine.Scan(kind, package, id);
    const int found = int(engine.Lines().size());
    feedback.Unmodified = 0;
    engine.Clear(nullptr);
    engine.Scan(kind, package, id);
    checkFound(engine, forms.Lines);
    const int left = formReferences(engine);
    if (left > feedback.Unmodified)
        broken("a clear leaves references it did not report",
               QStringLiteral("%1 found, %2 left, %3 reported\n%4")
                   .arg(found)
                   .arg(left)
                   .arg(feedback.Unmodified)
                   .arg(forms.Lines.join(u'\n')));
    return 0;
}
