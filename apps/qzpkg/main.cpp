// qzpkg: the work on forms and packages that needs no window.

#include "Command.h"

#include "SysUtils.h"

#include <QCoreApplication>

namespace {

void printUsage(QTextStream& out, const std::vector<Command>& commands) {
    out << "Usage: qzpkg COMMAND [ARGS...]\n"
           "       qzpkg COMMAND --help\n\n"
           "Commands:\n";
    for (const Command& c : commands)
        out << "  " << c.Name.leftJustified(18) << c.Summary << '\n';
    out << "\nExit status: 0 on success, 1 when the work failed, 2 for a usage error.\n";
}

} // namespace

ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& switches) {
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (valueOptions.contains(a)) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("%1 needs a value").arg(a)};
            parsed.Values[a].push_back(args[++i]);
        } else if (switches.contains(a)) {
            parsed.Switches.push_back(a);
        } else if (a.startsWith(u"--")) {
            throw UsageError{QStringLiteral("unknown option %1").arg(a)};
        } else {
            parsed.Positional.push_back(a);
        }
    }
    return parsed;
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandContext context{out, err};

    std::vector<Command> commands = FormCommands();
    for (Command& c : PackageCommands())
        commands.push_back(std::move(c));
    for (Command& c : ClassCommands())
        commands.push_back(std::move(c));
    for (Command& c : ManagerCommands())
        commands.push_back(std::move(c));
    for (Command& c : SyncCommands())
        commands.push_back(std::move(c));
    for (Command& c : VarsCommands())
        commands.push_back(std::move(c));
    for (Command& c : TranslationCommands())
        commands.push_back(std::move(c));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help") {
        printUsage(args.isEmpty() ? err : out, commands);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const Command& c : commands) {
        if (c.Name != name)
            continue;
        if (args.contains(u"--help"_qs) || args.contains(u"-h"_qs)) {
            out << c.Help;
            return 0;
        }
        try {
            return c.Run(args, context);
        } catch (const UsageError& e) {
            err << "qzpkg " << name << ": " << e.Message << "; see 'qzpkg " << name << " --help'\n";
            return 2;
        } catch (const Exception& e) {
            out.flush();
            err << "qzpkg " << name << ": " << e.Message() << '\n';
            return 1;
        }
    }
    err << "qzpkg: unknown command '" << name << "'\n\n";
    printUsage(err, commands);
    return 2;
}
