#include "PkgCorpus.h"

#include "BenchRandom.h"

#include "QzPkgImages.h"
#include "QzPkgStrings.h"

#include <QImage>
#include <QRegion>
#include <algorithm>

namespace {

using Rng = TBenchRandom;

// ---------------------------------------------------------------------------------------------
// Strings

const char* const Words[] = {
    "customer", "order",     "invoice", "amount",   "date",      "total",    "address", "name",
    "number",   "account",   "payment", "status",   "delivery",  "product",  "price",   "quantity",
    "discount", "tax",       "report",  "summary",  "settings",  "options",  "search",  "filter",
    "export",   "import",    "print",   "preview",  "save",      "cancel",   "close",   "apply",
    "contact",  "phone",     "email",   "street",   "city",      "country",  "region",  "code",
    "note",     "comment",   "balance", "credit",   "due",       "open",     "closed",  "pending",
    "supplier", "warehouse", "stock",   "shipment", "reference", "currency", "period",  "user",
    "password", "the",       "of",      "and",      "for",       "with",     "to",      "a",
    "is",       "in",        "this",    "be",       "will",      "not",
};

// Words of the languages a translated application carries, from two-byte Latin to CJK and a
// character outside the basic plane.
const char16_t* const ForeignWords[] = {
    u"Größe",    u"Straße",    u"Prénom",    u"Café",       u"Número",  u"Ελληνικά", u"Привет",
    u"Заказ",    u"Счёт",      u"日本語",    u"注文書",     u"中文",    u"€",        u"Łódź",
    u"Ångström", u"Übersicht", u"naïve",     u"Ærøskøbing", u"Čeština", u"Zahlung",  u"Lieferung",
    u"Adresse",  u"Kunde",     u"Dirección", u"Pedido",     u"Facture", u"Montant",  u"Données",
    u"Ошибка",   u"Сохранить", u"保存",      u"取消",       u"検索",    u"😀",
};

const char* const MessageTemplates[] = {
    "Do you want to save the changes to %s?",
    "The %s could not be found.",
    "%d records were deleted.",
    "Are you sure you want to delete the selected %s?",
    "The value '%s' is not a valid %s.",
    "Connection to the server failed: %s",
    "The %s is locked by another user.",
    "Please enter a %s before you continue.",
};

class StringsGenerator {
public:
    explicit StringsGenerator(std::uint64_t seed) : R(seed) {}

    // One in ten labels comes from a translated part of the application: every word foreign.
    QString words(int n) {
        const bool translated = R.chance(10);
        QString s;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                s += u' ';
            if (translated || R.chance(2))
                s += QString::fromUtf16(R.pick(ForeignWords));
            else
                s += QLatin1String(R.pick(Words));
        }
        if (!s.isEmpty())
            s[0] = s[0].toUpper();
        return s;
    }

    QString caption() {
        // Mostly short captions, now and then a paragraph that does not fit a short string.
        if (R.chance(3))
            return paragraph(R.range(40, 90));
        QString s = words(R.range(1, 4));
        switch (R.below(10)) {
        case 0:
            s.prepend(u'&');
            break;
        case 1:
            s += QStringLiteral("...");
            break;
        case 2:
        case 3:
            s += u':';
            break;
        default:
            break;
        }
        return s;
    }

    QString hint() {
        if (R.chance(45))
            return QString();
        QString s = words(R.range(4, 20)) + u'.';
        if (R.chance(5))
            s += QStringLiteral("\r\n") + words(R.range(3, 12)) + u'.';
        return s;
    }

    QString message() {
        QString s = QString::fromLatin1(R.pick(MessageTemplates));
        if (R.chance(40))
            s += u' ' + words(R.range(5, 25)) + u'.';
        return s;
    }

    // Texts are what an application shows in its help panes: a few paragraphs.
    QString text() { return paragraph(R.range(20, 150)); }

    QString paragraph(int n) {
        QString s;
        while (n > 0) {
            const int k = std::min(n, R.range(6, 18));
            if (!s.isEmpty())
                s += R.chance(15) ? QStringLiteral("\r\n") : QStringLiteral(" ");
            s += words(k) + u'.';
            n -= k;
        }
        return s;
    }

    // Ids rise with the occasional gap, as they do after items were deleted.
    int nextId(int previous) { return previous + (R.chance(5) ? R.range(2, 40) : 1); }
    bool isProtected() { return R.chance(3); }

private:
    Rng R;
};

// ---------------------------------------------------------------------------------------------
// Images

QRgb mixed(QRgb a, QRgb b, int t, int span) {
    auto channel = [&](int x, int y) {
        return x + (y - x) * t / std::max(1, span);
    };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                channel(qBlue(a), qBlue(b)));
}

