// qzdesigner: the form designer. It loads the design package, opens a project (the example
// project when given none) and shows it; the listing and screenshot switches do their work
// without a window to look at and exit.

#include "QzDesignerHost.h"
#include "QzDesignerReports.h"
#include "QzDesignerWindow.h"
#include "QzDialogShots.h"
#include "QzFormDesigner.h"
#include "QzFormObjects.h"
#include "QzFormPreview.h"
#include "QzProjectFile.h"
#include "QzRuntime.h"
#include "QzUi.h"
#include "SysUtils.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <optional>

namespace {

const char* const Usage =
    "Usage: qzdesigner [OPTIONS] [PROJECT.dpr]\n"
    "\n"
    "Opens PROJECT.dpr (the example project examples/Demo/Demo.dpr when none is given) in the\n"
    "form designer.\n"
    "\n"
    "Options:\n"
    "  --package PATH                the design package to load (default: the\n"
    "                                libdclQzCtrls_19.so in ../lib beside the program)\n"
    "  --list-palette                print the palette pages, each followed by its classes, in\n"
    "                                registration order\n"
    "  --list-editors                print the property editor bindings (type, component\n"
    "                                class, property name, editor class), then the component\n"
    "                                editor bindings, in registration order\n"
    "  --inspect FORMFILE COMPONENT  print each published property of COMPONENT on the form\n"
    "                                as the object inspector shows it: name, text, attributes\n"
    "                                and editor class, separated by tabs\n"
    "  --tree FORMFILE               print the form's objects in owner and parent order, one a\n"
    "                                line: two blanks of indent per level, then NAME: CLASS\n"
    "  --screenshot FILE.png         render the main window with the project's first form open\n"
    "  --form FORMFILE               with --screenshot: show that form of the project instead\n"
    "  --preview                     with --screenshot: render the form's preview instead\n"
    "  --language FILE.lan           with --preview: in that language file's language\n"
    "  --list-dialogs                print the class of every dialog the package can show\n"
    "  --dialog CLASS                with --screenshot: render that dialog instead, opened on\n"
    "                                the project's first fitting subject (exit 2 when the\n"
    "                                package has no such dialog)\n"
    "  --help                        show this text\n"
    "\n"
    "The listing and screenshot switches need no display: they run on the offscreen platform\n"
    "unless QT_QPA_PLATFORM names another.\n"
    "Exit status: 0 on success, 1 when the work failed, 2 for a usage error.\n";

enum class Mode {
    Window,
    ListPalette,
    ListEditors,
    Inspect,
    Tree,
    Screenshot,
    ListDialogs,
    Dialog
};

struct Options {
    Mode Run = Mode::Window;
    bool Help = false;
    QString Package;
    QString Project;
    QString FormFile;
    QString Component;
    QString ScreenshotFile;
    QString DialogClass;
    QString ShotForm;
    bool Preview = false;
    QString Language;
};

struct UsageError {
    QString Message;
};

Options parseArgs(const QStringList& args) {
    Options options;
    auto setMode = [&](Mode mode, const QString& option) {
        if (options.Run != Mode::Window)
            throw UsageError{QStringLiteral("%1 cannot be combined with another listing or "
                                            "screenshot switch")
                                 .arg(option)};
        options.Run = mode;
    };
    auto value = [&](qsizetype& i, const QString& option) {
        if (i + 1 >= args.size())
            throw UsageError{QStringLiteral("%1 needs a value").arg(option)};
        return args[++i];
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            options.Help = true;
        } else if (arg == u"--package") {
            options.Package = value(i, arg);
        } else if (arg == u"--list-palette") {
            setMode(Mode::ListPalette, arg);
        } else if (arg == u"--list-editors") {
            setMode(Mode::ListEditors, arg);
        } else if (arg == u"--inspect") {
            setMode(Mode::Inspect, arg);
            if (i + 2 >= args.size())
                throw UsageError{QStringLiteral("--inspect needs a form file and a component")};
            options.FormFile = args[++i];
            options.Component = args[++i];
        } else if (arg == u"--tree") {
            setMode(Mode::Tree, arg);
            options.FormFile = value(i, arg);
        } else if (arg == u"--form") {
            options.ShotForm = value(i, arg);
        } else if (arg == u"--preview") {
            options.Preview = true;
        } else if (arg == u"--language") {
            options.Language = value(i, arg);
        } else if (arg == u"--screenshot") {
            setMode(Mode::Screenshot, arg);
            options.ScreenshotFile = value(i, arg);
        } else if (arg == u"--list-dialogs") {
            setMode(Mode::ListDialogs, arg);
        } else if (arg == u"--dialog") {
            options.DialogClass = value(i, arg);
        } else if (arg.startsWith(u'-')) {
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        } else if (options.Project.isEmpty()) {
            options.Project = arg;
        } else {
            throw UsageError{QStringLiteral("one project at a time, not also %1").arg(arg)};
        }
    }
    if ((!options.ShotForm.isEmpty() || options.Preview) && options.Run != Mode::Screenshot)
        throw UsageError{QStringLiteral("--form and --preview need --screenshot FILE.png")};
    if (!options.Language.isEmpty() && !options.Preview)
        throw UsageError{QStringLiteral("--language needs --preview")};
    if (!options.DialogClass.isEmpty()) {
        if (options.Run != Mode::Screenshot)
            throw UsageError{QStringLiteral("--dialog needs --screenshot FILE.png")};
        options.Run = Mode::Dialog;
    }
    return options;
}

