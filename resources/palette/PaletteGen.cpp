// Draws the palette pictures and writes them as indexed bitmaps, with the resource file that
// embeds them:  qz_palette_gen OUTDIR  ->  OUTDIR/palette/*.bmp and OUTDIR/palette.qrc.
// Runs at build time without a display: pictures are drawn on images only, with no text.

#include "FileWrite.h"
#include "PaletteClasses.h"
#include "PalettePictures.h"
#include "PaletteSketch.h"
#include "QzBmp.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

struct Bitmap {
    QString name;
    int size;
    int bitCount;
};

struct PictureSet {
    std::string resourceName;
    std::vector<Bitmap> bitmaps;
};

// The three bitmaps of a class: plain name 24 x 24, "16" 16 x 16, "32" 32 x 32.
PictureSet picturesOf(const std::string& resourceName, int size16, int bitCount16) {
    const QString name = QString::fromStdString(resourceName);
    return {resourceName,
            {{name, 24, 4},
             {name + QLatin1String("16"), size16, bitCount16},
             {name + QLatin1String("32"), 32, 4}}};
}

std::vector<PictureSet> allPictureSets() {
    std::vector<PictureSet> sets;
    for (const QzPalette::Page& page : QzPalette::Pages)
        for (const char* className : page.classes) {
            const bool small16 =
                QLatin1String(className) == QLatin1String(QzPalette::Small16ColourClass);
            sets.push_back(picturesOf(QString::fromLatin1(className).toUpper().toStdString(), 16,
                                      small16 ? 4 : 8));
        }
    for (const QzPalette::InertClass& inert : QzPalette::InertClasses)
        sets.push_back(
            picturesOf(inert.resourceName, inert.large16 ? 24 : 16, inert.large16 ? 4 : 8));
    return sets;
}

bool writeFile(const QString& path, const QByteArray& data) {
    try {
        WriteFileAtomic(path, data);
    } catch (const EFileWriteError& e) {
        std::fprintf(stderr, "qz_palette_gen: %s\n", qPrintable(e.Message()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qz_palette_gen OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("palette"))) {
        std::fprintf(stderr, "qz_palette_gen: cannot create %s/palette\n", argv[1]);
        return 1;
    }

    // A class without a drawing, or a drawing without a class, is a mistake in the tables.
    const auto& drawings = PaletteDrawings();
    const std::vector<PictureSet> sets = allPictureSets();
    std::set<std::string> drawn;
    for (const PictureSet& set : sets) {
        if (!drawings.count(set.resourceName)) {
            std::fprintf(stderr, "qz_palette_gen: no picture for %s\n", set.resourceName.c_str());
            return 1;
        }
        drawn.insert(set.resourceName);
    }
    for (const auto& [name, drawing] : drawings)
        if (!drawn.count(name)) {
            std::fprintf(stderr, "qz_palette_gen: %s has a picture but no class\n", name.c_str());
            return 1;
        }

    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/qzpalette\">\n";
    for (const PictureSet& set : sets)
        for (const Bitmap& bitmap : set.bitmaps) {
            Sketch sketch(bitmap.size, bitmap.bitCount == 8);
            drawings.at(set.resourceName)(sketch);
            const QString file = QStringLiteral("palette/%1.bmp").arg(bitmap.name);
            if (!writeFile(out.filePath(file), QzBmpEncode(sketch.finish(), bitmap.bitCount)))
                return 1;
            qrc += "  <file alias=\"" + bitmap.name.toLatin1() + ".bmp\">" + file.toLatin1() +
                   "</file>\n";
        }
    qrc += "</qresource>\n</RCC>\n";
    return writeFile(out.filePath(QStringLiteral("palette.qrc")), qrc) ? 0 : 1;
}
