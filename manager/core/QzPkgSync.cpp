#include "manager/core/QzPkgSync.h"

#include "QzExcept.h"
#include "QzPaths.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

IQzSyncProgress::~IQzSyncProgress() = default;

int TQzSyncReport::AddedCount() const {
    return int(std::count_if(Changes.begin(), Changes.end(),
                             [](const TQzSyncChange& c) { return c.Added; }));
}

int TQzSyncReport::DeletedCount() const {
    return int(Changes.size()) - AddedCount();
}

namespace {

// One list to merge: how its items are keyed, found in the other side and copied.
struct TListPair {
    QString Name;
    const TCollection* Source;
    TCollection* Target;
    std::function<QString(const TCollectionItem*)> Key;
    // Whether the list holds an item of that key, through the list's id index; none for sets,
    // which are looked up by name (TSetIndex).
    std::function<bool(const TCollection*, const TCollectionItem*)> Holds;
    // Adds a copy of the source item to the target list.
    std::function<void(TCollection*, const TCollectionItem*)> Copy;
};

// Lists keyed by id look the other side up through its id index.
template <typename List, typename Item>
TListPair idPair(const QString& name, const List* source, List* target,
                 std::function<void(List*, const Item*)> copy) {
    TListPair pair;
    pair.Name = name;
    pair.Source = source;
    pair.Target = target;
    pair.Key = [](const TCollectionItem* item) {
        return QString::number(static_cast<const TQzPkgItem*>(item)->Id());
    };
    pair.Holds = [](const TCollection* list, const TCollectionItem* item) {
        return static_cast<const List*>(list)->FindId(static_cast<const TQzPkgItem*>(item)->Id()) !=
               nullptr;
    };
    pair.Copy = [copy](TCollection* list, const TCollectionItem* item) {
        copy(static_cast<List*>(list), static_cast<const Item*>(item));
    };
    return pair;
}

void addStringsPairs(const QString& prefix, const TQzPkgStrings* source, TQzPkgStrings* target,
                     std::vector<TListPair>& pairs) {
    pairs.push_back(idPair<TQzPkgStringsLabels, TQzPkgStringsLabel>(
        prefix + QStringLiteral("labels"), source->Labels(), target->Labels(),
        [](TQzPkgStringsLabels* list, const TQzPkgStringsLabel* label) {
            list->Add(label->Id(), label->Text(), label->Hint());
        }));
    const auto copyText = [](TQzPkgStringsTexts* list, const TQzPkgStringsText* text) {
        list->Add(text->Id(), text->Text());
    };
    pairs.push_back(idPair<TQzPkgStringsTexts, TQzPkgStringsText>(
        prefix + QStringLiteral("messages"), source->Messages(), target->Messages(), copyText));
    pairs.push_back(idPair<TQzPkgStringsTexts, TQzPkgStringsText>(
        prefix + QStringLiteral("texts"), source->Texts(), target->Texts(), copyText));
}

void addImagesPair(const QString& prefix, const TQzPkgImages* source, TQzPkgImages* target,
                   std::vector<TListPair>& pairs) {
    pairs.push_back(idPair<TQzPkgImagesImages, TQzPkgImagesImage>(
        prefix + QStringLiteral("images"), source->Images(), target->Images(),
        [](TQzPkgImagesImages* list, const TQzPkgImagesImage* image) {
            list->Add(image->Id())->Assign(image);
        }));
}

// Sets are found by name ignoring case; a copy takes every value of the set.
template <typename Sets>
void addSetsPair(const QString& name, const Sets* source, Sets* target,
                 std::vector<TListPair>& pairs) {
    TListPair pair;
    pair.Name = name;
    pair.Source = source;
    pair.Target = target;
    pair.Key = [](const TCollectionItem* item) {
        return static_cast<const TQzPkgDisplaySet*>(item)->Name();
    };
    pair.Copy = [](TCollection* list, const TCollectionItem* item) {
        const auto* set = static_cast<const TQzPkgDisplaySet*>(item);
        static_cast<Sets*>(list)->Add(set->Name())->Assign(set);
    };
    pairs.push_back(std::move(pair));
}

// Sets lists are searched one by one; an index by folded name keeps a large list linear.
class TSetIndex {
public:
    explicit TSetIndex(const TCollection* list) {
        for (int i = 0; i < list->Count(); ++i)
            FNames.insert(
                static_cast<const TQzPkgDisplaySet*>(list->Items(i))->Name().toCaseFolded());
    }
    bool Holds(const QString& name) const { return FNames.contains(name.toCaseFolded()); }

private:
    QSet<QString> FNames;
};

std::vector<TListPair> listPairs(const TQzPkgInfo& source, TQzPkgInfo& target,
                                 const TQzSyncOptions& options) {
    if (source.Kind() != target.Kind())
        QzExcept(
            QStringLiteral("Cannot synchronize %1 with %2")
                .arg(QzPkgKindWithArticle(target.Kind()), QzPkgKindWithArticle(source.Kind())));
    if (!QzSyncHandlesKind(target.Kind()))
        QzExcept(
            QStringLiteral("%1 packages cannot be synchronized").arg(QzPkgKindName(target.Kind())));
    std::vector<TListPair> pairs;
    switch (target.Kind()) {
    case TQzPkgKind::Images:
        addImagesPair(QString(), static_cast<const TQzPkgImages*>(&source),
                      static_cast<TQzPkgImages*>(&target), pairs);
        break;
    case TQzPkgKind::Strings:
        addStringsPairs(QString(), static_cast<const TQzPkgStrings*>(&source),
                        static_cast<TQzPkgStrings*>(&target), pairs);
        break;
    case TQzPkgKind::Display: {
        const auto& s = static_cast<const TQzPkgDisplay&>(source);
        auto& t = static_cast<TQzPkgDisplay&>(target);
        if (options.SyncSystem)
            addImagesPair(QStringLiteral("System "), s.SystemImages(), t.SystemImages(), pairs);
        if (options.SyncUser)
            addImagesPair(QStringLiteral("User "), s.UserImages(), t.UserImages(), pairs);
        if (options.SyncSets) {
            addSetsPair(QStringLiteral("font sets"), s.SetsFont(), t.SetsFont(), pairs);
            addSetsPair(QStringLiteral("colour sets"), s.SetsColor(), t.SetsColor(), pairs);
            addSetsPair(QStringLiteral("background sets"), s.SetsBackGround(), t.SetsBackGround(),
                        pairs);
        }
        break;
    }
    case TQzPkgKind::Language: {
        const auto& s = static_cast<const TQzPkgLanguage&>(source);
        auto& t = static_cast<TQzPkgLanguage&>(target);
        if (options.SyncSystem)
            addStringsPairs(QStringLiteral("System "), s.SystemStrings(), t.SystemStrings(), pairs);
        if (options.SyncUser)
            addStringsPairs(QStringLiteral("User "), s.UserStrings(), t.UserStrings(), pairs);
        break;
    }
    default:
        break;
    }
    return pairs;
}

// Deletes the target's items whose key the source lacks. Freeing items one by one from the
// middle of a large list shifts the list each time; detaching them all from its end and taking
// the survivors back in order keeps the work linear and the survivors untouched.
void deleteMissing(const TListPair& pair, TQzSyncReport& report, IQzSyncProgress* progress) {
    TCollection* target = pair.Target;
    std::optional<TSetIndex> setIndex;
    if (!pair.Holds)
        setIndex.emplace(pair.Source);
    const auto sourceHolds = [&](const TCollectionItem* item) {
        return setIndex ? setIndex->Holds(pair.Key(item)) : pair.Holds(pair.Source, item);
    };
    std::vector<TCollectionItem*> items(std::size_t(target->Count()));
    std::vector<bool> doomed(items.size());
    bool any = false;
    for (int i = 0; i < target->Count(); ++i) {
        items[std::size_t(i)] = target->Items(i);
        doomed[std::size_t(i)] = !sourceHolds(items[std::size_t(i)]);
        any = any || doomed[std::size_t(i)];
        if (progress)
            progress->SyncStep();
    }
    if (!any)
        return;
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        (*it)->SetCollection(nullptr);
    for (std::size_t i = 0; i < items.size(); ++i) {
        // Back in the list first, so that freeing it takes it out of the list's id index too.
        items[i]->SetCollection(target);
        if (doomed[i]) {
            report.Changes.push_back({pair.Name, pair.Key(items[i]), false});
            delete items[i];
        }
    }
}

void addMissing(const TListPair& pair, TQzSyncReport& report, IQzSyncProgress* progress) {
    std::optional<TSetIndex> setIndex;
    if (!pair.Holds)
        setIndex.emplace(pair.Target);
    const TCollection* source = pair.Source;
    for (int i = 0; i < source->Count(); ++i) {
        const TCollectionItem* item = source->Items(i);
        const bool held =
            setIndex ? setIndex->Holds(pair.Key(item)) : pair.Holds(pair.Target, item);
        if (!held) {
            pair.Copy(pair.Target, item);
            report.Changes.push_back({pair.Name, pair.Key(item), true});
        }
        if (progress)
            progress->SyncStep();
    }
}

} // namespace

