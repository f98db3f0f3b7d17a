#include "Command.h"

#include "FileWrite.h"
#include "ObjectStreams.h"
#include "SysUtils.h"

#include <QFile>
#include <memory>

namespace {

const char* const ReadingHelp =
    "IN may be stored in any form: text, the binary object stream (TPF0) or the binary\n"
    "resource. A text form is read as UTF-8 when its bytes are valid UTF-8 (after an optional\n"
    "byte order mark), else as the 8-bit code page Windows-1252, as other tools write forms;\n"
    "every byte is kept either way. Bytes after the root object are an error, not dropped.\n"
    "The text form is written in plain ASCII, other characters as #nnn codes. The form is\n"
    "converted as it is read, so that memory does not grow with its size; OUT is replaced\n"
    "only once all of it was written. \"-\" stands for standard input (IN, read whole first)\n"
    "or standard output (OUT).\n";

// The form goes from IN to OUT as it is read, never held whole; OUT is replaced only once all of
// it was written.
int convert(const QStringList& raw, CommandContext& context, TFormFileFormat to) {
    const ParsedArgs args = ParseArgs(raw, {}, {});
    const bool outOptional = to == TFormFileFormat::Text;
    args.expectPositional(outOptional ? 1 : 2, 2, outOptional ? "IN [OUT]" : "IN OUT");
    const QString in = args.Positional[0];
    const QString out = args.Positional.value(1, QStringLiteral("-"));
    if (SameFile(in, out))
        throw UsageError{QStringLiteral("OUT is IN; write the result to another file")};
    QFile input;
    const bool opened = in == u"-" ? input.open(stdin, QIODevice::ReadOnly)
                                   : (input.setFileName(in), input.open(QIODevice::ReadOnly));
    if (!opened) {
        EStreamError error(QStringLiteral("Cannot read %1: %2").arg(in, input.errorString()));
        error.SetFile(in);
        throw error;
    }
    std::unique_ptr<TAtomicFile> file;
    if (out != u"-")
        file = std::make_unique<TAtomicFile>(out);
    try {
        ConvertFormFile(input, file ? *file : context.OutBytes(), to);
    } catch (Exception& e) {
        if (e.File().isEmpty())
            e.SetFile(in);
        throw;
    }
    if (file)
        file->Commit();
    return ExitDone;
}

} // namespace

std::vector<Command> FormCommands() {
    return {
        {QStringLiteral("form-to-text"), QStringLiteral("convert a form file to its text form"),
         QStringLiteral("Usage: qzpkg form-to-text IN [OUT]\n\n"
                        "Writes the text form of the form file IN to OUT, or to standard output\n"
                        "when OUT is omitted.\n\n") +
             QLatin1String(ReadingHelp),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Text);
         }},
        {QStringLiteral("form-to-binary"),
         QStringLiteral("convert a form file to the binary object stream (TPF0)"),
         QStringLiteral("Usage: qzpkg form-to-binary IN OUT\n\n"
                        "Writes the binary object stream of the form file IN, starting with the\n"
                        "signature TPF0, to OUT.\n\n") +
             QLatin1String(ReadingHelp),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Binary);
         }},
        {QStringLiteral("form-to-resource"),
         QStringLiteral("convert a form file to the binary resource form"),
         QStringLiteral("Usage: qzpkg form-to-resource IN OUT\n\n"
                        "Writes the binary resource form of the form file IN to OUT: the\n"
                        "resource header (0xFF 0x0A 0x00, the upper-cased root class name, flags\n"
                        "and size) followed by the binary object stream.\n\n") +
             QLatin1String(ReadingHelp),
         [](const QStringList& args, CommandContext& c) {
             return convert(args, c, TFormFileFormat::Resource);
         }},
    };
}
