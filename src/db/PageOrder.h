#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "db/RowStore.h"

class Connection;

// One column of an ORDER BY text.
struct OrderTerm {
    QString table;   // "" when not named
    QString column;  // without backquotes
    bool descending = false;
};

// Splits an ORDER BY text into its columns when every term is a plain column name with an
// optional direction ("startdate, projectnumber", "`ordernumber` DESC", "t.name ASC"); false
// for anything else (expressions, positions, functions). "" gives no terms.
bool ParseOrder(const QString& text, std::vector<OrderTerm>& terms);

// A column of the order and its value in the last row read.
struct KeyPart {
    QByteArray name;  // as SQL
    bool descending = false;
    bool numeric = false;  // a number column: the server's text is written as it stands
    CellValue value;
};

// The SQL condition of the rows that come after the given values in the order of the parts
// (NULL sorts first ascending, last descending, as the server sorts it). The last part must
// be unique and never NULL (the `id`).
QByteArray KeysetCondition(const std::vector<KeyPart>& parts, const Connection& connection);
