#include "FormCorpus.h"

#include "BenchRandom.h"
#include "TextForm.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <charconv>
#include <map>

namespace {

using Rng = TBenchRandom;

const char* const Words[] = {
    "customer", "order",   "invoice", "amount",  "date",     "total",   "address", "name",
    "number",   "account", "payment", "status",  "delivery", "product", "price",   "quantity",
    "discount", "tax",     "report",  "summary", "settings", "options", "search",  "filter",
    "export",   "import",  "print",   "preview", "save",     "cancel",  "close",   "apply",
    "contact",  "phone",   "email",   "street",  "city",     "country", "region",  "code",
    "note",     "comment", "balance", "credit",  "due",      "open",    "closed",  "pending",
    "the",      "of",      "and",     "for",     "with",     "to",      "a",       "is",
};

// Text that a translated application carries; the writer turns it into #nnn codes.
const char16_t* const ForeignWords[] = {
    u"Größe",    u"Straße", u"Prénom", u"Café",       u"Número",    u"Ελληνικά", u"Привет",
    u"Заказ",    u"日本語", u"注文書", u"中文",       u"€",         u"Łódź",     u"Ångström",
    u"Ünterzug", u"naïve",  u"😀",      u"Ærøskøbing", u"São Paulo", u"Čeština",
};

const char* const FontNames[] = {"Tahoma", "Segoe UI", "MS Sans Serif",
                                 "Arial",  "Verdana",  "Courier New"};
const char* const Colors[] = {"clBtnFace", "clWindow", "clWhite",  "clInfoBk",
                              "clNavy",    "clMaroon", "clSilver", "cl3DLight"};
const char* const Aligns[] = {"alTop", "alBottom", "alLeft", "alRight", "alClient"};
const char* const AnchorSets[] = {
    "[akLeft, akTop]",     "[akLeft, akTop, akRight]", "[akLeft, akTop, akRight, akBottom]",
    "[akRight, akBottom]", "[akTop, akRight]",         "[akLeft, akBottom]"};
const char* const FieldNames[] = {"ID",       "NAME",    "CUSTOMER_ID", "ORDER_DATE", "AMOUNT",
                                  "STATUS",   "CITY",    "COUNTRY",     "EMAIL",      "PHONE",
                                  "DUE_DATE", "BALANCE", "NOTES",       "CREATED_BY", "TAX_RATE"};

enum class FloatKind { Extended, Double, Single, Date };

QByteArray floatText(long double x, FloatKind kind) {
    char buf[64];
    std::to_chars_result r;
    if (kind == FloatKind::Single)
        r = std::to_chars(buf, buf + sizeof buf, float(x));
    else if (kind == FloatKind::Extended)
        r = std::to_chars(buf, buf + sizeof buf, x);
    else
        r = std::to_chars(buf, buf + sizeof buf, double(x));
    QByteArray text = QByteArray(buf, r.ptr - buf).toUpper();
    if (!text.contains('.') && !text.contains('E'))
        text += ".0";
    else if (!text.contains('.'))
        text.insert(text.indexOf('E'), ".0");
    if (kind == FloatKind::Single)
        text += 's';
    else if (kind == FloatKind::Date)
        text += 'd';
    return text;
}

QByteArray currencyText(qint64 scaled) {
    const bool negative = scaled < 0;
    const quint64 mag = negative ? quint64(0) - quint64(scaled) : quint64(scaled);
    QByteArray text = QByteArray::number(mag / 10000) + '.';
    if (mag % 10000 == 0)
        text += '0';
    else {
        QByteArray digits = QByteArray::number(mag % 10000).rightJustified(4, '0');
        while (digits.endsWith('0'))
            digits.chop(1);
        text += digits;
    }
    return (negative ? "-" : "") + text + 'c';
}

class FormGenerator {
public:
    FormGenerator(std::uint64_t seed, int index)
        : R(seed ^ (std::uint64_t(index) << 32) ^ std::uint64_t(index)), FIndex(index) {}

    QByteArray generate() {
        // The number of components: mostly small and medium forms, a tail of large ones.
        const qint64 r = R.below(1000);
        FBudget = 10 + int(190 * r * r * r * r / (1000LL * 1000LL * 1000LL * 1000LL));
        const bool inherited = R.chance(15);
        const QByteArray cls = "T" + formName();
        header(0, inherited ? "inherited " : "object ", formName(), cls);
        formProperties(1);
        // What is left for the components without a window, written after the controls.
        const int reserve = std::max(1, FBudget / R.range(5, 10));
        if (inherited)
            inheritedChildren(1);
        if (FHasMenu)
            mainMenu(1);
        if (R.chance(10))
            frame(1);
        while (FBudget > reserve)
            control(1, 0, FBudget - reserve);
        do
            nonVisualComponent(1);
        while (FBudget > 0);
        end(0);
        return std::move(FOut);
    }

private:
    // --- layout primitives; `indent` is always the indent of the property line ---

    void pad(int indent) { FOut.append(qsizetype(indent) * 2, ' '); }
    void name(int indent, const char* prop) {
        pad(indent);
        FOut += prop;
        FOut += " =";
    }
    void header(int indent, const char* keyword, const QByteArray& nm, const QByteArray& cls,
                int childPos = -1) {
        --FBudget; // every object is one component
        pad(indent);
        FOut += keyword;
        if (!nm.isEmpty())
            FOut += nm + ": ";
        FOut += cls;
        if (childPos >= 0)
            FOut += " [" + QByteArray::number(childPos) + "]";
        FOut += '\n';
    }
    void end(int indent) {
        pad(indent);
        FOut += "end\n";
    }

