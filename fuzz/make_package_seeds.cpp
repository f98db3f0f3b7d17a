// Writes the seed corpus of fuzz_package_file: a small file and the bare content of every package
// kind, a strings and an images package with some items, and two .imqz images. Run once when the
// formats change: make_package_seeds DIR

#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_package_seeds DIR\n");
        return 2;
    }
    QzRegisterRuntimeClasses();
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    try {
        for (int k = 1; k <= 7; ++k) {
            const auto kind = TQzPkgKind(k);
            std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(kind));
            pkg->SetPkgName(QStringLiteral("Seed"));
            pkg->SetDescription(QStringLiteral("seed"));
            pkg->SaveToFile(dir.filePath(QzPkgKindName(kind) + QStringLiteral("-empty.pkg")));
            // The target's other input form: a kind byte, then content.
            QFile content(dir.filePath(QzPkgKindName(kind) + QStringLiteral("-content.bin")));
            if (content.open(QIODevice::WriteOnly))
                content.write(QByteArray(1, char(k - 1)) + pkg->ContentBytes());
        }
        TQzPkgStrings strings;
        strings.Labels()->Add(1, QStringLiteral("Save"), QStringLiteral("Saves"));
        strings.Labels()->Add(2, QStringLiteral(u"Zurück\r\n"));
        strings.Messages()->Add(3, QStringLiteral("Done"));
        strings.Texts()->Add(4, QStringLiteral("text"));
        strings.SaveToFile(dir.filePath(QStringLiteral("strings.pkg")));

        QImage picture(6, 5, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        picture.setPixel(2, 2, qRgb(200, 10, 10));
        const QString png = dir.filePath(QStringLiteral("seed-picture.png"));
        picture.save(png);
        TQzPkgImages images;
        TQzPkgImagesImage* image = images.Images()->Add(7);
        image->LoadFromFile(png);
        image->CreateExternalMask(QRegion(1, 1, 3, 3));
        images.SaveToFile(dir.filePath(QStringLiteral("images.pkg")));
        image->SaveToFile(dir.filePath(QStringLiteral("image.imqz")));
        TQzPkgImagesImage* plain = images.Images()->Add(8);
        plain->LoadFromFile(png);
        plain->SaveToFile(dir.filePath(QStringLiteral("plain.imqz")));
        QFile::remove(png);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
