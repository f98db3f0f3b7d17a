#pragma once

// The subcommands of qzpkg share this shape: a name, a one-line summary for the tool's help, a
// full help text and a runner that returns the exit code.

#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

struct CommandContext {
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString Name;
    QString Summary;
    QString Help;
    std::function<int(const QStringList& args, CommandContext& context)> Run;
};

// A usage error: the message is printed with a pointer to --help and the tool exits with 2.
struct UsageError {
    QString Message;
};

// Splits arguments into positional ones, options that take a value ("--name N") and switches
// ("--json"); anything else starting with "--" is a usage error.
struct ParsedArgs {
    QStringList Positional;
    QMap<QString, QStringList> Values;
    QStringList Switches;

    QString value(const QString& option, const QString& fallback = QString()) const {
        return Values.contains(option) ? Values[option].back() : fallback;
    }
    bool has(const QString& option) const { return Switches.contains(option); }
};
ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& switches);

std::vector<Command> FormCommands();
std::vector<Command> PackageCommands();
std::vector<Command> ClassCommands();
std::vector<Command> ManagerCommands();
std::vector<Command> SyncCommands();
std::vector<Command> VarsCommands();
std::vector<Command> TranslationCommands();