    void integer(int indent, const char* prop, qint64 v) {
        name(indent, prop);
        FOut += ' ' + QByteArray::number(v) + '\n';
    }
    void ident(int indent, const char* prop, const QByteArray& v) {
        name(indent, prop);
        FOut += ' ' + v + '\n';
    }
    void boolean(int indent, const char* prop, bool v) {
        ident(indent, prop, v ? "True" : "False");
    }
    void set(int indent, const char* prop, const QByteArray& v) { ident(indent, prop, v); }
    void real(int indent, const char* prop, long double v, FloatKind kind = FloatKind::Extended) {
        ident(indent, prop, floatText(v, kind));
    }
    void currency(int indent, const char* prop, qint64 scaled) {
        ident(indent, prop, currencyText(scaled));
    }
    void string(int indent, const char* prop, const QString& s) {
        name(indent, prop);
        stringValue(indent, s);
        FOut += '\n';
    }
    void stringValue(int indent, const QString& s) {
        constexpr qsizetype Chunk = 64;
        if (s.size() <= Chunk) {
            FOut += ' ' + QuoteFormString(s);
            return;
        }
        for (qsizetype i = 0; i < s.size(); i += Chunk) {
            FOut += '\n';
            pad(indent + 1);
            const qsizetype n = std::min(Chunk, s.size() - i);
            FOut += QuoteFormString(QStringView(s).mid(i, n));
            if (i + n < s.size())
                FOut += " +";
        }
    }
    void binary(int indent, const char* prop, const QByteArray& bytes) {
        name(indent, prop);
        FOut += " {";
        for (qsizetype i = 0; i < bytes.size(); i += 32) {
            FOut += '\n';
            pad(indent + 1);
            FOut += bytes.mid(i, 32).toHex().toUpper();
        }
        FOut += "}\n";
    }
    // A list of strings, as string list properties are stored.
    void strings(int indent, const char* prop, const std::vector<QString>& lines) {
        name(indent, prop);
        FOut += " (";
        for (const QString& line : lines) {
            FOut += '\n';
            pad(indent + 1);
            const auto mark = FOut.size();
            stringValue(indent + 1, line);
            if (FOut[mark] == ' ')
                FOut.remove(mark, 1);
        }
        FOut += ")\n";
    }
    // Collection items: each callback writes the properties of one item at the given indent.
    template <typename Item>
    void collection(int indent, const char* prop, int count, Item&& item, bool ordered = false) {
        name(indent, prop);
        FOut += " <";
        for (int i = 0; i < count; ++i) {
            FOut += '\n';
            pad(indent + 1);
            FOut += "item";
            if (ordered)
                FOut += " [" + QByteArray::number(i) + "]";
            FOut += '\n';
            item(indent + 2, i);
            pad(indent + 1);
            FOut += "end";
        }
        FOut += ">\n";
    }

    // --- content ---

    QByteArray formName() const { return "Form" + QByteArray::number(FIndex); }

    QByteArray newName(const char* base) {
        return base + QByteArray::number(++FNames[QByteArray(base)]);
    }

    QString words(int n, bool capital = true) {
        QString s;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                s += u' ';
            if (R.chance(4))
                s += QString::fromUtf16(R.pick(ForeignWords));
            else
                s += QLatin1String(R.pick(Words));
        }
        if (capital && !s.isEmpty())
            s[0] = s[0].toUpper();
        return s;
    }

    QString caption() {
        QString s = words(R.range(1, 3));
        switch (R.below(12)) {
        case 0:
            s.prepend(u'&');
            break;
        case 1:
            s += QStringLiteral("...");
            break;
        case 2:
            s += QStringLiteral(":");
            break;
        case 3:
            s = QStringLiteral("Don't ") + s.toLower();
            break;
        default:
            break;
        }
        return s;
    }

    // Hints and messages, some long enough to be split or stored as long strings.
    QString sentence(int minWords, int maxWords) {
        QString s = words(R.range(minWords, maxWords)) + u'.';
        if (R.chance(20))
            s += QStringLiteral("\r\n") + words(R.range(3, 12)) + u'.';
        if (R.chance(10))
            s += u'\t' + words(2);
        return s;
    }

    void event(int indent, const char* prop, const QByteArray& component, const char* event) {
        // Handlers are often shared between components of a kind.
        const QByteArray target =
            R.chance(25) && !FLastHandler.isEmpty() ? FLastHandler : component + QByteArray(event);
        FLastHandler = target;
        ident(indent, prop, target);
    }

    void font(int indent, const char* prefix) {
        const QByteArray p(prefix);
        ident(indent, (p + ".Charset").constData(), "DEFAULT_CHARSET");
        ident(indent, (p + ".Color").constData(), R.chance(80) ? "clWindowText" : R.pick(Colors));
        integer(indent, (p + ".Height").constData(), -R.range(11, 24));
        string(indent, (p + ".Name").constData(), QLatin1String(R.pick(FontNames)));
        set(indent, (p + ".Style").constData(),
            R.chance(60) ? "[]" : (R.chance(70) ? "[fsBold]" : "[fsBold, fsItalic]"));
    }

    void bounds(int indent, int maxWidth = 800) {
        integer(indent, "Left", R.range(0, maxWidth));
        integer(indent, "Top", R.range(0, 600));
        integer(indent, "Width", R.range(16, maxWidth));
        integer(indent, "Height", R.range(13, 400));
    }

