#pragma once
// The rows the benchmarks read: `items` with a million line items and `product` with
// 200 000 products. Until the company data generator fills the full schema, a minimal
// form of both tables is created here; when the tables already hold enough rows (as the
// generator leaves them), they are used as they are.
#include "db/Connection.h"

namespace bench {

constexpr int kItemCount = 1000000;
constexpr int kProductCount = 200000;

// The five columns of `items` the walk reads.
inline const char* const kItemColumns[5] = {"productcode", "description", "quantity", "price", "orderid"};

// Creates and fills what is missing; false (with the connection's error) when that fails.
bool EnsureBenchData(Connection& connection);

}  // namespace bench
