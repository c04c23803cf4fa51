#pragma once

#include <QDialog>
#include <optional>

#include "app/frame/Prompter.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The yes/no question: captioned "?", the question centred, "&Ja" and
// "&Nei" with the default one focused. Closing it otherwise gives the default.
class YesNoDialog : public QDialog {
    Q_OBJECT
  public:
    YesNoDialog(const QString& question, bool defaultYes, QWidget* parent = nullptr);

    bool answer() const { return answer_; }
    QLabel* questionLabel() const { return label_; }
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

    static constexpr int DesignedWidth = 260;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* label_;
    QPushButton* yes_;
    QPushButton* no_;
    bool defaultYes_;
    bool answer_;
};

// The one-line input: the prompt as label, one edit field with its text
// selected, "O&k" and "&Avbryt", no title-bar buttons.
class InputDialog : public QDialog {
    Q_OBJECT
  public:
    InputDialog(const QString& prompt, const QString& text, bool masked, QWidget* parent = nullptr);

    // The text after "O&k"; nothing after "&Avbryt" or Escape.
    std::optional<QString> answer() const;
    QLabel* promptLabel() const { return label_; }
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    QLabel* label_;
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The program's Prompter: Qt dialogs, the question and input centred on
// the window the user last opened (the store's last geometry record).
class QtPrompter : public Prompter {
  public:
    void ShowMessage(const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& question, bool defaultYes) override;
    std::optional<QString> AskInput(const QString& prompt, const QString& prefilled,
                                    bool masked) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    QString ChooseOpenFile(const QString& title, const QString& start,
                           const QString& filter) override;
    QString ChooseSaveFile(const QString& title, const QString& start,
                           const QString& filter) override;
};

// Moves `dialog` so that it is centred on the last shown window; leaves it
// where it is when no window has been recorded.
void CentreOnLastWindow(QWidget* dialog);
