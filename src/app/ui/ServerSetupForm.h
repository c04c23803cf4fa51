#pragma once

#include <QDialog>
#include <QString>

#include "ui/WindowBase.h"

class QCheckBox;
class QLineEdit;

// The server setup window (modal): name, server, folder, user name,
// password, port and SSL of one server, kept in section
// "SERVER-SETTING-<tag>" of the configuration store. Read when shown,
// written when closed; the password is kept scrambled, an empty port is
// written as "21". A double click on the password shows or hides it.
class ServerSetupForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    ServerSetupForm(const QString& caption, const QString& tag, QWidget* parent = nullptr);

    QString Section() const { return QStringLiteral("SERVER-SETTING-") + tag_; }

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ServerEdit() const { return server_; }
    QLineEdit* FolderEdit() const { return folder_; }
    QLineEdit* UserEdit() const { return user_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QLineEdit* PortEdit() const { return port_; }
    QCheckBox* SslBox() const { return ssl_; }

    void Load();
    void Store();
    void TogglePasswordShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QString tag_;
    QLineEdit* name_;
    QLineEdit* server_;
    QLineEdit* folder_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLineEdit* port_;
    QCheckBox* ssl_;
    bool loaded_ = false;
};
