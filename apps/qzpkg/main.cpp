// qzpkg: the work on forms and packages that needs no window.

#include "Command.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzPkgFile.h"
#include "QzPkgInfo.h"
#include "SysUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <csignal>
#include <unistd.h>

const char* const ExitCodesHelp =
    "Exit status: 0 done; 1 a file could not be read or written (nothing was changed);\n"
    "2 usage error; 3 findings asked for by --fail-on-unused or --fail-on-missing.\n";

namespace {

// Standard output written straight to its file descriptor, so that a failed write is seen and
// its reason is the system's ("No space left on device").
class TStdout : public QIODevice {
public:
    TStdout() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    // The reason of the first failed write; empty while every write went through.
    const QString& Failure() const { return FFailure; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (!FFailure.isEmpty())
            return -1;
        for (qint64 left = size; left > 0;) {
            const ssize_t written = ::write(STDOUT_FILENO, data, std::size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                FFailure = SysErrorMessage(written < 0 ? errno : ENOSPC);
                setErrorString(QStringLiteral("cannot write to standard output: %1").arg(FFailure));
                return -1;
            }
            data += written;
            left -= written;
        }
        return size;
    }

private:
    QString FFailure;
};

void printUsage(QTextStream& out, const std::vector<Command>& commands) {
    out << "Usage: qzpkg COMMAND [ARGS...]\n"
           "       qzpkg COMMAND --help\n"
           "       qzpkg --version\n\n"
           "Commands:\n";
    for (const Command& c : commands)
        out << "  " << c.Name.leftJustified(18) << c.Summary << '\n';
    out << "\nOptions take their value as \"--name VALUE\" or \"--name=VALUE\". Where a command\n"
           "reads or writes a file, \"-\" stands for standard input or standard output.\n"
           "Messages go to standard error, each naming its file and line; with --json they are\n"
           "also listed in the result.\n\n"
        << ExitCodesHelp;
}

std::vector<Command> allCommands() {
    std::vector<Command> commands = FormCommands();
    for (auto* group : {&PackageCommands, &ClassCommands, &ManagerCommands, &SyncCommands,
                        &VarsCommands, &TranslationCommands})
        for (Command& c : (*group)())
            commands.push_back(std::move(c));
    return commands;
}

int runCommand(const Command& c, const QStringList& args, CommandContext& context) {
    try {
        return c.Run(args, context);
    } catch (const UsageError& e) {
        context.err << "qzpkg " << c.Name << ": " << e.Message << "; see 'qzpkg " << c.Name
                    << " --help'\n";
        return ExitUsage;
    } catch (const Exception& e) {
        context.Report(TCliSeverity::Error, e.File(), e.Line(), e.Message());
        if (args.contains(u"--json"_qs)) {
            context.out << QJsonDocument(QJsonObject{{"messages", context.MessagesJson()}})
                               .toJson(QJsonDocument::Indented);
        }
        return ExitFailed;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// What the commands share

CommandContext::CommandContext(QString command, QTextStream& output, QTextStream& error,
                               QIODevice& outBytes)
    : Command(std::move(command)), out(output), err(error), FOutBytes(outBytes) {}

QIODevice& CommandContext::OutBytes() {
    out.flush();
    return FOutBytes;
}

QString CommandContext::Shown(const QString& file) {
    if (file.isEmpty() || file == u"-")
        return file;
    const QString relative = QDir::current().relativeFilePath(file);
    return relative.startsWith(u"..") ? QDir::cleanPath(file) : relative;
}

void CommandContext::Report(const TCliMessage& message) {
    FMessages << message;
    out.flush();
    err << "qzpkg " << Command << ": ";
    if (!message.File.isEmpty()) {
        err << Shown(message.File);
        if (message.Line > 0)
            err << ':' << message.Line;
        err << ": ";
    }
    if (message.Severity == TCliSeverity::Warning)
        err << "warning: ";
    else if (message.Severity == TCliSeverity::Note)
        err << "note: ";
    err << message.Text << '\n';
    err.flush();
}

void CommandContext::Report(TCliSeverity severity, const QString& file, int line,
                            const QString& text) {
    Report(TCliMessage{severity, file, line, text});
}

int CommandContext::Errors() const {
    return int(std::count_if(FMessages.begin(), FMessages.end(), [](const TCliMessage& m) {
        return m.Severity == TCliSeverity::Error;
    }));
}

QJsonArray CommandContext::MessagesJson() const {
    static const char* const severities[] = {"error", "warning", "note"};
    QJsonArray messages;
    for (const TCliMessage& m : FMessages)
        messages << QJsonObject{
            {"file", m.File.isEmpty() ? QJsonValue() : QJsonValue(Shown(m.File))},
            {"line", m.Line > 0 ? QJsonValue(m.Line) : QJsonValue()},
            {"severity", severities[int(m.Severity)]},
            {"text", m.Text}};
    return messages;
}

void ParsedArgs::expectPositional(int min, int max, const char* names) const {
    if (Positional.size() > max && Positional.size() > 0)
        throw UsageError{QStringLiteral("unexpected argument '%1'; expected %2")
                             .arg(Positional[max], QLatin1String(names))};
    if (Positional.size() < min)
        throw UsageError{QStringLiteral("expected %1").arg(QLatin1String(names))};
}

ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& switches) {
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const qsizetype equals = a.startsWith(u"--") ? a.indexOf(u'=') : -1;
        const QString name = equals > 0 ? a.left(equals) : a;
        if (valueOptions.contains(name)) {
            if (equals > 0)
                parsed.Values[name].push_back(a.mid(equals + 1));
            else if (i + 1 < args.size())
                parsed.Values[name].push_back(args[++i]);
            else
                throw UsageError{QStringLiteral("%1 needs a value").arg(name)};
        } else if (switches.contains(name)) {
            if (equals > 0)
                throw UsageError{QStringLiteral("%1 takes no value").arg(name)};
            parsed.Switches.push_back(name);
        } else if (a.startsWith(u'-') && a != u"-" && !a[1].isDigit() && a[1] != u'.') {
            // "-" is standard input or output, and "-1" a negative number.
            throw UsageError{QStringLiteral("unknown option %1").arg(name)};
        } else {
            parsed.Positional.push_back(a);
        }
    }
    return parsed;
}

QByteArray ReadInput(const QString& name) {
    QFile file;
    const bool opened = name == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                     : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        EStreamError error(
            QStringLiteral("Cannot read %1: %2")
                .arg(name == u"-" ? QStringLiteral("standard input") : name, file.errorString()));
        error.SetFile(name);
        throw error;
    }
    return bytes;
}

