#pragma once

#include <QDialog>

#include "app/logon/ConnectSequence.h"
#include "ui/WindowBase.h"

class DataModule;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

// The log-on dialog "Varlokken pålogging": user name (name@host allowed) and password,
// "Husk pålogging", and behind "Alternativer >>" the server, the database and "Last inifil
// fra server". "Logg på" (or Enter in any field) runs the connect sequence with its progress
// panel; on success the dialog closes, on failure it stays showing the progress panel and
// closing it continues without a connection. "&Avbryt" ends the program.
class LogonDialog : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit LogonDialog(DataModule& dm, QWidget* parent = nullptr);

    static constexpr int ProgressMaximum = 40;

    // "Logg på".
    void LogOn();
    // "Alternativer >>": the server fields shown, focus on "Servernavn:", the button disabled.
    void ShowOptions();
    // A double click on "Database:": the table setup window.
    void OpenTableSetup();

    bool Connected() const { return connected_; }
    // "&Avbryt" was chosen.
    bool Cancelled() const { return cancelled_; }
    bool OptionsShown() const;
    // The request the fields make.
    LogonRequest Request() const;

    QLabel* versionLabel() const { return version_; }
    QLineEdit* userEdit() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }
    QLineEdit* serverEdit() const { return server_; }
    QLineEdit* databaseEdit() const { return database_; }
    QCheckBox* rememberBox() const { return remember_; }
    QCheckBox* loadIniBox() const { return loadIni_; }
    QPushButton* logonButton() const { return logon_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* optionsButton() const { return options_; }
    QWidget* userPanel() const { return userPanel_; }
    QWidget* optionsPanel() const { return optionsPanel_; }
    QWidget* progressPanel() const { return progressPanel_; }
    QLabel* progressLabel() const { return progressText_; }
    QProgressBar* progressBar() const { return progressBar_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Fill();
    void ShowProgressPanel();

    DataModule& dm_;
    QLabel* version_;
    QWidget* userPanel_;
    QWidget* optionsPanel_;
    QWidget* progressPanel_;
    QWidget* buttons_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLineEdit* server_;
    QLineEdit* database_;
    QCheckBox* remember_;
    QCheckBox* loadIni_;
    QPushButton* logon_;
    QPushButton* cancel_;
    QPushButton* options_;
    QLabel* progressText_;
    QProgressBar* progressBar_;
    bool running_ = false;
    bool connected_ = false;
    bool cancelled_ = false;
};

enum class LogonOutcome { Connected, NotConnected, Cancelled };

// The dialog, modal, over the current data module.
LogonOutcome RunLogonDialog(QWidget* parent);
// "Koble til database": the dialog again; true when it connected. "&Avbryt" ends the program.
bool ShowLogonDialog(QWidget* parent);
// The start's log-on: with "autologon" (company ini, "STANDARD") the saved log-on at once
// without a dialog, otherwise the dialog.
LogonOutcome RunStartLogon(QWidget* parent);
