#pragma once

// The subcommands of qzpkg share this shape: a name, a one-line summary for the tool's help, a
// full help text and a runner that returns the exit code. What every command keeps to lives here
// and in main.cpp, so that scripts can rely on it: the exit codes, how arguments are read, "-"
// for standard input and output, and messages that name their file and line, printed to
// standard error and, with --json, listed as objects in the result.

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TQzPkgInfo;

// The exit codes of every command.
enum TQzpkgExit : int {
    ExitDone = 0,     // done
    ExitFailed = 1,   // a file could not be read or written; nothing was changed
    ExitUsage = 2,    // a usage error
    ExitFindings = 3, // findings asked for by --fail-on-unused or --fail-on-missing
};

// The exit codes as the help texts and the README give them.
extern const char* const ExitCodesHelp;

enum class TCliSeverity { Error, Warning, Note };

struct TCliMessage {
    TCliSeverity Severity = TCliSeverity::Error;
    QString File; // empty when the message concerns no file
    int Line = 0; // counted from 1; 0 when there is none
    QString Text;
};

class CommandContext {
public:
    CommandContext(QString command, QTextStream& out, QTextStream& err, QIODevice& outBytes);

    const QString Command;
    QTextStream& out;
    QTextStream& err;
    // Standard output for bytes (a form written to "-"); what went to `out` is flushed first.
    QIODevice& OutBytes();

    // Prints "qzpkg COMMAND: FILE:LINE: TEXT" to standard error and keeps the message for
    // MessagesJson. Warnings and notes say so.
    void Report(const TCliMessage& message);
    void Report(TCliSeverity severity, const QString& file, int line, const QString& text);
    int Errors() const;
    // Every message reported: objects of file, line, severity and text (file and line are null
    // where there is none).
    QJsonArray MessagesJson() const;
    // The file shown in messages: relative to the current folder when it lies below it.
    static QString Shown(const QString& file);

private:
    QIODevice& FOutBytes;
    QList<TCliMessage> FMessages;
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

// Arguments split into positional ones, options that take a value ("--name N" or "--name=N")
// and switches ("--json"). Any other argument that starts with "-" is a usage error; "-" alone is
// positional: standard input or output.
struct ParsedArgs {
    QStringList Positional;
    QMap<QString, QStringList> Values;
    QStringList Switches;

    QString value(const QString& option, const QString& fallback = QString()) const {
        return Values.contains(option) ? Values[option].back() : fallback;
    }
    bool has(const QString& option) const { return Switches.contains(option); }
    // Raises a usage error unless there are `min` to `max` positional arguments; `names` is what
    // they are ("IN [OUT]").
    void expectPositional(int min, int max, const char* names) const;
};
ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& switches);

// The bytes of the file `name`, or of standard input for "-". Raises EStreamError naming it.
QByteArray ReadInput(const QString& name);
// The package file held in `bytes` of the file `name`, checked and read whole, with the name and
// description it was saved with.
std::unique_ptr<TQzPkgInfo> PackageFromBytes(QByteArray bytes, const QString& name);
// The same for the file `name`, or standard input for "-".
std::unique_ptr<TQzPkgInfo> ReadPackage(const QString& name);
// Writes `bytes` to the file `name` whole or not at all (WriteFileAtomic), or to standard output
// for "-".
void WriteOutput(CommandContext& context, const QString& name, QByteArrayView bytes);
// Whether two names are the same file (through links and relative paths too).
bool SameFile(const QString& a, const QString& b);
// Raises a usage error for "-" as a file that the command rewrites in place.
void ExpectChangedInPlace(const QString& file);

std::vector<Command> FormCommands();
std::vector<Command> PackageCommands();
std::vector<Command> ClassCommands();
std::vector<Command> ManagerCommands();
std::vector<Command> SyncCommands();
std::vector<Command> VarsCommands();
std::vector<Command> TranslationCommands();