    void controlCommon(int indent) {
        if (R.chance(15))
            set(indent, "Anchors", R.pick(AnchorSets));
        if (R.chance(10))
            string(indent, "Hint", sentence(3, 40));
        if (R.chance(8))
            boolean(indent, "ShowHint", true);
        if (R.chance(6))
            boolean(indent, "Enabled", false);
        if (R.chance(5))
            integer(indent, "HelpContext", R.range(1000, 2000000000));
        if (R.chance(4)) {
            // Tags sometimes carry pointers or ids that need 64 bits.
            integer(indent, "Tag",
                    R.chance(50) ? qint64(R.range(1, 100))
                                 : (qint64(R.range(1, 1 << 30)) << R.range(4, 32)));
        }
        if (R.chance(8)) {
            boolean(indent, "ParentFont", false);
            font(indent, "Font");
        }
        if (R.chance(5)) {
            integer(indent, "Constraints.MinHeight", R.range(20, 200));
            integer(indent, "Constraints.MinWidth", R.range(20, 400));
        }
    }

    // A device-independent bitmap with a length prefix, as glyphs and image lists store them.
    QByteArray bitmap(int width, int height, int bpp) {
        const int rowBytes = ((width * bpp + 31) / 32) * 4;
        const int palette = bpp <= 8 ? (1 << bpp) * 4 : 0;
        const int size = 54 + palette + rowBytes * height;
        QByteArray b;
        auto u16 = [&](int v) {
            b += char(v & 0xFF);
            b += char((v >> 8) & 0xFF);
        };
        auto u32 = [&](qint64 v) {
            u16(int(v & 0xFFFF));
            u16(int((v >> 16) & 0xFFFF));
        };
        u32(size);
        b += "BM";
        u32(size);
        u32(0);
        u32(54 + palette);
        u32(40);
        u32(width);
        u32(height);
        u16(1);
        u16(bpp);
        u32(0);
        u32(rowBytes * height);
        u32(0);
        u32(0);
        u32(0);
        u32(0);
        for (int i = 0; i < palette; ++i)
            b += char(R.below(4) == 0 ? 0 : R.below(256));
        // Icons are mostly flat areas: runs of a few colours.
        const char colours[4] = {char(R.below(256)), char(R.below(256)), char(0xFF), char(0)};
        int run = 0;
        char c = 0;
        for (int i = 0; i < rowBytes * height; ++i) {
            if (run-- <= 0) {
                run = R.range(1, 24);
                c = R.chance(15) ? char(R.below(256)) : colours[R.below(4)];
            }
            b += c;
        }
        return b;
    }

    QByteArray pictureData() {
        if (R.chance(60)) {
            const QByteArray bmp =
                bitmap(R.range(24, 64), R.range(24, 64), R.chance(50) ? 8 : 24).mid(4);
            return QByteArray("\x07TBitmap") + bmp;
        }
        // Compressed images look like noise.
        QByteArray jpeg("\x0ATJPEGImage", 11);
        const int n = R.range(1000, 12000);
        const qint32 len = n;
        jpeg.append(reinterpret_cast<const char*>(&len), 4);
        jpeg += QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
        for (int i = 0; i < n; i += 8) {
            const std::uint64_t v = R.next();
            jpeg.append(reinterpret_cast<const char*>(&v), std::min(8, n - i));
        }
        return jpeg;
    }

    void formProperties(int in) {
        integer(in, "Left", R.range(0, 700));
        integer(in, "Top", R.range(0, 400));
        if (R.chance(30))
            set(in, "BorderIcons", "[biSystemMenu, biMinimize, biMaximize]");
        if (R.chance(20))
            ident(in, "BorderStyle", R.chance(50) ? "bsDialog" : "bsSingle");
        string(in, "Caption", caption());
        integer(in, "ClientHeight", R.range(200, 900));
        integer(in, "ClientWidth", R.range(300, 1400));
        ident(in, "Color", "clBtnFace");
        font(in, "Font");
        FHasMenu = R.chance(30);
        if (FHasMenu)
            ident(in, "Menu", "MainMenu1");
        boolean(in, "OldCreateOrder", false);
        ident(in, "Position", R.chance(50) ? "poScreenCenter" : "poDesigned");
        if (R.chance(10))
            real(in, "AlphaBlendValue", R.range(1, 100) / 100.0L);
        const QByteArray form = formName();
        event(in, "OnCreate", form, "Create");
        if (R.chance(50))
            event(in, "OnClose", form, "Close");
        if (R.chance(30))
            event(in, "OnShow", form, "Show");
        integer(in, "PixelsPerInch", R.chance(80) ? 96 : 120);
        integer(in, "TextHeight", 13);
    }

    void inheritedChildren(int in) {
        const int n = R.range(1, 4);
        for (int i = 0; i < n && FBudget > 0; ++i) {
            const QByteArray nm = newName("Panel");
            header(in, "inherited ", nm, "TPanel", R.chance(30) ? R.range(0, 8) : -1);
            if (R.chance(60))
                integer(in + 1, "Width", R.range(100, 900));
            if (R.chance(40))
                string(in + 1, "Caption", caption());
            if (R.chance(50) && FBudget > 0)
                control(in + 1, 2, std::min(FBudget, R.range(1, 6)));
            end(in);
        }
    }

