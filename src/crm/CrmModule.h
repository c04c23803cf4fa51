#pragma once

#include <QString>

#include "crm/DocumentCompany.h"
#include "crm/PostalRegister.h"
#include "db/Query.h"

class DataModule;

// The company and contact registers' program-wide state and the rules they add to the
// data module's datasets:
//   - ContactCondition, the WHERE condition of the contact query (empty at start), and the
//     order the contact list chose ("realname" at start);
//   - NewContactCompanyId, the company a new contact is tied to;
//   - AddressChooserMode, on while the company list was opened from a document window to
//     fetch an address;
//   - the postal register, read once and again when its file changes;
//   - CompanyMiniQuery, the vendor chooser's list;
//   - the ids of the records the order, purchase-order, offer and invoice windows show
//     (OpenOrderId, OpenPoId, OpenOfferId, OpenInvoiceId), kept by those windows.
//
// A new contact row gets companyid = NewContactCompanyId (the data module gives the common
// header defaults). The program makes one after the data module; every test makes a fresh
// one. Creating it makes it the current one (CrmModule::Current(), Crm()); the previous one
// is current again when it goes away.
class CrmModule {
  public:
    explicit CrmModule(DataModule& dataModule);
    CrmModule();  // on the current data module
    ~CrmModule();
    CrmModule(const CrmModule&) = delete;
    CrmModule& operator=(const CrmModule&) = delete;

    static CrmModule& Current();
    static bool HasCurrent();

    DataModule& dataModule() const { return dm_; }

    // --- contacts ------------------------------------------------------------------------
    const QString& ContactCondition() const { return contactCondition_; }
    void SetContactCondition(const QString& condition) { contactCondition_ = condition; }
    // The contact query's ORDER BY text.
    const QString& ContactOrder() const { return contactOrder_; }
    void SetContactOrder(const QString& order) { contactOrder_ = order; }
    int NewContactCompanyId() const { return newContactCompanyId_; }
    void SetNewContactCompanyId(int id) { newContactCompanyId_ = id; }

    // --- the company list as address chooser ---------------------------------------------
    bool AddressChooserMode() const { return addressChooserMode_; }
    void SetAddressChooserMode(bool on) { addressChooserMode_ = on; }
    // The company list calls this when it closes, copied or not.
    void ClearAddressChooserMode() { addressChooserMode_ = false; }

    // --- postal register ----------------------------------------------------------------
    // The register at PostalRegisterPath() (followed when the folders change).
    PostalRegister& postalRegister();
    // Whether the missing register was already reported to the user (reset when it is
    // found again).
    bool PostalMissingSaid() const { return postalMissingSaid_; }
    void SetPostalMissingSaid(bool said) { postalMissingSaid_ = said; }

    // --- the documents the document windows show ------------------------------------------
    OpenDocumentIds& OpenDocuments() { return openDocuments_; }

    // --- vendor chooser ------------------------------------------------------------------
    Query& CompanyMiniQuery() { return companyMiniQuery_; }

  private:
    DataModule& dm_;
    CrmModule* previous_;
    QString contactCondition_;
    QString contactOrder_ = QStringLiteral("realname");
    int newContactCompanyId_ = 0;
    bool addressChooserMode_ = false;
    PostalRegister postal_;
    bool postalMissingSaid_ = false;
    Query companyMiniQuery_;
    OpenDocumentIds openDocuments_;
    int newContactHandler_ = 0;
};

// Short hand for the current module.
inline CrmModule& Crm() { return CrmModule::Current(); }
