#pragma once

#include <QString>

class Dataset;
class Table;

// How the sales and purchasing documents take a company: choosing it in the document
// window, and copying the company list's current address into the open document.

enum class DocumentKind { Order, PurchaseOrder, Offer, Invoice };

// The ids of the records the document windows show (0 when a window shows none).
struct OpenDocumentIds {
    int orderId = 0;
    int poId = 0;
    int offerId = 0;
    int invoiceId = 0;
    bool Any() const { return orderId || poId || offerId || invoiceId; }
};

// The data module's table of a document kind.
Table& DocumentTableOf(DocumentKind kind);

// The document window's company drop-down closed on a company, with CompanyTable
// positioned on it. The document goes into editing and gets:
//   companyid := the company's id;
//   deliveryaddress := the company address block, for orders, offers and invoices whose
//     address is empty (a purchase order keeps its own address);
//   external_contact := the company's defaultcontact when the document has no contact (0);
// then the contacts are restricted to the company. Nothing else is taken from the company.
// The document is not posted. False when there is no company or the document cannot be
// edited.
bool ChooseCompanyForDocument(Dataset& document, DocumentKind kind);

// Whether the company list offers "Hent adresse" (the button): AddressChooserMode is on and
// a document window shows a record. The "TILKNYTNINGER" panel shows exactly when it does not.
bool ShowsFetchAddressButton(const OpenDocumentIds& open);
// Whether the menu item "Kopier adresse til ordre" shows: an order is open.
bool ShowsCopyAddressItem(const OpenDocumentIds& open);
// A double-click in the company list copies the address (else it shows the company).
bool DoubleClickCopiesAddress();

// "Hent adresse", "Kopier adresse til ordre", a double-click in chooser mode: the first open
// document, in the order order, purchase order, offer, invoice, goes into editing (unless
// it is) and its deliveryaddress becomes the address block of CompanyTable's current
// company; the document is not posted. AddressChooserMode ends; the caller closes the list.
// The document table is moved to the open id when it is not on it. False when nothing was
// written (no open document, no company, the record not found or not editable).
bool CopyAddressToOpenDocument(const OpenDocumentIds& open);
