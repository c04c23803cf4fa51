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

QString ChooseFolder(const QString& start) { return ChooseFolder(QStringLiteral("Valg mappe"), start); }

QString ChooseOpenFile(const QString& title, const QString& start, const QString& filter) {
    return Ctx().prompter().ChooseOpenFile(title, start, filter);
}

QString ChooseSaveFile(const QString& title, const QString& start, const QString& filter) {
    return Ctx().prompter().ChooseSaveFile(title, start, filter);
}
