#pragma once

#include <QColor>
#include <QString>
#include <functional>

#include "crm/DocumentCompany.h"
#include "ui/ListWindow.h"

class QAction;
class QGroupBox;
class QToolButton;

// The company list ("Firmaer"): a grid of the data module's CompanyTable with the register's
// filters, the related lists of a company ("Vis tilhørende" and the panel "TILKNYTNINGER")
// and, while a document window fetches an address (AddressChooserMode), "Hent adresse",
// which copies the current company's address into the open document and closes the list.
// Rows of partners are green, of equipment vendors blue, of blacklisted companies red.
// On show it opens the table by the user's rights; on close it ends the chooser mode and
// removes the filter. Shown by name: "CompanyListForm" (argument "new": shown, then "Ny").
class CompanyListForm : public ListWindowBase {
    Q_OBJECT
  public:
    explicit CompanyListForm(QWidget* parent = nullptr);
    ~CompanyListForm() override;

    // The list the program made (the last one made still there), nullptr when none.
    static CompanyListForm* Instance();

    // The documents the document windows show (the program's, kept by CrmModule).
    OpenDocumentIds OpenDocuments() const;

    // Shows the list; "new" then runs "Ny".
    void ShowList(const QString& argument = QString());
    // AddressChooserMode on and the list shown modally; true when an address was copied.
    bool FetchAddress();

    // The commands.
    bool NewCompany();
    void EditCompany();
    bool DeleteCompany();
    bool Refresh();
    // "Hent adresse", "Kopier adresse til ordre", a double-click in chooser mode: the address
    // into the open document, and the list closes. False when nothing was written.
    bool CopyAddress();

    // The text colour of a row (invalid: the grid's own).
    QColor RowTextColour(int row) const;

    QToolButton* FetchAddressButton() const { return fetchButton_; }
    QGroupBox* RelatedPanel() const { return relatedPanel_; }
    QAction* CopyAddressCommand() const { return copyItem_; }
    // Shows "Hent adresse", the "TILKNYTNINGER" panel and "Kopier adresse til ordre" by the
    // chooser mode and the open documents.
    void UpdateChooserControls();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildCommands();
    void BuildRelatedPanel();

    QToolButton* fetchButton_ = nullptr;
    QGroupBox* relatedPanel_ = nullptr;
    QAction* copyItem_ = nullptr;
    bool copied_ = false;
};

// What a document window's "Hent adresse fra firmaregisteret" calls: AddressChooserMode on
// and the company list shown modally; true when an address was copied into the open
// document. Uses the program's list (Instance()), else a list of its own.
bool FetchAddressFromCompanyList(QWidget* parent = nullptr);
