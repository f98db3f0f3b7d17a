#pragma once

// The subcommands of qzpkg share this shape: a name, a one-line summary for the tool's help, a
// full help text and a runner that returns the exit code.

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

std::vector<Command> FormCommands();
