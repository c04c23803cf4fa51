#pragma once

#include <QString>
#include <optional>

// Every question, input, message box and file or folder choice goes through
// one Prompter: the program uses the Qt dialogs, tests a scripted one that
// answers in order and records what was asked. Implementations only show
// and answer; the rules around the answers (the remembered last input, the
// numeric flag, which prompts are secret) live in the free functions below.
class Prompter {
  public:
    virtual ~Prompter() = default;

    // A message box with a caption ("FEIL" for errors) and a text.
    virtual void ShowMessage(const QString& caption, const QString& text) = 0;

    // A yes/no question; closing the window without choosing gives the default.
    virtual bool AskYesNo(const QString& question, bool defaultYes) = 0;

    // A one-line input showing `prefilled`, with the text selected; `masked`
    // shows "*" for every character. Returns the text, or nothing when cancelled.
    virtual std::optional<QString> AskInput(const QString& prompt, const QString& prefilled,
                                            bool masked) = 0;

    // A folder choice starting at `start`; empty when cancelled.
    virtual QString ChooseFolder(const QString& title, const QString& start) = 0;

    // A file to open or to save; `filter` is Qt's "Text (*.txt);;Alle filer (*)".
    // Empty when cancelled.
    virtual QString ChooseOpenFile(const QString& title, const QString& start,
                                   const QString& filter) = 0;
    virtual QString ChooseSaveFile(const QString& title, const QString& start,
                                   const QString& filter) = 0;

    // The numeric flag of the last AskInput; kept here so each context has its own.
    bool lastInputNumeric() const { return lastInputNumeric_; }
    void setLastInputNumeric(bool numeric) { lastInputNumeric_ = numeric; }

  private:
    bool lastInputNumeric_ = true;
};

// The free functions every window and rule calls; they use the current
// context's Prompter and configuration store.

// Shows a message box.
void ShowMessage(const QString& caption, const QString& text);

// Asks a yes/no question.
bool AskYesNo(const QString& question, bool defaultYes);

// Asks for one line of text. With an empty initial text the field offers the
// last answer ("LastInputStr" of the per-user ini); "O&k" returns the text and
// remembers it, "&Avbryt" returns an empty text. The prompts "Passord" and
// "Nytt passord" are masked and their answers are neither offered nor kept.
QString AskInput(const QString& prompt, const QString& initial = QString());

// True when the last AskInput's answer held only digits, "," and "."
// (an empty answer counts as numeric).
bool LastInputWasNumeric();

// True when `prompt` asks for a password: masked, never pre-filled or remembered.
bool IsSecretPrompt(const QString& prompt);

// Lets the user choose a folder, starting at `start`. Cancelling returns
// `start`; a non-empty result always ends in "/".
QString ChooseFolder(const QString& title, const QString& start);
// The same with the standard title "Valg mappe".
QString ChooseFolder(const QString& start);

// Lets the user choose a file to open or a file name to save to; empty when cancelled.
QString ChooseOpenFile(const QString& title, const QString& start, const QString& filter);
QString ChooseSaveFile(const QString& title, const QString& start, const QString& filter);
