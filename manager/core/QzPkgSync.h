#pragma once

// The package synchronizer's work, without a window: brings one package into line with another
// of the same kind (images, strings, display, language) by item key only (the id, or the name of
// a display set). Items only the target has may be deleted, items only the source has may be
// added as copies; an item both sides have is never changed. The synchronizer dialog and
// `qzpkg sync` both run it.
//
// From a file: the file is read whole into a package of the edited package's class before the
// edited package changes. To a file: the file is read whole, merged in memory and written back
// through a temporary file, so a file that cannot be read or written is left as it was.

#include "QzPkgFile.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class TQzPkgInfo;

struct TQzSyncOptions {
    // "Add new items": items only the source has are copied into the target.
    bool AddItems = false;
    // "Delete nonexistent items": items the source lacks are deleted from the target.
    bool DeleteItems = false;
    // Display and language packages: their "System" and "User" images or strings.
    bool SyncSystem = false;
    bool SyncUser = false;
    // Display packages: the font, colour and background sets.
    bool SyncSets = false;
};

// One item added to or deleted from a target list.
struct TQzSyncChange {
    // The list: "labels", "System messages", "font sets", ...
    QString List;
    // The id, or the set's name.
    QString Key;
    bool Added = false;
};

struct TQzSyncReport {
    QList<TQzSyncChange> Changes;
    int AddedCount() const;
    int DeletedCount() const;
};

// Told about the item walk of a merge, for a progress bar.
class IQzSyncProgress {
public:
    virtual ~IQzSyncProgress();
    // A merge is about to take `steps` steps.
    virtual void SyncStart(int steps) = 0;
    virtual void SyncStep() = 0;
};

// Whether the synchronizer handles packages of `kind`.
bool QzSyncHandlesKind(TQzPkgKind kind);
// The extension of the kind's files with its point (".pst"), the file mask ("*.pst") and the
// file-dialog filter ("Package Strings (*.pst)|*.pst") for `pkg`.
QString QzSyncExtension(const TQzPkgInfo& pkg);
QString QzSyncMask(const TQzPkgInfo& pkg);
QString QzSyncFilter(const TQzPkgInfo& pkg);

// Merges `source` into `target`, two packages of one kind. Raises EQzError for packages of
// different or unhandled kinds, before anything changes.
TQzSyncReport QzSyncPackages(const TQzPkgInfo& source, TQzPkgInfo& target,
                             const TQzSyncOptions& options, IQzSyncProgress* progress = nullptr);

// The package in `fileName`, read whole into a fresh package of its kind that no form owns (so
// the designer never sees it); `kind`, when given, is the kind it must hold. Raises EQzError
// naming the file when it cannot be read or holds another kind.
std::unique_ptr<TQzPkgInfo> QzSyncLoadFile(const QString& fileName,
                                           std::optional<TQzPkgKind> kind = std::nullopt);

// "Synchronize from": `pkg` is brought into line with the package in `fileName`. Raises
// EQzError, with `pkg` unchanged, when the file cannot be read.
TQzSyncReport QzSyncFromFile(TQzPkgInfo& pkg, const QString& fileName,
                             const TQzSyncOptions& options, IQzSyncProgress* progress = nullptr);
// Raises EQzError when `fileName` exists but its owner may not write it: a save would replace it
// all the same.
void QzSyncRequireWritable(const QString& fileName);
// "Synchronize to": the package in `fileName` is brought into line with `pkg` and written back
// (not with `dryRun`). Raises EQzError, with the file unchanged, when it cannot be read or
// written.
TQzSyncReport QzSyncToFile(const TQzPkgInfo& pkg, const QString& fileName,
                           const TQzSyncOptions& options, bool dryRun = false,
                           IQzSyncProgress* progress = nullptr);
