#pragma once

#include <QDialog>
#include <QString>

#include "ui/WindowBase.h"

class QLineEdit;
class QPushButton;

// The postal code window ("Postnummer"), a small tool window opened by the "?" buttons of
// the company and contact windows: the typed code and what the register says of it (place,
// municipality number and name, county, category). The code is looked up on show and
// whenever it becomes exactly four characters long. When the register file is missing the
// button "Last ned postfil" appears; it fetches the file through the download window from
// the server of the company ini key "PostfilServer" (disabled while that is empty).
// Shown by name: "PostnummerForm" (argument: the code).
class PostnummerForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit PostnummerForm(QWidget* parent = nullptr);
    ~PostnummerForm() override;

    // Shows the window with a code (looked up when it has four characters).
    void ShowCode(const QString& code);

    // Looks the typed code up and shows the result; false when it was not looked up (not
    // four characters).
    bool Lookup();
    // "Last ned postfil": true when the register was fetched (the code is then looked up
    // again and the button hidden).
    bool DownloadRegister();

    QLineEdit* CodeEdit() const { return code_; }
    QPushButton* DownloadButton() const { return download_; }
    // The shown texts: "Poststed:", "Kommunenr.:", "Kommune:", "Fylke:", "Kategori:".
    QString PlaceText() const;
    QString MunicipalityNumberText() const;
    QString MunicipalityText() const;
    QString CountyText() const;
    QString CategoryText() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowResult(const QString& place, const QString& number, const QString& municipality,
                    const QString& county, const QString& category);
    void ShowDownloadButton();

    QLineEdit* code_;
    QLineEdit* place_;
    QLineEdit* number_;
    QLineEdit* municipality_;
    QLineEdit* county_;
    QLineEdit* category_;
    QPushButton* download_;
};