    void mainMenu(int in) {
        header(in, "object ", "MainMenu1", "TMainMenu");
        if (R.chance(50))
            ident(in + 1, "Images", "ImageList1");
        integer(in + 1, "Left", R.range(8, 400));
        integer(in + 1, "Top", R.range(8, 300));
        const int top = R.range(2, 6);
        for (int i = 0; i < top && FBudget > 0; ++i)
            menuItem(in + 1, 0);
        end(in);
    }

    void menuItem(int in, int depth) {
        const QByteArray nm = newName("MenuItem");
        header(in, "object ", nm, "TMenuItem");
        const bool separator = depth > 0 && R.chance(12);
        string(in + 1, "Caption", separator ? QStringLiteral("-") : caption());
        if (!separator && depth > 0) {
            if (R.chance(30))
                integer(in + 1, "ShortCut", R.range(16384, 24700));
            if (R.chance(15))
                boolean(in + 1, "Checked", true);
            if (R.chance(25))
                integer(in + 1, "ImageIndex", R.range(0, 40));
            event(in + 1, "OnClick", nm, "Click");
        }
        if (depth < 2 && (depth == 0 || R.chance(15))) {
            const int n = R.range(2, 8);
            for (int i = 0; i < n && FBudget > 0; ++i)
                menuItem(in + 1, depth + 1);
        }
        end(in);
    }

