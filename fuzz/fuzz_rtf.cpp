// The rich text reader on arbitrary bytes: whatever document it makes writes as rich text that
// reads back to the same document, and writing that again gives the same bytes.

#include "QzExcept.h"
#include "RtfOutline.h"
#include "controls/QzRtf.h"

#include <QGuiApplication>
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

// Documents measure their fonts and pictures through the GUI part of Qt.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument first;
    try {
        QzRtfRead(input, first);
    } catch (const EQzError&) {
        if (QzIsRtf(input))
            broken("rich text was refused");
        return 0;
    }
    const QByteArray written = QzRtfWrite(first);
    QTextDocument second;
    try {
        QzRtfRead(written, second);
    } catch (const EQzError&) {
        broken("what the writer wrote was refused");
    }
    if (RtfOutline(first) != RtfOutline(second)) {
        std::fprintf(stderr, "first:\n%s\nsecond:\n%s\n", qPrintable(RtfOutline(first)),
                     qPrintable(RtfOutline(second)));
        broken("the document changed on its way through the writer");
    }
    if (QzRtfWrite(second) != written)
        broken("writing the document read back gave other bytes");
    return 0;
}
