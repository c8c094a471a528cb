#include "tables/rowsorter.h"

#include "platform/regionalformat.h"
#include "tables/rowstore.h"

#include <algorithm>
#include <numeric>

namespace {

// Each key is computed once; the permutation is sorted by the keys.
template<typename Key, typename Less>
std::vector<int> orderByKeys(const std::vector<Key> &keys, Qt::SortOrder order, Less less)
{
    std::vector<int> rows(keys.size());
    std::iota(rows.begin(), rows.end(), 0);
    if (order == Qt::AscendingOrder) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return less(keys[std::size_t(a)], keys[std::size_t(b)]); });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return less(keys[std::size_t(b)], keys[std::size_t(a)]); });
    }
    return rows;
}

} // namespace

std::vector<int> sortOrder(const RowStore &store, int column, SortKind kind, Qt::SortOrder order,
                           const RegionalSettings &settings)
{
    const std::size_t rows = std::size_t(store.rowCount());
    switch (kind) {
    case SortKind::Numeric: {
        std::vector<double> keys(rows);
        for (std::size_t r = 0; r < rows; ++r)
            keys[r] = regional::toNumber(store.text(column, int(r)), settings).value_or(0.0);
        return orderByKeys(keys, order, std::less<double>());
    }
    case SortKind::Date: {
        std::vector<qint64> keys(rows);
        for (std::size_t r = 0; r < rows; ++r)
            keys[r] = store.dateValue(int(r));
        return orderByKeys(keys, order, std::less<qint64>());
    }
    case SortKind::Alphabetic:
        break;
    }
    std::vector<QStringView> keys(rows);
    for (std::size_t r = 0; r < rows; ++r)
        keys[r] = store.text(column, int(r));
    // QStringView's ordering compares UTF-16 code units, case-sensitively.
    return orderByKeys(keys, order, std::less<QStringView>());
}
