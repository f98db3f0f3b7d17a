// The form text parser on arbitrary bytes.

#include "FormChecks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const TFormObject tree =
            ReadTextForm(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
        fuzzcheck::checkBinary(tree);
        fuzzcheck::checkText(tree);
        fuzzcheck::checkComponents(tree);
    } catch (const Exception&) {
    }
    return 0;
}
