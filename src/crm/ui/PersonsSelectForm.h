#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "crm/PickPersons.h"
#include "ui/CommandSet.h"
#include "ui/WindowBase.h"

class Dataset;
class QListWidget;

// The employee chooser ("Velg ansatte ..."): a check list of the active users, one line
// "<initials>, <name>" each, and "Hent", which takes the ticks and closes. Closing it
// otherwise takes nothing.
class PersonsSelectForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    PersonsSelectForm(const std::vector<PersonChoice>& users, const std::vector<bool>& ticked,
                      QWidget* parent = nullptr);

    // The dialog as PickPersons's chooser, run modally.
    static std::optional<std::vector<bool>> Choose(const std::vector<PersonChoice>& users,
                                                   const std::vector<bool>& ticked,
                                                   QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QAction* Command(const QString& text) const { return commands_.Find(text); }
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);
    // "Hent".
    void Fetch();
    // The ticks taken by "Hent"; nothing until then.
    const std::optional<std::vector<bool>>& Result() const { return result_; }

  private:
    CommandSet commands_;
    QListWidget* list_;
    std::optional<std::vector<bool>> result_;
};

// PickPersons with the "Velg ansatte ..." dialog: `persons` of the record's current row.
bool PickPersonsInDialog(Dataset& record, QWidget* parent = nullptr);
