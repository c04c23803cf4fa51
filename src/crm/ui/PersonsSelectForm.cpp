// The employee chooser's dialog.
#include "crm/ui/PersonsSelectForm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PersonsSelectForm::PersonsSelectForm(const std::vector<PersonChoice>& users,
                                     const std::vector<bool>& ticked, QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("PersonsSelectForm"), parent), commands_(this) {
    setWindowTitle(QStringLiteral("Velg ansatte ..."));
    resize(320, 380);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("persons"));
    for (std::size_t i = 0; i < users.size(); ++i) {
        auto* item = new QListWidgetItem(PersonChoiceText(users[i]), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(i < ticked.size() && ticked[i] ? Qt::Checked : Qt::Unchecked);
    }

    QAction* fetch = commands_.Add("Hent", [this] { Fetch(); });
    auto* button = new QPushButton(QStringLiteral("Hent"), this);
    button->setObjectName(QStringLiteral("Hent"));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, fetch, &QAction::trigger);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

std::optional<std::vector<bool>> PersonsSelectForm::Choose(const std::vector<PersonChoice>& users,
                                                           const std::vector<bool>& ticked,
                                                           QWidget* parent) {
    PersonsSelectForm form(users, ticked, parent);
    form.exec();
    return form.Result();
}

bool PersonsSelectForm::IsTicked(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item && item->checkState() == Qt::Checked;
}

void PersonsSelectForm::SetTicked(int row, bool ticked) {
    if (QListWidgetItem* item = list_->item(row))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void PersonsSelectForm::Fetch() {
    std::vector<bool> ticks;
    for (int row = 0; row < list_->count(); ++row) ticks.push_back(IsTicked(row));
    result_ = std::move(ticks);
    accept();
}

bool PickPersonsInDialog(Dataset& record, QWidget* parent) {
    return PickPersons(
        record, [parent](const std::vector<PersonChoice>& users, const std::vector<bool>& ticked) {
            return PersonsSelectForm::Choose(users, ticked, parent);
        });
}
