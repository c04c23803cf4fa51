#include "app/ui/StartupOptionsForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"

namespace {
const QString kDeleteTemporary = QStringLiteral("DeleteTemporaryFiles");
const QString kDeleteSystemTemporary = QStringLiteral("DeleteSystemTemporaryFiles");
}  // namespace

const std::vector<std::pair<QString, QString>>& StartupOptionsForm::Options() {
    // Keys are matched without regard to case: older files hold "LogTofile".
    static const std::vector<std::pair<QString, QString>> options = {
        {QStringLiteral("autologon"), QStringLiteral("Automatisk pålogging")},
        {QStringLiteral("LogToFile"), QStringLiteral("Logg til fil")},
        {QStringLiteral("VerboseLogging"), QStringLiteral("Detaljert logging")},
        {QStringLiteral("ClearLogFileOnStartup"), QStringLiteral("Slett loggfil ved oppstartt")},
        {QStringLiteral("DirectLogging"), QStringLiteral("Direkte logging til fil")},
        {kDeleteTemporary, QStringLiteral("Slett midlertidige filer")},
        {kDeleteSystemTemporary, QStringLiteral("Slett midlertidige systemfiler")},
    };
    return options;
}

StartupOptionsForm::StartupOptionsForm(QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("StartupOptionsForm"), parent) {
    SetOnlyPos(true);
    setWindowTitle(QStringLiteral("Oppstart"));
    auto* layout = new QVBoxLayout(this);
    for (const auto& [key, caption] : Options()) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(key);
        layout->addWidget(box);
        boxes_.push_back(box);
    }
    connect(Box(kDeleteTemporary), &QCheckBox::toggled, this,
            &StartupOptionsForm::UpdateSystemFilesBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    UpdateSystemFilesBox();
}

QCheckBox* StartupOptionsForm::Box(const QString& key) const {
    const auto& options = Options();
    for (std::size_t i = 0; i < options.size(); ++i)
        if (options[i].first.compare(key, Qt::CaseInsensitive) == 0) return boxes_[i];
    return nullptr;
}

void StartupOptionsForm::UpdateSystemFilesBox() {
    Box(kDeleteSystemTemporary)->setEnabled(Box(kDeleteTemporary)->isChecked());
}

void StartupOptionsForm::Load() {
    ConfigStore& config = Ctx().config();
    config.SelectSection(ConfigStore::StandardSection);
    const auto& options = Options();
    for (std::size_t i = 0; i < options.size(); ++i)
        boxes_[i]->setChecked(config.ReadIniBool(options[i].first));
    config.RestoreSection();
    UpdateSystemFilesBox();
    loaded_ = true;
}

void StartupOptionsForm::Store() {
    ConfigStore& config = Ctx().config();
    config.SelectSection(ConfigStore::StandardSection);
    const auto& options = Options();
    for (std::size_t i = 0; i < options.size(); ++i)
        config.WriteIniBool(options[i].first, boxes_[i]->isChecked());
    config.RestoreSection();
}

void StartupOptionsForm::showEvent(QShowEvent* event) {
    Load();
    WindowBase<QDialog>::showEvent(event);
}

void StartupOptionsForm::hideEvent(QHideEvent* event) {
    if (loaded_) Store();  // closed in any way: the boxes as they stand
    loaded_ = false;
    WindowBase<QDialog>::hideEvent(event);
}
