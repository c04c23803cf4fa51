#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct LogonValues;

// The main window's column of panels and which of them, and which of their
// buttons, a user sees. No widgets here: the window builds itself from these
// tables and asks them what to show.

enum class MainPanel { NewRecord, Standard, Sale, Purchase, Project, Asset, Account, Tool };

// One button: its caption, and the right that shows it ("R" read, "A"
// admin on `key`; an empty key shows it always).
struct PanelButtonRule {
    QString caption;
    QString key;
    QChar letter;
    QString hint;
};

struct PanelRule {
    MainPanel panel;
    // Per-user ini key (section "STANDARD") that hides the panel; empty for
    // the new-record row, which the company ini key "ShowNewPanel" switches on.
    QString hideKey;
    // The panel shows when the user may read any of these (empty: always).
    QStringList readKeys;
    std::vector<PanelButtonRule> buttons;
};

// The panels from top to bottom, the new-record row first.
const std::vector<PanelRule>& MainPanelRules();
const PanelRule& MainPanelRule(MainPanel panel);

// The seven panels with a hide button and a hide key (all but the new-record row).
std::vector<MainPanel> HideablePanels();

// Whether the rights let the user see the panel / the button (hide keys aside).
bool PanelAllowed(const PanelRule& rule, const LogonValues& logon);
bool ButtonAllowed(const PanelButtonRule& rule, const LogonValues& logon);

// The caption of the TFM code button of the tool panel.
inline const QString kTfmButtonCaption = QStringLiteral("TFM");
