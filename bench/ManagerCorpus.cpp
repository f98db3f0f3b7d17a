#include "ManagerCorpus.h"

#include "BenchRandom.h"
#include "TextForm.h"

#include <QDir>
#include <QFile>

namespace {

const char* const Words[] = {"customer", "order",  "invoice", "amount", "date",   "total",
                             "address",  "name",   "number",  "status", "report", "search",
                             "print",    "save",   "cancel",  "phone",  "email",  "city",
                             "note",     "credit", "balance", "open",   "closed", "pending"};
const char* const Fonts[] = {"Tahoma", "Segoe UI", "MS Sans Serif", "Arial"};
const char* const LabelPackages[] = {"User", "User", "User", "Common", "System"};
const char* const ImagePackages[] = {"Icons", "Icons", "User"};

class TFormWriter {
public:
    explicit TFormWriter(TBenchRandom& rng) : R(rng) {}

    QByteArray Text;
    int Lines = 0;
    int References = 0;
    int Unknown = 0;

    void form(int number, int targetLines) {
        line(0, QByteArray("object Form%1: TForm%1").replace("%1", QByteArray::number(number)));
        bounds(1);
        line(1, "Caption = " + words(3));
        line(1, "SetColor.Name = 'Blue'"); // the form's own: never a reference
        while (Lines < targetLines - 4)
            component(1, 2);
        line(0, "end");
    }

private:
    void line(int depth, const QByteArray& text) {
        Text += QByteArray(depth * 2, ' ') + text + '\n';
        ++Lines;
    }
    QByteArray words(int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QString::fromLatin1(R.pick(Words)) + (i + 1 < count ? " " : "");
        return QuoteFormString(text);
    }
    void ref(int depth, const QByteArray& property, const char* package, int id) {
        line(depth, property + ".PkgName = '" + package + "'");
        line(depth, property + ".Id = " + QByteArray::number(id));
        ++References;
    }
    void label(int depth, const QByteArray& property) {
        ref(depth, property, R.pick(LabelPackages), R.range(1, CorpusLabelIds));
    }
    void image(int depth) {
        ref(depth, "Image", R.pick(ImagePackages), R.range(1, CorpusImageIds));
    }
    void set(int depth, const char* property) {
        line(depth, QByteArray(property) + ".Name = '" +
                        CorpusSets[R.below(int(CorpusSets.size()))].toLatin1() + '\'');
        ++References;
    }
    void privilege(int depth) {
        line(depth, "Privilege.Id = " + QByteArray::number(R.range(1, CorpusPrivilegeIds)));
        ++References;
    }
    void bounds(int depth) {
        line(depth, "Left = " + QByteArray::number(R.range(0, 600)));
        line(depth, "Top = " + QByteArray::number(R.range(0, 400)));
        line(depth, "Width = " + QByteArray::number(R.range(20, 300)));
        line(depth, "Height = " + QByteArray::number(R.range(16, 200)));
    }
    void begin(int depth, const char* cls, const char* prefix, int number) {
        line(depth, QByteArray("object ") + prefix + QByteArray::number(number) + ": " + cls);
    }

    void component(int depth, int nesting) {
        const int number = ++Components;
        switch (R.below(nesting > 0 ? 8 : 7)) {
        case 0:
        case 1:
            begin(depth, "TQzLabel", "Label", number);
            bounds(depth + 1);
            label(depth + 1, "Caption");
            line(depth + 1, QByteArray("Font.Name = '") + R.pick(Fonts) + '\'');
            set(depth + 1, "SetFont");
            if (R.chance(40))
                set(depth + 1, "SetColor");
            line(depth + 1, "Transparent = True");
            break;
        case 2:
            begin(depth, "TQzSpeedButton", "Button", number);
            bounds(depth + 1);
            label(depth + 1, "Caption");
            if (R.chance(50))
                label(depth + 1, "Hint");
            image(depth + 1);
            if (R.chance(50))
                privilege(depth + 1);
            line(depth + 1, "Flat = True");
            line(depth + 1, "OnClick = Button" + QByteArray::number(number) + "Click");
            break;
        case 3:
            begin(depth, "TQzMemo", "Memo", number);
            bounds(depth + 1);
            ref(depth + 1, "Text", "User", R.range(1, CorpusLabelIds));
            set(depth + 1, "SetColor");
            line(depth + 1, "Lines.Strings = (");
            for (int i = R.range(1, 3); i > 0; --i)
                line(depth + 2, words(4) + (i == 1 ? ")" : ""));
            break;
        case 4:
            begin(depth, "TQzListBox", "List", number);
            bounds(depth + 1);
            line(depth + 1, "Items = <");
            for (int i = R.range(2, 5); i > 0; --i) {
                line(depth + 2, "item");
                label(depth + 3, "Caption");
                image(depth + 3);
                line(depth + 3, "Value = " + QByteArray::number(R.range(1, 99)));
                line(depth + 2, i == 1 ? "end>" : "end");
            }
            break;
        case 5:
            begin(depth, "TQzDbNavigator", "Navigator", number);
            bounds(depth + 1);
            ref(depth + 1, "DeleteMessage", R.chance(50) ? "System" : "User",
                R.range(1, CorpusLabelIds));
            line(depth + 1, "Flat = True");
            break;
        case 6:
            // A component of a package the scanner does not know: its candidate lines cannot
            // be resolved and are reported.
            if (!R.chance(15)) {
                begin(depth, "TQzLabel", "Plain", number);
                bounds(depth + 1);
                line(depth + 1, "Tag = " + QByteArray::number(number));
                break;
            }
            begin(depth, "TVendorChart", "Chart", number);
            bounds(depth + 1);
            label(depth + 1, "Title");
            line(depth + 1, "Title.Font.Name = 'Arial'");
            ++Unknown;
            break;
        default:
            begin(depth, "TQzPanel", "Panel", number);
            bounds(depth + 1);
            set(depth + 1, "SetBackGround");
            for (int i = R.range(1, 4); i > 0; --i)
                component(depth + 1, nesting - 1);
            break;
        }
        line(depth, "end");
    }

    TBenchRandom& R;
    int Components = 0;
};

} // namespace

TManagerCorpus WriteManagerCorpus(const QString& dir, int forms, std::uint64_t seed) {
    TManagerCorpus corpus;
    TBenchRandom rng(seed);
    QDir().mkpath(dir);
    for (int i = 1; i <= forms; ++i) {
        TFormWriter writer(rng);
        writer.form(i, rng.range(250, 350));
        const QString name =
            QDir(dir).filePath(QStringLiteral("Form%1.dfm").arg(i, 4, 10, QLatin1Char('0')));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(writer.Text) != writer.Text.size())
            return {};
        corpus.Files << name;
        corpus.Lines += writer.Lines;
        corpus.Bytes += writer.Text.size();
        corpus.References += writer.References;
        corpus.UnknownObjects += writer.Unknown;
    }
    return corpus;
}