    void frame(int in) {
        const QByteArray nm = newName("FrameAddress");
        header(in, "inline ", nm, "TFrameAddress");
        bounds(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 20));
        for (const char* child : {"LabelStreet", "EditStreet", "EditCity"}) {
            if (R.chance(50) && FBudget > 0) {
                header(in + 1, "inherited ", child, child[0] == 'L' ? "TLabel" : "TEdit");
                integer(in + 2, "Width", R.range(40, 300));
                end(in + 1);
            }
        }
        end(in);
    }

    // One visual control, a container taking part of `budget` when it is one.
    void control(int in, int depth, int budget) {
        const int kind = R.below(100);
        if (budget > 3 && depth < 5 && kind < 18) {
            container(in, depth, budget);
            return;
        }
        if (kind < 32)
            label(in);
        else if (kind < 48)
            edit(in);
        else if (kind < 58)
            button(in);
        else if (kind < 64)
            checkBox(in);
        else if (kind < 70)
            comboBox(in);
        else if (kind < 74)
            memo(in);
        else if (kind < 77)
            listView(in);
        else if (kind < 80)
            dbGrid(in);
        else if (kind < 82)
            stringGrid(in);
        else if (kind < 84)
            image(in);
        else if (kind < 87)
            speedButton(in);
        else if (kind < 89)
            statusBar(in);
        else if (kind < 92)
            dateTimePicker(in);
        else if (kind < 95)
            currencyEdit(in);
        else if (kind < 97)
            trackBar(in);
        else
            chart(in);
    }

    void container(int in, int depth, int budget) {
        --budget;
        const int share = std::min(budget, R.range(2, std::max(2, budget / 2 + 1)));
        const int kind = R.below(10);
        if (kind < 2) {
            const QByteArray nm = newName("PageControl");
            header(in, "object ", nm, "TPageControl");
            bounds(in + 1, 1000);
            ident(in + 1, "ActivePage", "TabSheet" + QByteArray::number(FNames["TabSheet"] + 1));
            if (R.chance(50))
                ident(in + 1, "Align", "alClient");
            integer(in + 1, "TabOrder", R.range(0, 20));
            event(in + 1, "OnChange", nm, "Change");
            const int pages = R.range(2, 6);
            for (int p = 0; p < pages && (p == 0 || FBudget > 0); ++p) {
                header(in + 1, "object ", newName("TabSheet"), "TTabSheet");
                string(in + 2, "Caption", caption());
                if (R.chance(30))
                    integer(in + 2, "ImageIndex", R.range(0, 20));
                const int target = FBudget - share / pages;
                while (FBudget > 0 && FBudget > target)
                    control(in + 2, depth + 2, FBudget - target);
                end(in + 1);
            }
            end(in);
            return;
        }
        const char* const classes[] = {"TPanel",    "TPanel",     "TPanel", "TGroupBox",
                                       "TGroupBox", "TScrollBox", "TPanel", "TToolBar"};
        const char* cls = classes[kind - 2];
        const QByteArray nm = newName(cls + 1);
        header(in, "object ", nm, cls);
        bounds(in + 1, 1000);
        if (R.chance(40))
            ident(in + 1, "Align", R.pick(Aligns));
        if (cls[1] != 'S' && cls[2] != 'o')
            string(in + 1, "Caption", R.chance(60) ? QString() : caption());
        if (cls[1] == 'P') {
            if (R.chance(50))
                ident(in + 1, "BevelOuter", "bvNone");
            if (R.chance(30))
                boolean(in + 1, "ParentBackground", false);
            if (R.chance(20))
                integer(in + 1, "Color", R.range(0, 0xFFFFFF));
        }
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 20));
        if (cls[2] == 'o') {
            ident(in + 1, "Images", "ImageList1");
            const int buttons = std::min(share, R.range(3, 12));
            for (int b = 0; b < buttons && FBudget > 0; ++b) {
                const QByteArray bn = newName("ToolButton");
                header(in + 1, "object ", bn, "TToolButton");
                integer(in + 2, "Left", b * 23);
                integer(in + 2, "Top", 0);
                if (R.chance(15)) {
                    ident(in + 2, "Style", "tbsSeparator");
                } else {
                    string(in + 2, "Hint", caption());
                    integer(in + 2, "ImageIndex", R.range(0, 40));
                    event(in + 2, "OnClick", bn, "Click");
                }
                end(in + 1);
            }
        } else {
            const int target = FBudget - share;
            while (FBudget > 0 && FBudget > target)
                control(in + 1, depth + 1, FBudget - target);
        }
        end(in);
    }

    void label(int in) {
        const QByteArray nm = newName("Label");
        header(in, "object ", nm, "TLabel");
        bounds(in + 1, 600);
        string(in + 1, "Caption", caption());
        if (R.chance(25))
            ident(in + 1, "FocusControl",
                  R.chance(80) ? "Edit" + QByteArray::number(R.range(1, 30))
                               : "FrameAddress1.EditStreet");
        if (R.chance(20))
            boolean(in + 1, "Transparent", true);
        if (R.chance(10))
            boolean(in + 1, "WordWrap", true);
        controlCommon(in + 1);
        end(in);
    }

    void edit(int in) {
        const QByteArray nm = newName("Edit");
        header(in, "object ", nm, R.chance(20) ? "TDBEdit" : "TEdit");
        bounds(in + 1, 600);
        if (R.chance(30))
            integer(in + 1, "MaxLength", R.range(1, 255));
        if (R.chance(10))
            ident(in + 1, "CharCase", "ecUpperCase");
        if (R.chance(10))
            string(in + 1, "PasswordChar", QStringLiteral("*"));
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        string(in + 1, "Text", R.chance(70) ? QString() : words(R.range(1, 4)));
        if (R.chance(40))
            event(in + 1, "OnChange", nm, "Change");
        if (R.chance(20))
            event(in + 1, "OnExit", nm, "Exit");
        end(in);
    }

    void button(int in) {
        const QByteArray nm = newName("Button");
        header(in, "object ", nm, "TButton");
        bounds(in + 1, 600);
        string(in + 1, "Caption", caption());
        if (R.chance(20))
            boolean(in + 1, "Default", true);
        if (R.chance(25))
            integer(in + 1, "ModalResult", R.range(1, 8));
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        event(in + 1, "OnClick", nm, "Click");
        end(in);
    }

    void speedButton(int in) {
        const QByteArray nm = newName("SpeedButton");
        header(in, "object ", nm, R.chance(50) ? "TSpeedButton" : "TBitBtn");
        bounds(in + 1, 600);
        if (R.chance(50))
            boolean(in + 1, "Flat", true);
        if (R.chance(20))
            integer(in + 1, "GroupIndex", R.range(1, 5));
        const int side = R.chance(85) ? 16 : 32;
        const int depths[] = {4, 4, 8, 8, 24};
        binary(in + 1, "Glyph.Data", bitmap(side * (R.chance(40) ? 2 : 1), side, R.pick(depths)));
        if (R.chance(40))
            integer(in + 1, "NumGlyphs", 2);
        controlCommon(in + 1);
        event(in + 1, "OnClick", nm, "Click");
        end(in);
    }

    void checkBox(int in) {
        const QByteArray nm = newName(R.chance(60) ? "CheckBox" : "RadioButton");
        header(in, "object ", nm, nm.startsWith('C') ? "TCheckBox" : "TRadioButton");
        bounds(in + 1, 400);
        string(in + 1, "Caption", caption());
        if (R.chance(40))
            boolean(in + 1, "Checked", true);
        if (R.chance(20))
            ident(in + 1, "State", "cbChecked");
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        if (R.chance(40))
            event(in + 1, "OnClick", nm, "Click");
        end(in);
    }

    std::vector<QString> itemList(int lo, int hi) {
        std::vector<QString> items(std::size_t(R.range(lo, hi)));
        for (auto& s : items)
            s = words(R.range(1, 4));
        return items;
    }

    void comboBox(int in) {
        const QByteArray nm = newName(R.chance(60) ? "ComboBox" : "ListBox");
        header(in, "object ", nm, nm.startsWith('C') ? "TComboBox" : "TListBox");
        bounds(in + 1, 500);
        if (nm.startsWith('C'))
            ident(in + 1, "Style", R.chance(60) ? "csDropDownList" : "csDropDown");
        integer(in + 1, "ItemHeight", 13);
        if (R.chance(40))
            integer(in + 1, "ItemIndex", R.range(-1, 3));
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        if (R.chance(80))
            strings(in + 1, "Items.Strings", itemList(2, 40));
        if (R.chance(30))
            event(in + 1, "OnChange", nm, "Change");
        end(in);
    }

    void memo(int in) {
        const QByteArray nm = newName("Memo");
        header(in, "object ", nm, R.chance(70) ? "TMemo" : "TRichEdit");
        bounds(in + 1, 900);
        std::vector<QString> lines(std::size_t(R.chance(80) ? R.range(1, 8) : R.range(8, 40)));
        for (auto& l : lines)
            l = R.chance(10) ? QString() : sentence(1, R.chance(8) ? 60 : 12);
        strings(in + 1, "Lines.Strings", lines);
        if (R.chance(50))
            ident(in + 1, "ScrollBars", R.chance(50) ? "ssBoth" : "ssVertical");
        if (R.chance(20))
            boolean(in + 1, "ReadOnly", true);
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        end(in);
    }

    void listView(int in) {
        const QByteArray nm = newName("ListView");
        header(in, "object ", nm, "TListView");
        bounds(in + 1, 1000);
        collection(in + 1, "Columns", R.range(2, 10), [this](int at, int) {
            if (R.chance(30))
                ident(at, "Alignment", "taRightJustify");
            string(at, "Caption", caption());
            if (R.chance(20))
                boolean(at, "AutoSize", true);
            integer(at, "Width", R.range(40, 300));
        });
        if (R.chance(50))
            boolean(in + 1, "RowSelect", true);
        if (R.chance(40))
            ident(in + 1, "SmallImages", "ImageList1");
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        ident(in + 1, "ViewStyle", "vsReport");
        if (R.chance(60))
            event(in + 1, "OnDblClick", nm, "DblClick");
        end(in);
    }

    void dbGrid(int in) {
        const QByteArray nm = newName("DBGrid");
        header(in, "object ", nm, "TDBGrid");
        bounds(in + 1, 1000);
        ident(in + 1, "DataSource", "DataSource" + QByteArray::number(R.range(1, 3)));
        set(in + 1, "Options",
            R.chance(50)
                ? "[dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, "
                  "dgRowSelect, dgConfirmDelete, dgCancelOnExit]"
                : "[dgTitles, dgColumnResize, dgColLines, dgRowLines, dgTabs]");
        controlCommon(in + 1);
        integer(in + 1, "TabOrder", R.range(0, 40));
        font(in + 1, "TitleFont");
        collection(in + 1, "Columns", R.range(2, 16), [this](int at, int) {
            boolean(at, "Expanded", false);
            string(at, "FieldName", QLatin1String(R.pick(FieldNames)));
            if (R.chance(40))
                ident(at, "Title.Alignment", "taCenter");
            string(at, "Title.Caption", caption());
            if (R.chance(20))
                set(at, "Title.Font.Style", "[fsBold]");
            integer(at, "Width", R.range(30, 250));
            if (R.chance(10))
                boolean(at, "Visible", false);
        });
        event(in + 1, "OnDblClick", nm, "DblClick");
        end(in);
    }

    void stringGrid(int in) {
        const QByteArray nm = newName("StringGrid");
        header(in, "object ", nm, "TStringGrid");
        bounds(in + 1, 1000);
        const int cols = R.range(2, 12);
        integer(in + 1, "ColCount", cols);
        integer(in + 1, "DefaultRowHeight", R.range(16, 24));
        integer(in + 1, "RowCount", R.range(2, 200));
        set(in + 1, "Options",
            "[goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, "
            "goRangeSelect, goColSizing, goEditing]");
        integer(in + 1, "TabOrder", R.range(0, 40));
        name(in + 1, "ColWidths");
        FOut += " (";
        for (int c = 0; c < cols; ++c) {
            FOut += '\n';
            pad(in + 2);
            FOut += QByteArray::number(R.range(24, 400));
        }
        FOut += ")\n";
        end(in);
    }

    void image(int in) {
        const QByteArray nm = newName("Image");
        header(in, "object ", nm, "TImage");
        bounds(in + 1, 600);
        if (R.chance(50))
            boolean(in + 1, "Stretch", true);
        if (R.chance(30))
            boolean(in + 1, "Proportional", true);
        // Large pictures are rare but dominate the bytes of the forms that have them.
        if (R.chance(20))
            binary(in + 1, "Picture.Data", pictureData());
        end(in);
    }

    void statusBar(int in) {
        const QByteArray nm = newName("StatusBar");
        header(in, "object ", nm, "TStatusBar");
        integer(in + 1, "Left", 0);
        integer(in + 1, "Top", R.range(200, 900));
        integer(in + 1, "Width", R.range(300, 1400));
        integer(in + 1, "Height", 19);
        collection(in + 1, "Panels", R.range(1, 6), [this](int at, int i) {
            if (R.chance(30))
                ident(at, "Style", "psOwnerDraw");
            if (i == 0 || R.chance(50))
                string(at, "Text", caption());
            integer(at, "Width", R.range(50, 400));
        });
        if (R.chance(20))
            boolean(in + 1, "SimplePanel", false);
        end(in);
    }

    void dateTimePicker(int in) {
        const QByteArray nm = newName("DateTimePicker");
        header(in, "object ", nm, "TDateTimePicker");
        bounds(in + 1, 400);
        // Days since 1899-12-30 plus the fraction of the day.
        real(in + 1, "Date", R.range(36000, 47000) + R.range(0, 86399) / 86400.0L, FloatKind::Date);
        real(in + 1, "Time", R.range(0, 86399) / 86400.0L, FloatKind::Date);
        if (R.chance(30))
            string(in + 1, "Format", QStringLiteral("dd.MM.yyyy"));
        integer(in + 1, "TabOrder", R.range(0, 40));
        if (R.chance(30))
            event(in + 1, "OnChange", nm, "Change");
        end(in);
    }

    void currencyEdit(int in) {
        const QByteArray nm = newName("CurrencyEdit");
        header(in, "object ", nm, "TCurrencyEdit");
        bounds(in + 1, 400);
        string(in + 1, "DisplayFormat", QStringLiteral(u",0.00 €;-,0.00 €"));
        currency(in + 1, "MaxValue", qint64(R.range(1, 99999)) * 10000 + 9999);
        currency(in + 1, "MinValue", R.chance(70) ? 0 : -qint64(R.range(1, 100000)) * 10000);
        currency(in + 1, "Value", qint64(R.range(-100000, 1000000)) * R.range(1, 10000));
        integer(in + 1, "TabOrder", R.range(0, 40));
        end(in);
    }

    void trackBar(int in) {
        const QByteArray nm = newName("TrackBar");
        header(in, "object ", nm, "TTrackBar");
        bounds(in + 1, 400);
        integer(in + 1, "Max", R.chance(50) ? 100 : R.range(1000, 100000));
        integer(in + 1, "Frequency", R.range(1, 10));
        integer(in + 1, "Position", R.range(0, 100));
        real(in + 1, "Scale", R.range(1, 40) / 8.0L, FloatKind::Single);
        integer(in + 1, "TabOrder", R.range(0, 40));
        event(in + 1, "OnChange", nm, "Change");
        end(in);
    }

    void chart(int in) {
        const QByteArray nm = newName("Chart");
        header(in, "object ", nm, "TChart");
        bounds(in + 1, 1000);
        string(in + 1, "Title.Text", words(R.range(2, 6)));
        real(in + 1, "BottomAxis.Increment", R.range(1, 1000) / 100.0L);
        real(in + 1, "LeftAxis.Maximum", R.range(1, 100000) * 1000.0L);
        real(in + 1, "Zoom", R.range(50, 400) / 100.0L, FloatKind::Single);
        const int series = R.range(1, 3);
        for (int s = 0; s < series && FBudget > 0; ++s) {
            header(in + 1, "object ", newName("Series"), "TLineSeries");
            ident(in + 2, "SeriesColor", R.pick(Colors));
            real(in + 2, "XValues.Multiplier", 1.0L);
            name(in + 2, "Data");
            FOut += " (";
            const int points = R.range(4, 40);
            for (int p = 0; p < points; ++p) {
                FOut += '\n';
                pad(in + 3);
                FOut += floatText(R.range(-500000, 500000) / 1000.0L, FloatKind::Extended);
            }
            FOut += ")\n";
            end(in + 1);
        }
        end(in);
    }

    // --- components without a window, written after the controls ---

    void nonVisualComponent(int in) {
        const int kind = R.below(100);
        if (kind < 16)
            timer(in);
        else if (kind < 26)
            imageList(in);
        else if (kind < 38)
            actionList(in);
        else if (kind < 48)
            popupMenu(in);
        else if (kind < 62)
            dataSource(in);
        else if (kind < 80)
            query(in);
        else if (kind < 92)
            dialog(in);
        else
            storage(in);
    }

    void designPosition(int in) {
        integer(in, "Left", R.range(8, 600));
        integer(in, "Top", R.range(8, 400));
    }

    void timer(int in) {
        const QByteArray nm = newName("Timer");
        header(in, "object ", nm, "TTimer");
        if (R.chance(40))
            boolean(in + 1, "Enabled", false);
        integer(in + 1, "Interval", R.range(1, 600) * 100);
        event(in + 1, "OnTimer", nm, "Timer");
        designPosition(in + 1);
        end(in);
    }

    void imageList(int in) {
        const QByteArray nm = newName("ImageList");
        header(in, "object ", nm, "TImageList");
        designPosition(in + 1);
        const int images = R.range(2, 12);
        // The image list stream: a small header, then the images side by side in one bitmap.
        QByteArray data = QByteArray::fromHex("494C010102000400");
        data += bitmap(16 * std::min(images, 4), 16 * ((images + 3) / 4), R.chance(50) ? 24 : 8);
        binary(in + 1, "Bitmap", data);
        end(in);
    }

    void actionList(int in) {
        const QByteArray nm = newName("ActionList");
        header(in, "object ", nm, "TActionList");
        ident(in + 1, "Images", "ImageList1");
        designPosition(in + 1);
        const int n = R.range(2, 14);
        for (int i = 0; i < n && FBudget > 0; ++i) {
            const QByteArray an = newName("Action");
            header(in + 1, "object ", an, "TAction");
            string(in + 2, "Category", words(1));
            string(in + 2, "Caption", caption());
            if (R.chance(40))
                string(in + 2, "Hint", sentence(2, 20));
            if (R.chance(50))
                integer(in + 2, "ImageIndex", R.range(0, 40));
            if (R.chance(30))
                integer(in + 2, "ShortCut", R.range(16384, 24700));
            event(in + 2, "OnExecute", an, "Execute");
            if (R.chance(40))
                event(in + 2, "OnUpdate", an, "Update");
            end(in + 1);
        }
        end(in);
    }

    void popupMenu(int in) {
        const QByteArray nm = newName("PopupMenu");
        header(in, "object ", nm, "TPopupMenu");
        designPosition(in + 1);
        const int n = R.range(2, 8);
        for (int i = 0; i < n && FBudget > 0; ++i)
            menuItem(in + 1, 1);
        end(in);
    }

    void dataSource(int in) {
        const QByteArray nm = newName("DataSource");
        header(in, "object ", nm, "TDataSource");
        ident(in + 1, "DataSet", "Query" + QByteArray::number(R.range(1, 3)));
        designPosition(in + 1);
        end(in);
    }

    void query(int in) {
        const QByteArray nm = newName("Query");
        header(in, "object ", nm, "TQuery");
        string(in + 1, "DatabaseName", QStringLiteral("MainDB"));
        std::vector<QString> sql;
        QString select = QStringLiteral("SELECT ");
        const int cols = R.range(2, 30);
        for (int c = 0; c < cols; ++c)
            select += (c ? QStringLiteral(", t.") : QStringLiteral("t.")) +
                      QLatin1String(R.pick(FieldNames));
        sql.push_back(select);
        sql.push_back(QStringLiteral("FROM ORDERS t"));
        if (R.chance(60))
            sql.push_back(QStringLiteral("  JOIN CUSTOMERS c ON c.ID = t.CUSTOMER_ID"));
        sql.push_back(QStringLiteral("WHERE t.STATUS = :STATUS AND t.ORDER_DATE >= :FROM_DATE"));
        if (R.chance(50))
            sql.push_back(QStringLiteral("ORDER BY t.ORDER_DATE DESC"));
        strings(in + 1, "SQL.Strings", sql);
        collection(
            in + 1, "ParamData", 2,
            [this](int at, int i) {
                ident(at, "DataType", i == 0 ? "ftInteger" : "ftDateTime");
                string(at, "Name", i == 0 ? QStringLiteral("STATUS") : QStringLiteral("FROM_DATE"));
                ident(at, "ParamType", "ptInput");
                if (R.chance(20))
                    ident(at, "Value", "Null");
            },
            R.chance(20));
        designPosition(in + 1);
        const int fields = R.chance(60) ? R.range(1, 12) : 0;
        for (int f = 0; f < fields && FBudget > 0; ++f)
            field(in + 1, nm);
        end(in);
    }

    void field(int in, const QByteArray& query) {
        const char* fieldName = R.pick(FieldNames);
        const int kind = R.below(6);
        const char* const classes[] = {"TIntegerField",  "TStringField",   "TFloatField",
                                       "TDateTimeField", "TCurrencyField", "TLargeintField"};
        header(in, "object ", newName((query + fieldName).constData()), classes[kind]);
        string(in + 1, "DisplayLabel", caption());
        integer(in + 1, "DisplayWidth", R.range(4, 40));
        string(in + 1, "FieldName", QLatin1String(fieldName));
        if (R.chance(30))
            boolean(in + 1, "Required", true);
        switch (kind) {
        case 1:
            integer(in + 1, "Size", R.range(1, 255));
            break;
        case 2:
            string(in + 1, "DisplayFormat", QStringLiteral("#,##0.00"));
            real(in + 1, "MaxValue", R.range(1, 1000) * 1000.0L);
            integer(in + 1, "Precision", R.range(5, 18));
            break;
        case 3:
            string(in + 1, "DisplayFormat", QStringLiteral("dd.mm.yyyy hh:nn"));
            break;
        case 4:
            currency(in + 1, "MaxValue", qint64(R.range(1, 99999)) * 10000);
            break;
        case 5:
            integer(in + 1, "MaxValue", Q_INT64_C(9223372036854775807));
            integer(in + 1, "MinValue", -Q_INT64_C(9223372036854775807) - 1);
            break;
        default:
            break;
        }
        end(in);
    }

    void dialog(int in) {
        const QByteArray nm = newName(R.chance(50) ? "OpenDialog" : "SaveDialog");
        header(in, "object ", nm, nm.startsWith('O') ? "TOpenDialog" : "TSaveDialog");
        string(in + 1, "DefaultExt", QStringLiteral("csv"));
        string(in + 1, "Filter",
               QStringLiteral("Comma separated values (*.csv)|*.csv|Text files (*.txt)|*.txt|"
                              "Spreadsheets (*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods|All files "
                              "(*.*)|*.*"));
        set(in + 1, "Options",
            "[ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing]");
        string(in + 1, "Title", caption());
        designPosition(in + 1);
        end(in);
    }

    // Stored settings: a list that mixes every kind a list can hold, and long ANSI text.
    void storage(int in) {
        const QByteArray nm = newName("FormStorage");
        header(in, "object ", nm, "TFormStorage");
        strings(in + 1, "StoredProps.Strings",
                {QStringLiteral("Width"), QStringLiteral("Height"), QStringLiteral("WindowState")});
        name(in + 1, "Defaults");
        FOut += " (";
        const int n = R.range(3, 10);
        for (int i = 0; i < n; ++i) {
            FOut += '\n';
            pad(in + 2);
            switch (R.below(7)) {
            case 0:
                FOut += QByteArray::number(R.range(-100000, 100000));
                break;
            case 1:
                FOut += floatText(R.range(1, 1000) / 16.0L, FloatKind::Extended);
                break;
            case 2:
                FOut += QuoteFormString(words(2));
                break;
            case 3:
                FOut += "[wsMaximized]";
                break;
            case 4:
                FOut += "nil";
                break;
            case 5:
                FOut += "True";
                break;
            default:
                FOut += "(\n";
                pad(in + 3);
                FOut += "1\n";
                pad(in + 3);
                FOut += "2)";
                break;
            }
        }
        FOut += ")\n";
        QString license;
        while (license.size() < 300)
            license += words(12) + u'.' + u' ';
        string(in + 1, "LicenseText", license);
        designPosition(in + 1);
        end(in);
    }

    Rng R;
    int FIndex = 0;
    int FBudget = 0;
    bool FHasMenu = false;
    QByteArray FOut;
    QByteArray FLastHandler;
    std::map<QByteArray, int> FNames;
};

} // namespace

QByteArray GenerateFormText(std::uint64_t seed, int index) {
    return FormGenerator(seed, index).generate();
}

std::vector<QByteArray> GenerateFormCorpus(int count, std::uint64_t seed) {
    std::vector<QByteArray> corpus;
    corpus.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        corpus.push_back(GenerateFormText(seed, i + 1));
    return corpus;
}
