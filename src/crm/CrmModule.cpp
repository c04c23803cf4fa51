// The company and contact registers' state and the rules they add to the data module.
#include "crm/CrmModule.h"

#include "data/DataModule.h"

namespace {
CrmModule* g_current = nullptr;
}

CrmModule::CrmModule() : CrmModule(DM()) {}

CrmModule::CrmModule(DataModule& dataModule)
    : dm_(dataModule), previous_(g_current), companyMiniQuery_(dataModule.connection()) {
    g_current = this;
    companyMiniQuery_.SetReadOnly(true);
    // A new contact belongs to the company a company window asked for.
    newContactHandler_ = dm_.ContactQuery().OnNewRecord().Add(
        [this](Dataset& d) { d.SetInteger(QStringLiteral("companyid"), newContactCompanyId_); });
}

CrmModule::~CrmModule() {
    dm_.ContactQuery().OnNewRecord().Remove(newContactHandler_);
    companyMiniQuery_.Close();
    if (g_current == this) g_current = previous_;
}

CrmModule& CrmModule::Current() { return *g_current; }
bool CrmModule::HasCurrent() { return g_current != nullptr; }

PostalRegister& CrmModule::postalRegister() {
    postal_.SetPath(PostalRegisterPath());
    return postal_;
}
