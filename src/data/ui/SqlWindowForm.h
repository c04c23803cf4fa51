#pragma once

#include <QWidget>

#include "ui/WindowBase.h"

class DataModule;
class QPlainTextEdit;

// The SQL window ("SQL-vindu"): one multi-line text box to which every SELECT the data
// module's select builder composes is appended as a line while the window exists, so that
// an administrator can see and copy what the lists run.
class SqlWindowForm : public WindowBase<QWidget> {
    Q_OBJECT
  public:
    // Lines kept; the oldest go first, so a long session does not fill the memory.
    static constexpr int kMaxLines = 20000;

    explicit SqlWindowForm(QWidget* parent = nullptr);
    ~SqlWindowForm() override;

    QPlainTextEdit* text() const { return text_; }
    void AppendStatement(const QString& sql);

  private:
    QPlainTextEdit* text_;
    DataModule* module_;  // whose select builder feeds this window
};

// Shows the SQL window, created on first use as a window of `owner` (it lives as long as
// `owner`); later calls show and raise the same window.
SqlWindowForm* ShowSqlWindow(QWidget* owner);