QString errorText(const std::exception& e) {
    if (auto* exception = dynamic_cast<const Exception*>(&e))
        return exception->Message();
    return QString::fromUtf8(e.what());
}

// The example project: beside the build tree's bin folder, else where the sources were.
QString demoProject() {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {bin.filePath(QStringLiteral("../../examples/Demo/Demo.dpr")),
                                     QStringLiteral(QZ_DEMO_PROJECT)})
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).absoluteFilePath();
    return {};
}

// Nobody is there to answer when the designer runs without a window to look at: messages go
// to standard error and take the answer that changes nothing, dialogs are cancelled.
class TQzConsoleUi : public TQzUiService {
public:
    int ExecDialog(QDialog&) override { return bkCancel; }
    TQzButtonKind Message(const TQzMessageRequest& request) override {
        QTextStream(stderr) << "qzdesigner: " << request.Text << '\n';
        for (TQzButtonKind safe : {bkCancel, bkNo, bkOk})
            if (request.Buttons.contains(safe))
                return safe;
        return request.Buttons.isEmpty() ? bkOk : request.Buttons.first();
    }
    std::optional<QStringList> FileDialog(const TQzFileRequest&) override { return {}; }
    std::optional<QString> FolderDialog(const QString&, const QString&) override { return {}; }
    std::optional<QColor> ColorDialog(const QColor&) override { return {}; }
    std::optional<QFont> FontDialog(const QFont&) override { return {}; }
    bool PrinterDialog(QPrinter&) override { return false; }
    std::optional<TQzFindRequest> FindDialog(const TQzFindRequest&) override { return {}; }
};

// The console UI in place for the run; the previous service comes back after it.
struct TQzConsoleUiScope {
    TQzConsoleUi Ui;
    TQzUiService* Previous = QzSetUi(&Ui);
    TQzConsoleUiScope() = default;
    TQzConsoleUiScope(const TQzConsoleUiScope&) = delete;
    TQzConsoleUiScope& operator=(const TQzConsoleUiScope&) = delete;
    ~TQzConsoleUiScope() { QzSetUi(Previous); }
};

} // namespace

