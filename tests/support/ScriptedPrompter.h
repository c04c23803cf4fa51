#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "app/frame/Prompter.h"

namespace testsupport {

// A Prompter for tests: every question takes the next scripted answer, in
// order, and every message and question is recorded. A question without a
// matching scripted answer fails the test (and gets the harmless answer:
// the default, a cancel); answers still unused when it goes away fail it too.
class ScriptedPrompter : public Prompter {
  public:
    enum class Kind { Message, YesNo, Input, Folder, OpenFile, SaveFile };

    // One message shown or question asked, with what the dialog was given.
    struct Event {
        Kind kind;
        QString caption;    // message caption, chooser title
        QString text;       // message text, question, prompt, chooser start
        QString prefilled;  // AskInput: the text the field offered
        bool masked = false;
        bool defaultYes = false;
        QString filter;  // file choosers
    };

    ScriptedPrompter() = default;
    ~ScriptedPrompter() override;

    // The script, in the order the questions will come.
    ScriptedPrompter& Yes();
    ScriptedPrompter& No();
    ScriptedPrompter& CloseYesNo();  // the window closed without a choice: the default
    ScriptedPrompter& Input(const QString& answer);
    ScriptedPrompter& CancelInput();
    ScriptedPrompter& Folder(const QString& folder);  // empty: cancelled
    ScriptedPrompter& OpenFile(const QString& file);
    ScriptedPrompter& SaveFile(const QString& file);

    const std::vector<Event>& events() const { return events_; }
    // Just the messages, each as "caption: text".
    std::vector<QString> messages() const;
    // Scripted answers not yet used.
    size_t pending() const { return script_.size(); }
    // Drops what was recorded (the script stays).
    void ClearEvents() { events_.clear(); }

    void ShowMessage(const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& question, bool defaultYes) override;
    std::optional<QString> AskInput(const QString& prompt, const QString& prefilled,
                                    bool masked) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    QString ChooseOpenFile(const QString& title, const QString& start,
                           const QString& filter) override;
    QString ChooseSaveFile(const QString& title, const QString& start,
                           const QString& filter) override;

  private:
    struct Answer {
        Kind kind;
        int choice = 0;  // YesNo: 1 yes, 0 no, -1 closed; Input: 1 answered, 0 cancelled
        QString text;
    };
    // The next answer when it is of `kind`; otherwise fails the test and gives nothing.
    bool Next(Kind kind, const QString& asked, Answer& answer);

    std::deque<Answer> script_;
    std::vector<Event> events_;
};

}  // namespace testsupport
