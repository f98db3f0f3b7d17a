// The package file reader and the .imqz image reader on arbitrary bytes. A file that loads must
// save to content that loads to the same content again; a file that does not load must leave
// the package as it was.

#include "QzExcept.h"
#include "QzPkgImages.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void checkPackage(const QByteArray& input) {
    TQzPkgFileContents contents;
    try {
        contents = QzParsePkgFile(input, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        return;
    }
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(contents.Header.Kind));
    const QByteArray empty = pkg->ContentBytes();
    try {
        pkg->SetContentBytes(contents.Content);
    } catch (const Exception&) {
        if (pkg->ContentBytes() != empty)
            broken("a refused load changed the package");
        return;
    }
    const QByteArray saved = pkg->ContentBytes();
    std::unique_ptr<TQzPkgInfo> again(QzCreatePackage(contents.Header.Kind));
    try {
        again->SetContentBytes(saved);
    } catch (const Exception&) {
        broken("saved content does not load");
    }
    if (again->ContentBytes() != saved)
        broken("saved content loads differently");
    // The whole file round trip goes through the same header code as a real save.
    TQzPkgFileHeader header = contents.Header;
    const QByteArray file = QzBuildPkgFile(header, saved);
    if (QzParsePkgFile(file, QStringLiteral("fuzz")).Content != saved)
        broken("package file round trip");
}

void checkImqz(const QByteArray& input) {
    TQzPkgImages pkg;
    TQzPkgImagesImage* image = pkg.Images()->Add(1);
    const QByteArray before = image->SaveToImqz();
    try {
        image->LoadFromImqz(input, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        if (image->SaveToImqz() != before)
            broken("a refused image changed the image");
        return;
    }
    const QByteArray saved = image->SaveToImqz();
    TQzPkgImagesImage* copy = pkg.Images()->Add(2);
    try {
        copy->LoadFromImqz(saved, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        broken("a saved image does not load");
    }
    if (copy->SaveToImqz() != saved)
        broken("a saved image loads differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        QzRegisterRuntimeClasses();
        return true;
    }();
    (void)registered;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkPackage(input);
    checkImqz(input);
    return 0;
}
