#include "app/ui/LogonDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/ui/TableSetupForm.h"

namespace {

QPushButton* Button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    // Enter belongs to the fields ("Logg på"), never to a focused button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

bool AutologonOn() {
    const QString v = Ctx().config().ReadKey(ConfigStore::StandardSection, QStringLiteral("autologon")).trimmed();
    return v == QLatin1String("1") || v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace

LogonDialog::LogonDialog(DataModule& dm, QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("LogonForm"), parent), dm_(dm) {
    SetOnlyPos(true);
    setWindowTitle(QStringLiteral("Varlokken pålogging"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // grows with "Alternativer >>"

    version_ = new QLabel(QStringLiteral("Varlokken versjon 6.12-732  08.10.2012"), this);
    layout->addWidget(version_);

    userPanel_ = new QWidget(this);
    auto* userForm = new QFormLayout(userPanel_);
    userForm->setContentsMargins(0, 0, 0, 0);
    user_ = new QLineEdit(userPanel_);
    password_ = new QLineEdit(userPanel_);
    password_->setEchoMode(QLineEdit::Password);
    remember_ = new QCheckBox(QStringLiteral("Husk pålogging"), userPanel_);
    userForm->addRow(QStringLiteral("Brukernavn:"), user_);
    userForm->addRow(QStringLiteral("Passord:"), password_);
    userForm->addRow(QString(), remember_);
    user_->setMinimumWidth(220);
    layout->addWidget(userPanel_);

    optionsPanel_ = new QWidget(this);
    auto* optionsForm = new QFormLayout(optionsPanel_);
    optionsForm->setContentsMargins(0, 0, 0, 0);
    server_ = new QLineEdit(optionsPanel_);
    server_->setPlaceholderText(QStringLiteral("tomt: lokal databaseserver"));
    database_ = new QLineEdit(optionsPanel_);
    database_->setPlaceholderText(QStringLiteral("varlokken"));
    database_->installEventFilter(this);
    loadIni_ = new QCheckBox(QStringLiteral("Last inifil fra server"), optionsPanel_);
    optionsForm->addRow(QStringLiteral("Servernavn:"), server_);
    optionsForm->addRow(QStringLiteral("Database:"), database_);
    optionsForm->addRow(QString(), loadIni_);
    optionsPanel_->hide();
    layout->addWidget(optionsPanel_);

    progressPanel_ = new QWidget(this);
    auto* progressLayout = new QVBoxLayout(progressPanel_);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressText_ = new QLabel(progressPanel_);
    progressText_->setMinimumWidth(300);
    progressBar_ = new QProgressBar(progressPanel_);
    progressBar_->setRange(0, ProgressMaximum);
    progressBar_->setValue(0);
    progressLayout->addWidget(progressText_);
    progressLayout->addWidget(progressBar_);
    progressPanel_->hide();
    layout->addWidget(progressPanel_);

    buttons_ = new QWidget(this);
    auto* row = new QHBoxLayout(buttons_);
    row->setContentsMargins(0, 0, 0, 0);
    logon_ = Button(QStringLiteral("Logg på"), buttons_);
    cancel_ = Button(QStringLiteral("&Avbryt"), buttons_);
    options_ = Button(QStringLiteral("Alternativer >>"), buttons_);
    row->addWidget(logon_);
    row->addWidget(cancel_);
    row->addStretch();
    row->addWidget(options_);
    layout->addWidget(buttons_);

    connect(logon_, &QPushButton::clicked, this, &LogonDialog::LogOn);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        reject();
    });
    connect(options_, &QPushButton::clicked, this, &LogonDialog::ShowOptions);
    for (QLineEdit* field : {user_, password_, server_, database_})
        connect(field, &QLineEdit::returnPressed, this, &LogonDialog::LogOn);

    Fill();
    user_->setFocus();
}

void LogonDialog::Fill() {
    const LogonRequest saved = SavedRequest(Ctx().config());
    user_->setText(saved.userName);
    password_->setText(saved.password);
    server_->setText(saved.serverName);
    database_->setText(saved.database);
    loadIni_->setChecked(saved.loadIniFromServer);
    remember_->setChecked(saved.remember);
}

bool LogonDialog::OptionsShown() const { return !optionsPanel_->isHidden(); }

LogonRequest LogonDialog::Request() const {
    LogonRequest r;
    r.userName = user_->text().trimmed();
    r.password = password_->text();
    r.serverName = server_->text().trimmed();
    r.database = database_->text().trimmed();
    r.loadIniFromServer = loadIni_->isChecked();
    r.remember = remember_->isChecked();
    return r;
}

void LogonDialog::ShowOptions() {
    optionsPanel_->show();
    options_->setEnabled(false);
    server_->setFocus();
}

void LogonDialog::OpenTableSetup() { ShowTableSetup(this); }

void LogonDialog::ShowProgressPanel() {
    userPanel_->hide();
    optionsPanel_->hide();
    buttons_->hide();
    progressBar_->setValue(0);
    progressPanel_->show();
}

void LogonDialog::LogOn() {
    if (running_) return;
    running_ = true;
    LogonRequest request = Request();
    ConnectSequence sequence(dm_);
    LogonProgress progress;
    progress.showPanel = [this] { ShowProgressPanel(); };
    progress.text = [this](const QString& text) {
        progressText_->setText(text);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    progress.advance = [this] { progressBar_->setValue(qMin(progressBar_->value() + 1, ProgressMaximum)); };
    sequence.SetProgress(progress);
    connected_ = sequence.RunFromDialog(request);
    // The fields show what was used (the name@host input taken apart).
    user_->setText(request.userName);
    server_->setText(request.serverName);
    database_->setText(request.database);
    running_ = false;
    if (connected_) {
        accept();
        return;
    }
    progressText_->setText(QStringLiteral("Ikke koblet til ") + ConnectSequence::ServerDisplayName(request.serverName));
}

bool LogonDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == database_ && event->type() == QEvent::MouseButtonDblClick) {
        OpenTableSetup();
        return true;
    }
    return WindowBase<QDialog>::eventFilter(watched, event);
}

LogonOutcome RunLogonDialog(QWidget* parent) {
    LogonDialog dialog(DM(), parent);
    dialog.exec();
    if (dialog.Cancelled()) return LogonOutcome::Cancelled;
    return dialog.Connected() ? LogonOutcome::Connected : LogonOutcome::NotConnected;
}

bool ShowLogonDialog(QWidget* parent) {
    const LogonOutcome outcome = RunLogonDialog(parent);
    if (outcome == LogonOutcome::Cancelled) QCoreApplication::quit();
    return outcome == LogonOutcome::Connected;
}

LogonOutcome RunStartLogon(QWidget* parent) {
    if (AutologonOn()) {
        ConnectSequence sequence(DM());
        return sequence.RunSaved() ? LogonOutcome::Connected : LogonOutcome::NotConnected;
    }
    return RunLogonDialog(parent);
}
