#include "data/ui/BackupSetupForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "app/frame/Prompter.h"
#include "data/tools/BackupSettings.h"

BackupSetupForm::BackupSetupForm(QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("BackupSetupForm"), parent) {
    setWindowTitle(QStringLiteral("Oppsett sikkerhetskopi"));
    SetOnlyPos(true);
    backupFolder_ = new QLineEdit(this);
    windowsFolder_ = new QLineEdit(this);
    backupButton_ = new QPushButton(QStringLiteral("..."), this);
    windowsButton_ = new QPushButton(QStringLiteral("..."), this);
    batFile_ = new QCheckBox(QStringLiteral("Generer kommandofil"), this);
    for (QPushButton* b : {backupButton_, windowsButton_}) b->setFixedWidth(32);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Sevrante sikkerhetskopi målmappe:"), this), 0, 0, 1,
                    2);
    grid->addWidget(backupFolder_, 1, 0);
    grid->addWidget(backupButton_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Windows sikkerhetskopi målmappe:"), this), 2, 0, 1,
                    2);
    grid->addWidget(windowsFolder_, 3, 0);
    grid->addWidget(windowsButton_, 3, 1);
    grid->addWidget(batFile_, 4, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 360);

    connect(backupButton_, &QPushButton::clicked, this, [this] { ChooseInto(backupFolder_); });
    connect(windowsButton_, &QPushButton::clicked, this, [this] { ChooseInto(windowsFolder_); });
}

void BackupSetupForm::ChooseInto(QLineEdit* edit) { edit->setText(ChooseFolder(edit->text())); }

void BackupSetupForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    const BackupSettings s = BackupSettings::Read();
    backupFolder_->setText(s.backupFolder);
    windowsFolder_->setText(s.windowsBackupFolder);
    batFile_->setChecked(s.generateBatFile);
}

void BackupSetupForm::hideEvent(QHideEvent* event) {
    WindowBase<QDialog>::hideEvent(event);
    if (event->spontaneous()) return;
    BackupSettings s;
    s.backupFolder = backupFolder_->text().trimmed();
    s.windowsBackupFolder = windowsFolder_->text().trimmed();
    s.generateBatFile = batFile_->isChecked();
    s.Write();
}

void ShowBackupSetup(QWidget* parent) {
    BackupSetupForm form(parent);
    form.exec();
}
