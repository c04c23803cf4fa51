#pragma once

#include <QString>

#include "crm/PostalRegister.h"

class Dataset;

// Postal places for the company and contact windows, the contact tidying and the postal
// code window, through the current CrmModule's register.

// The place of a four-character postal code; empty when the register holds no line for it
// or cannot be read.
QString LookupPostalPlace(const QString& code);

// What the postal code window ("Postnummer") shows for a code.
struct PostalLookupResult {
    // Only a code of exactly four characters is looked up; the window changes nothing
    // for others.
    bool lookedUp = false;
    PostalStatus status = PostalStatus::NotFound;
    // Found: the line's values; not found: "?" in all five; register missing: empty (the
    // window shows "Last ned postfil").
    QString place;               // "Poststed:"
    QString municipalityNumber;  // "Kommunenr.:"
    QString municipality;        // "Kommune:"
    QString county;              // "Fylke:"
    QString category;            // "Kategori:"
};
PostalLookupResult LookupPostalCode(const QString& code);

// What leaving the postal code field did to the place name.
enum class PostalPlaceResult {
    Unchanged,        // not editing, or the code is not four characters long
    Written,          // the register's place (empty for a code it does not hold)
    RegisterMissing,  // the register cannot be read: `city` stays as it was
};

// The postal code field was left: when `record` is being edited or inserted and its
// `postalcode` holds exactly four characters, `city` := the place from the register (empty
// for a code the register does not hold). When the register cannot be read `city` is left
// alone, and the first such time (until the register is found again) the user is told
// that the register is missing.
PostalPlaceResult ApplyPostalPlace(Dataset& record);

// The message shown once when the register is missing.
QString PostalRegisterMissingText(const QString& path);
