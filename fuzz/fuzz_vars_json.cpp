// The JSON reader of vars packages on arbitrary bytes: a text it takes writes back as JSON that
// reads to the same package, and a text it refuses leaves the package as it was.

#include "QzExcept.h"
#include "QzPkgVarsText.h"
#include "QzRuntime.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
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
    TQzPkgVars pkg;
    pkg.Add(QStringLiteral("Kept"), TQzPkgVarsItem::vtInteger)->SetVInteger(7);
    const QByteArray before = pkg.ContentBytes();
    try {
        QzPkgVarsFromJson(pkg, input, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        if (pkg.ContentBytes() != before)
            broken("a refused text changed the package");
        return 0;
    }
    const QByteArray json = QzPkgVarsToJson(pkg);
    TQzPkgVars again;
    try {
        QzPkgVarsFromJson(again, json, QStringLiteral("written"));
    } catch (const EQzError&) {
        broken("written JSON does not read");
    }
    if (again.ContentBytes() != pkg.ContentBytes())
        broken("written JSON reads to another package");
    if (QzPkgVarsToJson(again) != json)
        broken("written JSON is not a fixed point");
    QzPkgVarsListing(pkg);
    return 0;
}
