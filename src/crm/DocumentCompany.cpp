// The company of a sales or purchasing document and its delivery address.
#include "crm/DocumentCompany.h"

#include "app/frame/Prompter.h"
#include "crm/CompanyRules.h"
#include "crm/ContactRules.h"
#include "crm/CrmModule.h"
#include "data/DataModule.h"

namespace {
bool HasCompanyRow(Table& companies) {
    return companies.IsActive() && !companies.IsEmpty() &&
           companies.State() != DatasetState::Insert;
}

bool BeginEditing(Dataset& document) {
    if (document.IsEditing()) return true;
    if (document.IsActive() && !document.IsEmpty() && document.Edit()) return true;
    if (!document.LastError().isEmpty())
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Kan ikke endre dokumentet:\n") + document.LastError());
    return false;
}
}  // namespace

Table& DocumentTableOf(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Order:
            return DM().OrderTable();
        case DocumentKind::PurchaseOrder:
            return DM().POTable();
        case DocumentKind::Offer:
            return DM().OfferTable();
        case DocumentKind::Invoice:
            return DM().InvoiceTable();
    }
    return DM().OrderTable();
}

bool ChooseCompanyForDocument(Dataset& document, DocumentKind kind) {
    Table& companies = DM().CompanyTable();
    if (!HasCompanyRow(companies)) return false;
    if (!BeginEditing(document)) return false;
    const qint64 companyId = companies.AsInteger(QStringLiteral("id"));
    document.SetInteger(QStringLiteral("companyid"), companyId);
    if (kind != DocumentKind::PurchaseOrder &&
        document.AsString(QStringLiteral("deliveryaddress")).isEmpty())
        document.SetString(QStringLiteral("deliveryaddress"), CompanyAddressBlock(companies));
    if (document.AsInteger(QStringLiteral("external_contact")) == 0)
        document.SetInteger(QStringLiteral("external_contact"),
                            companies.AsInteger(QStringLiteral("defaultcontact")));
    RestrictContactsToCompany(static_cast<int>(document.AsInteger(QStringLiteral("companyid"))));
    return true;
}

bool ShowsFetchAddressButton(const OpenDocumentIds& open) {
    return Crm().AddressChooserMode() && open.Any();
}

bool ShowsCopyAddressItem(const OpenDocumentIds& open) { return open.orderId != 0; }

bool DoubleClickCopiesAddress() { return Crm().AddressChooserMode(); }

bool CopyAddressToOpenDocument(const OpenDocumentIds& open) {
    struct Candidate {
        DocumentKind kind;
        int id;
    };
    const Candidate order[] = {{DocumentKind::Order, open.orderId},
                               {DocumentKind::PurchaseOrder, open.poId},
                               {DocumentKind::Offer, open.offerId},
                               {DocumentKind::Invoice, open.invoiceId}};
    const Candidate* target = nullptr;
    for (const Candidate& c : order)
        if (c.id != 0) {
            target = &c;
            break;
        }
    Crm().ClearAddressChooserMode();
    if (!target) return false;
    Table& companies = DM().CompanyTable();
    if (!HasCompanyRow(companies)) return false;
    Table& document = DocumentTableOf(target->kind);
    if (!document.IsActive()) return false;
    const bool onRecord =
        !document.IsEmpty() && (document.State() == DatasetState::Insert ||
                                document.AsInteger(QStringLiteral("id")) == target->id);
    if (!onRecord && !document.Locate(QStringLiteral("id"), target->id)) return false;
    if (!BeginEditing(document)) return false;
    return document.SetString(QStringLiteral("deliveryaddress"), CompanyAddressBlock(companies));
}
