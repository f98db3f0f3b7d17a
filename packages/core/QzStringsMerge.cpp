#include "packages/core/QzStringsMerge.h"

#include "QzPkgInfo.h"

#include <algorithm>

std::vector<int> QzMergedIds(const TQzPkgItemList* reference, const TQzPkgItemList* current) {
    std::vector<int> ids;
    ids.reserve(
        std::size_t((reference ? reference->Count() : 0) + (current ? current->Count() : 0)));
    for (const TQzPkgItemList* list : {reference, current})
        if (list)
            for (int i = 0; i < list->Count(); ++i)
                ids.push_back(list->GetItems(i)->Id());
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}
