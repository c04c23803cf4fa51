#include "app/ui/ProgramWindows.h"

#include "crm/ui/CompanyDataForm.h"
#include "crm/ui/CompanyListForm.h"
#include "crm/ui/ContactDataForm.h"
#include "crm/ui/ContactListForm.h"
#include "crm/ui/PostnummerForm.h"
#include "products/ui/ProductDataForm.h"
#include "products/ui/ProductListForm.h"
#include "products/ui/ProductTecDataForm.h"

ProgramWindows::ProgramWindows(QWidget* mainWindow)
    : postal_(std::make_unique<PostnummerForm>(mainWindow)),
      companyList_(std::make_unique<CompanyListForm>(mainWindow)),
      companyData_(std::make_unique<CompanyDataForm>(mainWindow)),
      contactList_(std::make_unique<ContactListForm>(mainWindow)),
      contactData_(std::make_unique<ContactDataForm>(mainWindow)),
      productList_(std::make_unique<ProductListForm>(mainWindow)),
      productData_(std::make_unique<ProductDataForm>(mainWindow)),
      productTecData_(std::make_unique<ProductTecDataForm>(mainWindow)) {}

// The record windows go before their lists.
ProgramWindows::~ProgramWindows() {
    productTecData_.reset();
    productData_.reset();
    productList_.reset();
    contactData_.reset();
    contactList_.reset();
    companyData_.reset();
    companyList_.reset();
    postal_.reset();
}
