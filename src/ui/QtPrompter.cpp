#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"

void CentreOnLastWindow(QWidget* dialog) {
    const Geometry last = Ctx().config().LastGeometry();
    if (last.width <= 0 || last.height <= 0) return;
    dialog->adjustSize();
    dialog->move(last.left + (last.width - dialog->width()) / 2,
                 last.top + (last.height - dialog->height()) / 2);
}

YesNoDialog::YesNoDialog(const QString& question, bool defaultYes, QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(question, this)),
      yes_(new QPushButton(QStringLiteral("&Ja"), this)),
      no_(new QPushButton(QStringLiteral("&Nei"), this)),
      defaultYes_(defaultYes),
      answer_(defaultYes) {
    setWindowTitle(QStringLiteral("?"));
    setModal(true);
    label_->setAlignment(Qt::AlignCenter);
    label_->setTextFormat(Qt::PlainText);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_, 1);
    layout->addLayout(buttons);

    // Wide enough for the question plus a margin, never narrower than designed.
    const int textWidth = label_->fontMetrics().size(0, question).width();
    setFixedWidth(std::max(DesignedWidth, textWidth + 50));

    QPushButton* preferred = defaultYes ? yes_ : no_;
    yes_->setAutoDefault(false);
    no_->setAutoDefault(false);
    preferred->setDefault(true);
    preferred->setFocus();

    connect(yes_, &QPushButton::clicked, this, [this] {
        answer_ = true;
        accept();
    });
    connect(no_, &QPushButton::clicked, this, [this] {
        answer_ = false;
        accept();
    });
    // Closing the window or Escape: reject() leaves the default answer.
}

void YesNoDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (defaultYes_ ? yes_ : no_)->setFocus();
}

InputDialog::InputDialog(const QString& prompt, const QString& text, bool masked, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(prompt, this)),
      edit_(new QLineEdit(text, this)),
      ok_(new QPushButton(QStringLiteral("O&k"), this)),
      cancel_(new QPushButton(QStringLiteral("&Avbryt"), this)) {
    setModal(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setBuddy(edit_);
    if (masked) {
        edit_->setEchoMode(QLineEdit::Password);
        edit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    }
    edit_->setMinimumWidth(std::max(280, label_->sizeHint().width()));
    edit_->selectAll();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addLayout(buttons);

    ok_->setDefault(true);
    cancel_->setAutoDefault(false);
    edit_->setFocus();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> InputDialog::answer() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    return edit_->text();
}

void QtPrompter::ShowMessage(const QString& caption, const QString& text) {
    const bool error = caption.compare(QStringLiteral("FEIL"), Qt::CaseInsensitive) == 0;
    QMessageBox box(error ? QMessageBox::Warning : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, QApplication::activeWindow());
    CentreOnLastWindow(&box);
    box.exec();
}

bool QtPrompter::AskYesNo(const QString& question, bool defaultYes) {
    YesNoDialog dialog(question, defaultYes, QApplication::activeWindow());
    CentreOnLastWindow(&dialog);
    dialog.exec();
    return dialog.answer();
}

std::optional<QString> QtPrompter::AskInput(const QString& prompt, const QString& prefilled,
                                            bool masked) {
    InputDialog dialog(prompt, prefilled, masked, QApplication::activeWindow());
    CentreOnLastWindow(&dialog);
    dialog.exec();
    return dialog.answer();
}

QString QtPrompter::ChooseFolder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start,
                                             QFileDialog::ShowDirsOnly);
}

QString QtPrompter::ChooseOpenFile(const QString& title, const QString& start,
                                   const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, start, filter);
}

QString QtPrompter::ChooseSaveFile(const QString& title, const QString& start,
                                   const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, start, filter);
}
