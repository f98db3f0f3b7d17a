// The binary object stream reader, and the resource wrapper around it, on arbitrary bytes.

#include "FormChecks.h"
#include "ObjectStreams.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        qsizetype pos = 0;
        const TFormObject tree = ReadBinaryForm(QByteArrayView(input), pos);
        if (pos <= 4 || pos > input.size())
            fuzzcheck::broken("binary reader position",
                              QStringLiteral("%1 of %2").arg(pos).arg(size));
        fuzzcheck::checkBinary(tree);
        fuzzcheck::checkText(tree);
        fuzzcheck::checkComponents(tree);
    } catch (const Exception&) {
    }

    try {
        QString name;
        (void)UnwrapResource(input, &name);
        (void)ObjectResourceToText(input);
    } catch (const Exception&) {
    }
    try {
        (void)FormFileToText(input);
    } catch (const Exception&) {
    }
    return 0;
}
