#pragma once

#include <QString>

#include <functional>

class Connection;

// How many rows of each kind the generated company gets.
struct CompanySize {
    int users = 8;
    int companies = 20000;
    int contacts = 40000;
    int products = 200000;
    int orders = 50000;
    int invoices = 50000;
    int pos = 10000;
    int offers = 20000;
    int items = 1000000;
    int calendar = 200000;

    // The same company shrunk (or grown) by a factor, at least one row of each kind.
    CompanySize Scaled(double factor) const;
};

// Fills the connected, empty schema (created when missing) with a plausible
// Norwegian company through bulk statements. Deterministic: the same size gives
// the same rows. Users get log-on names "bruker1" ... with their rights; the
// first one ("admin") has every right. Progress texts go to the callback.
// Returns false with the reason in *error.
bool GenerateCompany(Connection& db, const CompanySize& size,
                     const std::function<void(const QString&)>& progress, QString* error);
