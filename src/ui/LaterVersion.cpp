#include "ui/LaterVersion.h"

#include "app/frame/Prompter.h"

void ShowLaterVersion() { ShowMessage(QStringLiteral("Varlokken 6"), QStringLiteral("Kommer i en senere versjon")); }
