#pragma once

#include <QString>
#include <functional>

#include "ui/RecordWindow.h"

class DbLineEdit;
class DbLookupCombo;

// The contact window ("Kontakt [id]") on the current row of the data module's
// ContactQuery: the name and telephones, then the address and the company, then the notes,
// opened step by step by the slider. Leaving the postal code fills in the place. Shown by
// name: "ContactDataForm".
class ContactDataForm : public RecordWindowBase {
    Q_OBJECT
  public:
    explicit ContactDataForm(QWidget* parent = nullptr);
    ~ContactDataForm() override;

    // Shows the window on the contact list's current row.
    void ShowRecord();

    // What the buttons beside the fields do.
    void PostalCodeLeft();  // the postal code field was left
    void RemoveCompany();   // "X"
    void ShowPostalCode();  // "?"
    void MailTo(
        const QString& column);  // beside "Epost jobb:" (email) and "Epost privat:" (home_email)
    void OpenHomepage();

    // How an address goes to the desktop (a web address, "mailto:..."); the shell by default.
    void SetShellOpener(std::function<bool(const QString& target)> opener) {
        shellOpen_ = std::move(opener);
    }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Move(bool (Dataset::*step)());
    int CurrentContactId() const;

    DbLookupCombo* company_;
    std::function<bool(const QString&)> shellOpen_;
};
