#pragma once

#include <memory>

class CompanyDataForm;
class CompanyListForm;
class ContactDataForm;
class ContactListForm;
class PostnummerForm;
class ProductDataForm;
class ProductListForm;
class ProductTecDataForm;
class QWidget;

// The registers' windows, made once when the program starts (after the data module and
// the registers' own modules) and shown and hidden as needed. Each registers itself under
// its name, so the main window's buttons and the other windows show it by name; they go
// before the modules they work on.
class ProgramWindows {
  public:
    explicit ProgramWindows(QWidget* mainWindow);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

  private:
    std::unique_ptr<PostnummerForm> postal_;
    std::unique_ptr<CompanyListForm> companyList_;
    std::unique_ptr<CompanyDataForm> companyData_;
    std::unique_ptr<ContactListForm> contactList_;
    std::unique_ptr<ContactDataForm> contactData_;
    std::unique_ptr<ProductListForm> productList_;
    std::unique_ptr<ProductDataForm> productData_;
    std::unique_ptr<ProductTecDataForm> productTecData_;
};
