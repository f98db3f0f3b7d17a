#pragma once

// The package file dialogs of the package editors. TFrPkgLoadSave loads a package from, or saves
// it to, a package file of the application folder, with its storage kind, description and, for
// privileges, display and language packages, the access key or last update file; it asks before
// replacing what is in memory or overwriting a file, and a file it cannot read or write changes
// nothing. TFrOpenFiles is a bare chooser of one file of a folder.

#include "QzDialog.h"

#include <memory>
#include <optional>

namespace Ui {
class TFrPkgLoadSave;
class TFrOpenFiles;
} // namespace Ui
class TQzPkgInfo;

class TFrPkgLoadSave : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrPkgLoadSave(QWidget* parent = nullptr);
    ~TFrPkgLoadSave() override;

    // Set by the caller before Execute: the package, load (true) or save, and whether the
    // storage kind is left out.
    TQzPkgInfo* Pkg = nullptr;
    bool Load = true;
    bool NoInitMode = false;

    // 1 when the package was loaded or saved, 2 otherwise.
    int Execute();
    // The caption for the package's kind and the direction.
    QString GetTitle() const;
    // The full name of the file loaded or saved.
    const QString& FileName() const { return FFileName; }

    void FileListChange();
    void BtSearchClick();
    // OK: reaches the load or the save, or keeps the dialog open (FormCloseQuery).
    void accept() override;

private:
    bool loadFile(const QString& name);
    bool saveFile(const QString& name);
    bool hasKeyRow() const;

    std::unique_ptr<Ui::TFrPkgLoadSave> FUi;
    QString FFileName;
};

class TFrOpenFiles : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrOpenFiles(QWidget* parent = nullptr);
    ~TFrOpenFiles() override;

    // The folder listed and the mask of its files ("*.lan"); set before Execute.
    void SetFolder(const QString& folder, const QString& mask);
    int Execute();
    // The full name of the file chosen; empty when none.
    const QString& FileName() const { return FFileName; }

    void FileListChange();

private:
    std::unique_ptr<Ui::TFrOpenFiles> FUi;
    QString FFolder;
    QString FFileName;
};

// A chosen last update file: its bare name when it lies in the installed packages folder, else
// the full path.
QString QzLastUpdateName(const QString& fileName);
// Chooses a last update file through the UI service; none when cancelled.
std::optional<QString> QzChooseLastUpdateFile(const QString& filter, const QString& current);