bool QzSyncHandlesKind(TQzPkgKind kind) {
    return kind == TQzPkgKind::Images || kind == TQzPkgKind::Strings ||
           kind == TQzPkgKind::Display || kind == TQzPkgKind::Language;
}

QString QzSyncExtension(const TQzPkgInfo& pkg) {
    return QzAddPointExt(pkg.DefaultExt());
}

QString QzSyncMask(const TQzPkgInfo& pkg) {
    return u'*' + QzSyncExtension(pkg);
}

QString QzSyncFilter(const TQzPkgInfo& pkg) {
    QString name;
    switch (pkg.Kind()) {
    case TQzPkgKind::Images:
        name = QStringLiteral("Package Images");
        break;
    case TQzPkgKind::Display:
        name = QStringLiteral("Package Display");
        break;
    case TQzPkgKind::Language:
        name = QStringLiteral("Package Language");
        break;
    default:
        name = QStringLiteral("Package Strings");
        break;
    }
    const QString mask = QzSyncMask(pkg);
    return QStringLiteral("%1 (%2)|%2").arg(name, mask);
}

TQzSyncReport QzSyncPackages(const TQzPkgInfo& source, TQzPkgInfo& target,
                             const TQzSyncOptions& options, IQzSyncProgress* progress) {
    const std::vector<TListPair> pairs = listPairs(source, target, options);
    if (progress) {
        int steps = 0;
        for (const TListPair& pair : pairs)
            steps += (options.DeleteItems ? pair.Target->Count() : 0) +
                     (options.AddItems ? pair.Source->Count() : 0);
        progress->SyncStart(steps);
    }
    TQzSyncReport report;
    for (const TListPair& pair : pairs) {
        if (options.DeleteItems)
            deleteMissing(pair, report, progress);
        if (options.AddItems)
            addMissing(pair, report, progress);
    }
    return report;
}

