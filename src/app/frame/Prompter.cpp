#include "app/frame/Prompter.h"

#include "app/frame/AppContext.h"

void ShowMessage(const QString& caption, const QString& text) {
    Ctx().prompter().ShowMessage(caption, text);
}

bool AskYesNo(const QString& question, bool defaultYes) {
    return Ctx().prompter().AskYesNo(question, defaultYes);
}

QString ChooseFolder(const QString& title, const QString& start) {
    QString folder = Ctx().prompter().ChooseFolder(title, start);
    if (folder.isEmpty()) folder = start;
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder;
}

QString ChooseFolder(const QString& start) {
    return ChooseFolder(QStringLiteral("Valg mappe"), start);
}

QString ChooseOpenFile(const QString& title, const QString& start, const QString& filter) {
    return Ctx().prompter().ChooseOpenFile(title, start, filter);
}

QString ChooseSaveFile(const QString& title, const QString& start, const QString& filter) {
    return Ctx().prompter().ChooseSaveFile(title, start, filter);
}

namespace {
const QString lastInputKey = QStringLiteral("LastInputStr");

bool IsNumericAnswer(const QString& answer) {
    for (const QChar c : answer) {
        if (!(c >= u'0' && c <= u'9') && c != u',' && c != u'.') return false;
    }
    return true;
}
}  // namespace

bool IsSecretPrompt(const QString& prompt) {
    return prompt == QStringLiteral("Passord") || prompt == QStringLiteral("Nytt passord");
}

QString AskInput(const QString& prompt, const QString& initial) {
    AppContext& ctx = Ctx();
    const bool secret = IsSecretPrompt(prompt);
    QString prefilled = initial;
    if (prefilled.isEmpty() && !secret) {
        ctx.config().OpenUserIni();
        prefilled = ctx.config().ReadIniString(lastInputKey);
        ctx.config().CloseUserIni();
    }
    const std::optional<QString> answer = ctx.prompter().AskInput(prompt, prefilled, secret);
    const QString text = answer.value_or(QString());
    if (answer && !secret) {
        ctx.config().OpenUserIni();
        ctx.config().WriteIniString(lastInputKey, text);
        ctx.config().CloseUserIni();
    }
    ctx.prompter().setLastInputNumeric(IsNumericAnswer(text));
    return text;
}

bool LastInputWasNumeric() { return Ctx().prompter().lastInputNumeric(); }
