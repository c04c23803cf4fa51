#pragma once
// The rows the benchmarks read: the large generated company (a million line items,
// 200 000 products, ...) in the benchmark schema, made once by the company generator.
#include <QString>

#include "db/Connection.h"

namespace bench {

constexpr int kItemCount = 1000000;
constexpr int kProductCount = 200000;

// The five columns of `items` the walk reads.
inline const char* const kItemColumns[5] = {"productcode", "producttext", "itemcount", "price",
                                            "orderid"};

// The product code the generator gives product number n (1-based).
QString ProductCode(int n);

// Generates the company when the schema does not hold it yet; false (with the reason
// printed) when that fails.
bool EnsureBenchData(Connection& connection);

}  // namespace bench