std::unique_ptr<TQzPkgInfo> PackageFromBytes(QByteArray bytes, const QString& name) {
    const TQzPkgFileContents contents = QzParsePkgFile(std::move(bytes), name);
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(contents.Header.Kind));
    try {
        pkg->SetContentBytes(contents.Content);
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read package file \"%1\": its content is unreadable: %2")
                     .arg(name, e.Message()));
    }
    pkg->SetDescription(contents.Header.Description);
    pkg->SetPkgName(contents.Header.Name);
    return pkg;
}

std::unique_ptr<TQzPkgInfo> ReadPackage(const QString& name) {
    return PackageFromBytes(ReadInput(name), name);
}

void WriteOutput(CommandContext& context, const QString& name, QByteArrayView bytes) {
    if (name != u"-") {
        WriteFileAtomic(name, bytes);
        return;
    }
    QIODevice& out = context.OutBytes();
    if (out.write(bytes.data(), bytes.size()) != bytes.size()) {
        EFileWriteError error(QStringLiteral("Cannot write to standard output: %1")
                                  .arg(static_cast<TStdout&>(out).Failure()));
        error.SetFile(name);
        throw error;
    }
}

bool SameFile(const QString& a, const QString& b) {
    if (a == u"-" || b == u"-")
        return false;
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

void ExpectChangedInPlace(const QString& file) {
    if (file == u"-")
        throw UsageError{
            QStringLiteral("'-' cannot stand for a file that is changed in place; name the file")};
}

int main(int argc, char* argv[]) {
    // A file size limit makes a write fail with EFBIG, reported like any other failed write.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    TStdout stdoutDevice;
    QTextStream out(&stdoutDevice);
    QTextStream err(stderr);

    const std::vector<Command> commands = allCommands();
    QStringList args = app.arguments().mid(1);
    int code = ExitDone;
    QString name = QStringLiteral("qzpkg");
    if (args.isEmpty()) {
        printUsage(err, commands);
        code = ExitUsage;
    } else if (args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help") {
        printUsage(out, commands);
    } else if (args[0] == u"--version") {
        out << "qzpkg " << QZPKG_VERSION << '\n';
    } else {
        name = args.takeFirst();
        const auto c = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& command) { return command.Name == name; });
        if (c == commands.end()) {
            err << "qzpkg: unknown command '" << name << "'\n\n";
            printUsage(err, commands);
            code = ExitUsage;
        } else if (args.contains(u"--help"_qs) || args.contains(u"-h"_qs)) {
            out << c->Help << '\n' << ExitCodesHelp;
        } else {
            CommandContext context(name, out, err, stdoutDevice);
            code = runCommand(*c, args, context);
        }
    }
    out.flush();
    // A command that failed on its output has said so already.
    if (!stdoutDevice.Failure().isEmpty() && (code == ExitDone || code == ExitFindings)) {
        err << (name == u"qzpkg" ? name : QStringLiteral("qzpkg ") + name)
            << ": cannot write to standard output: " << stdoutDevice.Failure() << '\n';
        return ExitFailed;
    }
    return code;
}
