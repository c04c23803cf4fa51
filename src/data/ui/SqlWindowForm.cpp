#include "data/ui/SqlWindowForm.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "data/DataModule.h"

SqlWindowForm::SqlWindowForm(QWidget* parent)
    : WindowBase<QWidget>(QStringLiteral("SqlWindowForm"), parent),
      module_(DataModule::HasCurrent() ? &DataModule::Current() : nullptr) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("SQL-vindu"));
    resize(640, 360);
    text_ = new QPlainTextEdit(this);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setMaximumBlockCount(kMaxLines);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    if (module_) module_->SetSqlWindowSink([this](const QString& sql) { AppendStatement(sql); });
}

SqlWindowForm::~SqlWindowForm() {
    // Only the module that feeds this window, and only while it is still the current one.
    if (module_ && DataModule::HasCurrent() && &DataModule::Current() == module_)
        module_->SetSqlWindowSink({});
}

void SqlWindowForm::AppendStatement(const QString& sql) {
    QString line = sql;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text_->appendPlainText(line);
}

SqlWindowForm* ShowSqlWindow(QWidget* owner) {
    static QPointer<SqlWindowForm> window;
    if (!window) window = new SqlWindowForm(owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
