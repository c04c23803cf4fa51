#pragma once
// A Prompter for benchmarks: messages go to stderr, questions take their default,
// inputs and file choices are cancelled.
#include <QString>
#include <cstdio>
#include <optional>

#include "app/frame/Prompter.h"

class SilentPrompter : public Prompter {
  public:
    void ShowMessage(const QString& caption, const QString& text) override {
        std::fprintf(stderr, "message: %s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    }
    bool AskYesNo(const QString&, bool defaultYes) override { return defaultYes; }
    std::optional<QString> AskInput(const QString&, const QString&, bool) override { return std::nullopt; }
    QString ChooseFolder(const QString&, const QString&) override { return QString(); }
    QString ChooseOpenFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return QString(); }
};
