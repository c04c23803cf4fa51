#pragma once

#include <QString>
#include <vector>

#include "ui/ListWindow.h"

class QAction;

// The contact list ("Kontaktliste"): a grid of the data module's ContactQuery with the
// contact list's commands. On show it runs the query again with ContactCondition; on close
// it empties the condition, runs the query again and forgets NewContactCompanyId. It is the
// "Kontakter" target of the company windows. Shown by name: "ContactListForm" (argument
// "new": shown, then "Ny").
class ContactListForm : public ListWindowBase {
    Q_OBJECT
  public:
    explicit ContactListForm(QWidget* parent = nullptr);
    ~ContactListForm() override;

    // Shows the list, or runs its query again when it is already shown; "new" then runs "Ny".
    void ShowList(const QString& argument = QString());

    // "Ny": a new contact (tied to NewContactCompanyId) in the contact window.
    bool NewContact();
    // "Slett": the current contact, after the shared confirmation.
    bool DeleteContact();

    // "Tilknytt til firma", whose text names the current company of CompanyTable.
    QAction* TieCommand() const { return tie_; }
    void UpdateTieCaption();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int CurrentContactId() const;

    QAction* tie_ = nullptr;
    std::vector<int> companyEventIds_;
};
