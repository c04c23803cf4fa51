#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "ui/RecordWindow.h"

class DbLookupCombo;
class QDialog;
class QToolButton;

// The company window ("Firmadata [id]") on the current row of the data module's
// CompanyTable: the name and telephones, then the extended panel (numbers, addresses, our
// contact, the folder and the kinds), then the notes, opened step by step by the slider.
// Moving to another company (and showing the window) restricts the contacts to it, so that
// "Kontakt:" offers the company's people. Leaving the postal code fills in the place. The
// "INI" button (an administrator on the own company) shows the company's settings file.
// Shown by name: "CompanyDataForm".
class CompanyDataForm : public RecordWindowBase {
    Q_OBJECT
  public:
    explicit CompanyDataForm(QWidget* parent = nullptr);
    ~CompanyDataForm() override;

    // Shows the window on the company list's current row.
    void ShowRecord();

    // What the buttons beside the fields do.
    void PostalCodeLeft();        // the postal code field was left
    void ShowPostalCode();        // "?"
    void MailTo();                // beside "Epost:"
    void OpenHomepage();          // beside "Hjemmeside:"
    void ShowCompanyContact();    // beside "Kontakt:"
    // The folder commands.
    void OpenLocalFolder();       // "Åpne lokal mappe"
    void OpenFolderInBrowser();   // "Åpne mappen i nettleser"
    void InsertFolderLocation();  // "Sett inn mappeplasering"
    // "INI": the company's settings file in a window of its own.
    void ShowIni();
    QDialog* IniWindow() const { return iniWindow_; }
    QToolButton* IniButton() const { return iniButton_; }

    // How an address goes to the desktop (a web address, "mailto:...", a folder); the shell
    // by default.
    void SetShellOpener(std::function<bool(const QString& target)> opener) { shellOpen_ = std::move(opener); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildBasicPanel();
    QWidget* BuildExtendedPanel();
    void BuildCommands();
    void Move(bool (Dataset::*step)());
    // The contacts follow the company shown (again when `always`, else only when it changed).
    void ContactsFollowCompany(bool always);
    void UpdateIniButton();
    int CurrentCompanyId() const;
    QString FieldText(const QString& column) const;
    void Open(const QString& target);

    std::function<bool(const QString&)> shellOpen_;
    QToolButton* iniButton_ = nullptr;
    QDialog* iniWindow_ = nullptr;
    int contactsOf_ = 0;  // the company the contacts were last restricted to
    std::vector<int> eventIds_;
};
