#pragma once

#include <QPlainTextEdit>

class Dataset;
class DbFieldLink;

// A multi-line text bound to a dataset field, like DbLineEdit.
class DbMemo : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit DbMemo(QWidget* parent = nullptr);
    DbMemo(Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }

    // As if the user typed the text.
    bool SetUserText(const QString& text);

  private:
    DbFieldLink* link_;
};
