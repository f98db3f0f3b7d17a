#include "Command.h"

#include "FileWrite.h"
#include "ObjectStreams.h"
#include "SysUtils.h"

#include <QFile>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

int convert(const QStringList& args, CommandContext& context, TFormFileFormat to,
            bool outOptional) {
    if (args.size() < (outOptional ? 1 : 2) || args.size() > 2)
        throw UsageError{QStringLiteral("expected %1").arg(outOptional ? "IN [OUT]" : "IN OUT")};
    const QByteArray text = FormFileToText(readFile(args[0]));
    const QByteArray result = to == TFormFileFormat::Text ? text : TextToFormFile(text, to);
    if (args.size() == 1) {
        context.out.flush();
        context.out << QString::fromUtf8(result);
    } else {
        WriteFileAtomic(args[1], result);
    }
    return 0;
}

} // namespace

std::vector<Command> FormCommands() {
    return {
        {QStringLiteral("form-to-text"), QStringLiteral("convert a form file to its text form"),
         QStringLiteral("Usage: qzpkg form-to-text IN [OUT]\n\n"
                        "Reads a form file in any stored format (text, binary object stream or\n"
                        "binary resource) and writes its text form to OUT, or to standard output\n"
                        "when OUT is omitted.\n"),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Text, true);
         }},
        {QStringLiteral("form-to-binary"),
         QStringLiteral("convert a form file to the binary object stream (TPF0)"),
         QStringLiteral("Usage: qzpkg form-to-binary IN OUT\n\n"
                        "Reads a form file in any stored format and writes the binary object\n"
                        "stream, starting with the signature TPF0, to OUT.\n"),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Binary, false);
         }},
        {QStringLiteral("form-to-resource"),
         QStringLiteral("convert a form file to the binary resource form"),
         QStringLiteral("Usage: qzpkg form-to-resource IN OUT\n\n"
                        "Reads a form file in any stored format and writes the binary resource\n"
                        "form to OUT: the resource header (0xFF 0x0A 0x00, the upper-cased root\n"
                        "class name, flags and size) followed by the binary object stream.\n"),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Resource, false);
         }},
    };
}
