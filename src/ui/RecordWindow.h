#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "ui/CommandSet.h"
#include "ui/WindowBase.h"

class Dataset;
class DbDateEdit;
class DbLineEdit;
class DbLookupCombo;
class QToolButton;
class DbNavigator;
class DetailSlider;
class QHBoxLayout;
class QVBoxLayout;

// The base of every register's record window: the current record of a dataset in data-bound
// fields, a detail-level slider whose level is the text kept with the window's position,
// the navigator, the commands "Lagre", "Avbryt", "Ny" and "Slett" enabled by the dataset's
// state, and the caption "<title> [<id>]".
class RecordWindowBase : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    RecordWindowBase(const QString& windowName, const QString& title, Dataset& dataset, QWidget* parent = nullptr);
    ~RecordWindowBase() override;

    Dataset& dataset() const { return *dataset_; }
    CommandSet& commands() { return commands_; }
    QAction* Command(const QString& text) const { return commands_.Find(text); }
    DbNavigator* navigator() const { return navigator_; }
    // nullptr until SetPanels.
    DetailSlider* detailSlider() const { return slider_; }
    // The row of tool buttons (the register adds its own before the slider).
    QHBoxLayout* toolRow() const { return toolRow_; }

    // The panels the slider shows: level n shows the first n + 1. The last panel stretches.
    void SetPanels(std::vector<QWidget*> panels);

    // Fields bound to the dataset, named by their column (findChild finds them).
    DbLineEdit* TextEdit(const QString& column, QWidget* parent);
    // Accepts only a number (sign, digits, one decimal comma or point, blanks as thousands
    // separator): other keys are simply not taken, and the tool tip says so.
    DbLineEdit* NumberEdit(const QString& column, QWidget* parent, bool decimals = true);
    DbDateEdit* DateEdit(const QString& column, QWidget* parent);
    // A drop-down on `column` over a lookup dataset: its `id` is the key, `display` shown.
    DbLookupCombo* LookupCombo(const QString& column, Dataset& lookup, const QString& display, QWidget* parent);
    // A small button beside a field ("?", "...", "@"), named for findChild; `name` may be empty.
    static QToolButton* SmallButton(const QString& name, const QString& text, const QString& tip, QWidget* parent);
    // A field with its button after it.
    static QHBoxLayout* FieldWithButton(QWidget* field, QToolButton* button);
    // The field's edit by its column, nullptr when none.
    template <class Edit>
    Edit* Field(const QString& column) const { return findChild<Edit*>(column); }

    // The commands.
    bool Save();
    void CancelEdit();
    bool NewRecord();
    bool DeleteRecord();

    void UpdateCommands();
    void UpdateCaption();

  protected:
    void showEvent(QShowEvent* event) override;
    // Ctrl+Z while a field has the focus cancels the record's edit, as the command says,
    // instead of undoing the typing in that field.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Dataset* dataset_;
    QString title_;
    CommandSet commands_;
    QAction* save_;
    QAction* cancel_;
    QAction* add_;
    QAction* remove_;
    DbNavigator* navigator_;
    DetailSlider* slider_ = nullptr;
    QHBoxLayout* toolRow_;
    QVBoxLayout* layout_;
    std::vector<int> eventIds_;
};
