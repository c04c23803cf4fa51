#include "app/ui/ServerSetupForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "app/frame/TextHelpers.h"

ServerSetupForm::ServerSetupForm(const QString& caption, const QString& tag, QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("ServerSetupForm"), parent), tag_(tag) {
    SetOnlyPos(true);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    server_ = new QLineEdit(this);
    folder_ = new QLineEdit(this);
    user_ = new QLineEdit(this);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    password_->setToolTip(QStringLiteral("Dobbelklikk for å skjule/vise passord i klartekst"));
    password_->installEventFilter(this);
    port_ = new QLineEdit(this);
    ssl_ = new QCheckBox(QStringLiteral("SSL"), this);
    form->addRow(QStringLiteral("Navn:"), name_);
    form->addRow(QStringLiteral("Server:"), server_);
    form->addRow(QStringLiteral("Mappe:"), folder_);
    form->addRow(QStringLiteral("Brukernavn:"), user_);
    form->addRow(QStringLiteral("Passord:"), password_);
    form->addRow(QStringLiteral("Port:"), port_);
    form->addRow(QString(), ssl_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void ServerSetupForm::TogglePasswordShown() {
    password_->setEchoMode(password_->echoMode() == QLineEdit::Password ? QLineEdit::Normal
                                                                        : QLineEdit::Password);
}

bool ServerSetupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == password_ && event->type() == QEvent::MouseButtonDblClick) {
        TogglePasswordShown();
        return true;
    }
    return WindowBase<QDialog>::eventFilter(watched, event);
}

void ServerSetupForm::Load() {
    ConfigStore& config = Ctx().config();
    const QString section = Section();
    name_->setText(config.ReadKey(section, QStringLiteral("name")));
    server_->setText(config.ReadKey(section, QStringLiteral("server")));
    folder_->setText(config.ReadKey(section, QStringLiteral("folder")));
    user_->setText(config.ReadKey(section, QStringLiteral("username")));
    password_->setText(UnscramblePassword(config.ReadKey(section, QStringLiteral("password"))));
    port_->setText(config.ReadKey(section, QStringLiteral("port")));
    config.SelectSection(section);
    ssl_->setChecked(config.ReadIniBool(QStringLiteral("SSL")));
    config.RestoreSection();
    loaded_ = true;
}

void ServerSetupForm::Store() {
    ConfigStore& config = Ctx().config();
    config.SelectSection(Section());
    config.WriteIniString(QStringLiteral("name"), name_->text());
    config.WriteIniString(QStringLiteral("server"), server_->text());
    config.WriteIniString(QStringLiteral("folder"), folder_->text());
    config.WriteIniString(QStringLiteral("username"), user_->text());
    config.WriteIniString(QStringLiteral("password"), ScramblePassword(password_->text()));
    const QString port = port_->text().trimmed();
    config.WriteIniString(QStringLiteral("port"), port.isEmpty() ? QStringLiteral("21") : port);
    config.WriteIniBool(QStringLiteral("SSL"), ssl_->isChecked());
    config.RestoreSection();
}

void ServerSetupForm::showEvent(QShowEvent* event) {
    Load();
    WindowBase<QDialog>::showEvent(event);
}

void ServerSetupForm::hideEvent(QHideEvent* event) {
    if (loaded_) Store();
    loaded_ = false;
    WindowBase<QDialog>::hideEvent(event);
}