int main(int argc, char* argv[]) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    Options options;
    try {
        options = parseArgs(args);
    } catch (const UsageError& e) {
        err << "qzdesigner: " << e.Message << "\n\n" << Usage;
        return 2;
    }
    if (options.Help) {
        out << Usage;
        return 0;
    }

    const bool headless = options.Run != Mode::Window;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (headless) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        } else if (qEnvironmentVariableIsEmpty("DISPLAY") &&
                   qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            err << "qzdesigner: there is no display to show the designer on (neither DISPLAY "
                   "nor WAYLAND_DISPLAY is set).\n"
                   "Without one it runs headless, for example:\n"
                   "  QT_QPA_PLATFORM=offscreen qzdesigner --screenshot out.png PROJECT.dpr\n";
            return 1;
        }
    }
    QApplication app(argc, argv);
    std::optional<TQzConsoleUiScope> consoleUi;
    if (headless)
        consoleUi.emplace();

    TQzDesignerHost host;
    QzRegisterRuntimeClasses();
    const QString package =
        options.Package.isEmpty()
            ? QDir(QCoreApplication::applicationDirPath())
                  .absoluteFilePath(QStringLiteral("../lib/libdclQzCtrls_19.so"))
            : QFileInfo(options.Package).absoluteFilePath();
    try {
        host.LoadPackage(QDir::cleanPath(package));
    } catch (const std::exception& e) {
        err << "qzdesigner: cannot load the design package " << QDir::cleanPath(package) << ": "
            << errorText(e) << '\n';
        return 1;
    }

    if (options.Run == Mode::ListPalette) {
        out << QzPaletteListing();
        return 0;
    }
    if (options.Run == Mode::ListEditors) {
        out << QzEditorBindingsListing();
        return 0;
    }
    if (options.Run == Mode::ListDialogs) {
        out << QzDialogListing();
        return 0;
    }

    if (options.Run == Mode::Tree) {
        try {
            TQzFormDesigner* designer =
                host.OpenForm(QFileInfo(options.FormFile).absoluteFilePath());
            out << QzFormObjectsListing(
                QzFormObjects(designer->GetRoot(), designer->FormClassName()));
        } catch (const std::exception& e) {
            err << "qzdesigner: " << errorText(e) << '\n';
            return 1;
        }
        return 0;
    }

    const QString project =
        options.Project.isEmpty() ? demoProject() : QFileInfo(options.Project).absoluteFilePath();
    if (project.isEmpty() && headless) {
        err << "qzdesigner: no project given and the example project was not found\n";
        return 1;
    }

    if (options.Run == Mode::Inspect) {
        try {
            host.OpenProject(project);
            const QString formFile = QFileInfo(options.FormFile).absoluteFilePath();
            // The project's other forms hold the application component and packages that the
            // references name; one that cannot be read leaves its references unresolved.
            for (const TQzProjectUnit& unit : host.Project()->Units)
                if (!unit.FormName.isEmpty() && unit.FormFileName() != formFile) {
                    try {
                        host.OpenForm(unit.FileName);
                    } catch (const std::exception& e) {
                        err << "qzdesigner: warning: " << errorText(e) << '\n';
                    }
                }
            TQzFormDesigner* designer = host.OpenForm(formFile);
            TComponent* component = designer->GetComponent(options.Component);
            if (!component) {
                err << "qzdesigner: " << options.FormFile << " has no component "
                    << options.Component << '\n';
                return 1;
            }
            out << QzInspectListing(designer, component);
        } catch (const std::exception& e) {
            err << "qzdesigner: " << errorText(e) << '\n';
            return 1;
        }
        return 0;
    }

    if (options.Run == Mode::Dialog) {
        QStringList messages;
        QString error;
        const TQzDialogShotResult result = QzDialogScreenshot(
            host, project, options.DialogClass, options.ScreenshotFile, messages, error);
        for (const QString& message : messages)
            err << "qzdesigner: " << message << '\n';
        if (result != TQzDialogShotResult::Written) {
            err << "qzdesigner: " << error << '\n';
            return result == TQzDialogShotResult::UnknownClass ? 2 : 1;
        }
        out << "Wrote " << options.ScreenshotFile << '\n';
        return 0;
    }

    TQzDesignerWindow window(&host);
    if (options.Run == Mode::Screenshot) {
        if (!window.OpenProject(project))
            return 1;
        if (!options.ShotForm.isEmpty() &&
            !window.OpenForm(QFileInfo(options.ShotForm).absoluteFilePath()))
            return 1;
        window.show();
        QWidget* shown = &window;
        if (options.Preview) {
            TQzFormPreview* preview = window.PreviewForm();
            if (!preview || (!options.Language.isEmpty() &&
                             !preview->SetLanguage(QFileInfo(options.Language).absoluteFilePath())))
                return 1;
            shown = preview;
        }
        // The window lays itself out and paints from the event loop.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const QPixmap shot = shown->grab();
        try {
            QzWriteScreenshot(shot, options.ScreenshotFile);
        } catch (const std::exception& e) {
            err << "qzdesigner: " << errorText(e) << '\n';
            return 1;
        }
        out << "Wrote " << options.ScreenshotFile << " (" << shot.width() << " x " << shot.height()
            << ")\n";
        return 0;
    }

    window.show();
    if (!project.isEmpty())
        window.OpenProject(project);
    return app.exec();
}
