#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace testsupport {

namespace {
const char* KindName(ScriptedPrompter::Kind kind) {
    switch (kind) {
        case ScriptedPrompter::Kind::Message:
            return "message";
        case ScriptedPrompter::Kind::YesNo:
            return "yes/no question";
        case ScriptedPrompter::Kind::Input:
            return "input";
        case ScriptedPrompter::Kind::Folder:
            return "folder choice";
        case ScriptedPrompter::Kind::OpenFile:
            return "open-file choice";
        case ScriptedPrompter::Kind::SaveFile:
            return "save-file choice";
    }
    return "?";
}
}  // namespace

ScriptedPrompter::~ScriptedPrompter() {
    if (!script_.empty()) {
        ADD_FAILURE() << script_.size() << " scripted answer(s) never asked for; the first is a "
                      << KindName(script_.front().kind);
    }
}

ScriptedPrompter& ScriptedPrompter::Yes() {
    script_.push_back({Kind::YesNo, 1, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::No() {
    script_.push_back({Kind::YesNo, 0, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::CloseYesNo() {
    script_.push_back({Kind::YesNo, -1, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::Input(const QString& answer) {
    script_.push_back({Kind::Input, 1, answer});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::CancelInput() {
    script_.push_back({Kind::Input, 0, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::Folder(const QString& folder) {
    script_.push_back({Kind::Folder, 0, folder});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::OpenFile(const QString& file) {
    script_.push_back({Kind::OpenFile, 0, file});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::SaveFile(const QString& file) {
    script_.push_back({Kind::SaveFile, 0, file});
    return *this;
}

std::vector<QString> ScriptedPrompter::messages() const {
    std::vector<QString> out;
    for (const Event& e : events_) {
        if (e.kind == Kind::Message) out.push_back(e.caption + QStringLiteral(": ") + e.text);
    }
    return out;
}

bool ScriptedPrompter::Next(Kind kind, const QString& asked, Answer& answer) {
    if (script_.empty()) {
        ADD_FAILURE() << "unscripted " << KindName(kind) << ": " << asked.toStdString();
        return false;
    }
    if (script_.front().kind != kind) {
        ADD_FAILURE() << "scripted a " << KindName(script_.front().kind) << " but got a "
                      << KindName(kind) << ": " << asked.toStdString();
        return false;
    }
    answer = script_.front();
    script_.pop_front();
    return true;
}

void ScriptedPrompter::ShowMessage(const QString& caption, const QString& text) {
    events_.push_back({Kind::Message, caption, text, {}, false, false, {}});
}

bool ScriptedPrompter::AskYesNo(const QString& question, bool defaultYes) {
    events_.push_back({Kind::YesNo, {}, question, {}, false, defaultYes, {}});
    Answer a;
    if (!Next(Kind::YesNo, question, a) || a.choice < 0) return defaultYes;
    return a.choice == 1;
}

std::optional<QString> ScriptedPrompter::AskInput(const QString& prompt, const QString& prefilled,
                                                  bool masked) {
    events_.push_back({Kind::Input, {}, prompt, prefilled, masked, false, {}});
    Answer a;
    if (!Next(Kind::Input, prompt, a) || a.choice == 0) return std::nullopt;
    return a.text;
}

QString ScriptedPrompter::ChooseFolder(const QString& title, const QString& start) {
    events_.push_back({Kind::Folder, title, start, {}, false, false, {}});
    Answer a;
    return Next(Kind::Folder, title, a) ? a.text : QString();
}

QString ScriptedPrompter::ChooseOpenFile(const QString& title, const QString& start,
                                         const QString& filter) {
    events_.push_back({Kind::OpenFile, title, start, {}, false, false, filter});
    Answer a;
    return Next(Kind::OpenFile, title, a) ? a.text : QString();
}

QString ScriptedPrompter::ChooseSaveFile(const QString& title, const QString& start,
                                         const QString& filter) {
    events_.push_back({Kind::SaveFile, title, start, {}, false, false, filter});
    Answer a;
    return Next(Kind::SaveFile, title, a) ? a.text : QString();
}

}  // namespace testsupport
