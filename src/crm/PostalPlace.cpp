// Postal places from the register for the windows.
#include "crm/PostalPlace.h"

#include "app/frame/Prompter.h"
#include "crm/CrmModule.h"
#include "db/Dataset.h"

QString LookupPostalPlace(const QString& code) {
    PostalEntry entry;
    const PostalStatus status = Crm().postalRegister().Find(code, &entry);
    if (status == PostalStatus::RegisterMissing) return QString();
    Crm().SetPostalMissingSaid(false);
    return status == PostalStatus::Found ? entry.place : QString();
}

PostalLookupResult LookupPostalCode(const QString& code) {
    PostalLookupResult r;
    if (code.size() != 4) return r;
    r.lookedUp = true;
    PostalEntry e;
    r.status = Crm().postalRegister().Find(code, &e);
    switch (r.status) {
        case PostalStatus::Found:
            r.place = e.place;
            r.municipalityNumber = e.municipalityNumber;
            r.municipality = e.municipality;
            r.county = CountyName(e.municipalityNumber);
            r.category = PostalCategoryText(e.category);
            break;
        case PostalStatus::NotFound: {
            const QString q = QStringLiteral("?");
            r.place = r.municipalityNumber = r.municipality = r.county = r.category = q;
            break;
        }
        case PostalStatus::RegisterMissing:
            break;
    }
    return r;
}

QString PostalRegisterMissingText(const QString& path) {
    return QStringLiteral("Finner ikke postnummerregisteret (") + path +
           QStringLiteral(
               ").\nPoststedet blir ikke fylt ut. Postnummerfilen kan lastes ned fra "
               "postnummervinduet (\"?\" ved postnummeret).");
}

PostalPlaceResult ApplyPostalPlace(Dataset& record) {
    if (!record.IsEditing()) return PostalPlaceResult::Unchanged;
    const QString code = record.AsString(QStringLiteral("postalcode"));
    if (code.size() != 4) return PostalPlaceResult::Unchanged;
    CrmModule& crm = Crm();
    PostalRegister& reg = crm.postalRegister();
    PostalEntry entry;
    switch (reg.Find(code, &entry)) {
        case PostalStatus::RegisterMissing:
            if (!crm.PostalMissingSaid()) {
                crm.SetPostalMissingSaid(true);
                ShowMessage(QStringLiteral("Postnummer"), PostalRegisterMissingText(reg.Path()));
            }
            return PostalPlaceResult::RegisterMissing;
        case PostalStatus::NotFound:
            crm.SetPostalMissingSaid(false);
            record.SetString(QStringLiteral("city"),
                             QStringLiteral(""));  // an empty place, not NULL
            return PostalPlaceResult::Written;
        case PostalStatus::Found:
            crm.SetPostalMissingSaid(false);
            record.SetString(QStringLiteral("city"),
                             entry.place.isNull() ? QStringLiteral("") : entry.place);
            return PostalPlaceResult::Written;
    }
    return PostalPlaceResult::Unchanged;
}
