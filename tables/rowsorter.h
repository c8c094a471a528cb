#pragma once

#include "tables/tabledefinition.h"

#include <Qt>

#include <vector>

class RowStore;
struct RegionalSettings;

// The order that sorts the rows of the store by one column: result[i] is the index of the
// row that goes to place i. Numeric: the text as a number under the regional settings,
// anything else counts as 0; Date: the stored date value; Alphabetic: ordinal, code unit by
// code unit. Stable: rows with equal keys keep their order, in either direction.
std::vector<int> sortOrder(const RowStore &store, int column, SortKind kind, Qt::SortOrder order,
                           const RegionalSettings &settings);