// The channels are drawn one statement at a time: argument order is not fixed in C++.
QRgb randomColor(Rng& r) {
    const int red = r.below(256);
    const int green = r.below(256);
    return qRgb(red, green, r.below(256));
}

// An icon: a shaded shape with soft edges over a transparent or gradient background, and on
// some pictures a little noise, as scanned or photographic icons have.
QImage icon(Rng& r, int width, int height) {
    const bool alpha = r.chance(70);
    const int shape = r.below(4); // disc, square, diamond, ring
    const bool noisy = r.chance(25);
    const QRgb top = randomColor(r), bottom = randomColor(r), back = randomColor(r);
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int cx = width * 8, cy = height * 8; // sixteenths of a pixel
    const int radius = std::min(width, height) * 7;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int dx = std::abs(x * 16 + 8 - cx), dy = std::abs(y * 16 + 8 - cy);
            int distance = 0; // inside the shape when negative, in sixteenths of a pixel
            switch (shape) {
            case 0:
            case 3: {
                int d = 0;
                while ((d + 1) * (d + 1) <= dx * dx + dy * dy)
                    ++d;
                distance = shape == 0 ? d - radius : std::abs(d - radius * 2 / 3) - radius / 3;
                break;
            }
            case 1:
                distance = std::max(dx, dy) - radius;
                break;
            default:
                distance = (dx + dy) * 10 / 14 - radius;
                break;
            }
            QRgb color = mixed(top, bottom, y, height - 1);
            if (noisy) {
                const int n = r.range(-12, 12);
                color =
                    qRgb(std::clamp(qRed(color) + n, 0, 255), std::clamp(qGreen(color) + n, 0, 255),
                         std::clamp(qBlue(color) + n, 0, 255));
            }
            const int cover = std::clamp(8 - distance, 0, 16); // of 16, over one pixel's edge
            if (alpha)
                line[x] = qRgba(qRed(color), qGreen(color), qBlue(color), cover * 255 / 16);
            else
                line[x] = mixed(mixed(back, top, x, width * 2), color, cover, 16);
        }
    }
    return image;
}

} // namespace

void FillStringsPackage(TQzPkgStrings& package, int labels, std::uint64_t seed) {
    StringsGenerator g(seed);
    package.SetDescription(QStringLiteral("Strings of the order-entry application"));
    int id = 0;
    for (int i = 0; i < labels; ++i) {
        id = g.nextId(id);
        const QString text = g.caption();
        TQzPkgStringsLabel* label = package.Labels()->Add(id, text, g.hint());
        label->Protected = g.isProtected();
    }
    id = 0;
    for (int i = 0; i < labels / 20; ++i) {
        id = g.nextId(id);
        TQzPkgStringsText* message = package.Messages()->Add(id, g.message());
        message->Protected = g.isProtected();
    }
    id = 0;
    for (int i = 0; i < labels / 100; ++i) {
        id = g.nextId(id);
        package.Texts()->Add(id, g.text());
    }
}

void FillImagesPackage(TQzPkgImages& package, int images, std::uint64_t seed) {
    Rng r(seed ^ 0x1A6E5ull); // not the numbers the strings drew
    package.SetDescription(QStringLiteral("Toolbar and list icons"));
    const int sizes[] = {16, 16, 16, 20, 24, 24, 24, 32, 32, 32, 40, 48, 48};
    for (int i = 0; i < images; ++i) {
        TQzPkgImagesImage* image = package.Images()->Add(i + 1);
        const int width = r.pick(sizes);
        const int height = r.chance(85) ? width : r.pick(sizes);
        image->SetPicture(icon(r, width, height));
        if (r.chance(25)) {
            // The kept part: an ellipse, or the picture with its corners cut.
            const int c = std::max(1, std::min(width, height) / 6);
            image->CreateExternalMask(r.chance(50)
                                          ? QRegion(0, 0, width, height, QRegion::Ellipse)
                                          : QRegion(c, 0, width - 2 * c, height)
                                                .united(QRegion(0, c, width, height - 2 * c)));
        }
        if (r.chance(10))
            image->CreateInternalMask(
                QRegion(width / 4, height / 4, std::max(1, width / 2), std::max(1, height / 2)));
        if (r.chance(20)) {
            image->SetAdjusts(true);
            image->SetSyncHor(r.chance(50));
            image->SetAdjustLeft1(r.below(width / 3 + 1));
            image->SetAdjustRight1(r.below(width / 3 + 1));
            image->SetAdjustUp1(r.below(height / 3 + 1));
            image->SetAdjustDown1(r.below(height / 3 + 1));
        }
        image->Protected = r.chance(3);
    }
}