std::unique_ptr<TQzPkgInfo> QzSyncLoadFile(const QString& fileName,
                                           std::optional<TQzPkgKind> kind) {
    const QFileInfo info(fileName);
    if (!info.exists())
        QzExcept(QStringLiteral("The package file \"%1\" does not exist").arg(fileName));
    if (!info.isFile())
        QzExcept(QStringLiteral("\"%1\" is not a package file but a folder").arg(fileName));
    const TQzPkgFileHeader header = QzReadPkgFileHeader(fileName);
    if (kind && header.Kind != *kind)
        QzExcept(
            QStringLiteral("\"%1\" holds %2, not %3")
                .arg(fileName, QzPkgKindWithArticle(header.Kind), QzPkgKindWithArticle(*kind)));
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(header.Kind));
    pkg->LoadFromFile(fileName);
    // Written back under the name it was saved with.
    pkg->SetPkgName(header.Name);
    return pkg;
}

TQzSyncReport QzSyncFromFile(TQzPkgInfo& pkg, const QString& fileName,
                             const TQzSyncOptions& options, IQzSyncProgress* progress) {
    const std::unique_ptr<TQzPkgInfo> source = QzSyncLoadFile(fileName, pkg.Kind());
    return QzSyncPackages(*source, pkg, options, progress);
}

// A write goes to a new file renamed over the old one, which a read-only file would not stop.
void QzSyncRequireWritable(const QString& fileName) {
    if (QFileInfo(fileName).exists() && !QFileInfo(fileName).isWritable())
        QzExcept(QStringLiteral("Cannot write \"%1\": the file is read-only").arg(fileName));
}

TQzSyncReport QzSyncToFile(const TQzPkgInfo& pkg, const QString& fileName,
                           const TQzSyncOptions& options, bool dryRun, IQzSyncProgress* progress) {
    const std::unique_ptr<TQzPkgInfo> target = QzSyncLoadFile(fileName, pkg.Kind());
    if (!dryRun)
        QzSyncRequireWritable(fileName);
    TQzSyncReport report = QzSyncPackages(pkg, *target, options, progress);
    if (!dryRun)
        target->SaveToFile(fileName);
    return report;
}
