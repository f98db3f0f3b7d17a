// The package file reader, the package content reader and the .imqz image reader on arbitrary
// bytes.

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

// Content bytes of a kind: a load either takes them whole or leaves the package as it was,
// and what it took saves to content that loads the same again.
void checkContent(TQzPkgKind kind, const QByteArray& content) {
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(kind));
    const QByteArray empty = pkg->ContentBytes();
    try {
        pkg->SetContentBytes(content);
    } catch (const Exception&) {
        if (pkg->ContentBytes() != empty)
            broken("a refused load changed the package");
        return;
    }
    const QByteArray saved = pkg->ContentBytes();
    std::unique_ptr<TQzPkgInfo> again(QzCreatePackage(kind));
    try {
        again->SetContentBytes(saved);
    } catch (const Exception&) {
        broken("saved content does not load");
    }
    if (again->ContentBytes() != saved)
        broken("saved content loads differently");
}

// Whole files; most mutations stop at the checksum, so content is also fuzzed on its own below.
void checkFile(const QByteArray& input) {
    TQzPkgFileContents contents;
    try {
        contents = QzParsePkgFile(input, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        return;
    }
    if (QzParsePkgFile(QzBuildPkgFile(contents.Header, contents.Content), QStringLiteral("fuzz"))
            .Content != contents.Content)
        broken("package file round trip");
    checkContent(contents.Header.Kind, contents.Content);
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
    checkFile(input);
    // The first byte picks a kind, the rest is content: the object stream reader behind every
    // package without the file's checksum in the way.
    if (!input.isEmpty())
        checkContent(TQzPkgKind(1 + static_cast<quint8>(input[0]) % 7), input.mid(1));
    checkImqz(input);
    return 0;
}
