#pragma once

// The ids the string translators list: every id of either side, once, ascending.

#include <vector>

class TQzPkgItemList;

// The ids of `reference` and `current` (either may be none), sorted and without repeats.
std::vector<int> QzMergedIds(const TQzPkgItemList* reference, const TQzPkgItemList* current);
