#pragma once

#include <QDialog>

#include "ui/WindowBase.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// The backup setup window ("Oppsett sikkerhetskopi"): the program's backup folder, a folder
// for outside backup tools and "Generer kommandofil". Reads the three settings when shown
// and writes them when closed; the folder buttons choose with ChooseFolder.
class BackupSetupForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit BackupSetupForm(QWidget* parent = nullptr);

    QLineEdit* backupFolderEdit() const { return backupFolder_; }
    QLineEdit* windowsFolderEdit() const { return windowsFolder_; }
    QCheckBox* batFileBox() const { return batFile_; }
    QPushButton* backupFolderButton() const { return backupButton_; }
    QPushButton* windowsFolderButton() const { return windowsButton_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void ChooseInto(QLineEdit* edit);

    QLineEdit* backupFolder_;
    QLineEdit* windowsFolder_;
    QCheckBox* batFile_;
    QPushButton* backupButton_;
    QPushButton* windowsButton_;
};

// Shows the backup setup window, modal.
void ShowBackupSetup(QWidget* parent);
