#include "ui/LaterVersion.h"

#include "app/frame/Prompter.h"

void ShowLaterVersion() { ShowMessage(QStringLiteral("Informasjon"), QStringLiteral("Kommer i en senere versjon")); }
