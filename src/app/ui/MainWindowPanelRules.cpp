#include "app/ui/MainWindowPanelRules.h"

#include "app/frame/LogonValues.h"
#include "data/Rights.h"

namespace {
PanelButtonRule Read(const char* caption, const char* key) {
    return {QString::fromUtf8(caption), QString::fromUtf8(key), u'R', QString()};
}
PanelButtonRule Always(const char* caption, const char* hint = "") {
    return {QString::fromUtf8(caption), QString(), QChar(), QString::fromUtf8(hint)};
}

std::vector<PanelRule> BuildRules() {
    std::vector<PanelRule> rules;
    rules.push_back({MainPanel::NewRecord,
                     QString(),
                     {},
                     {Always("Time", "Ny timeoppføring"), Always("Firma", "Nytt firma"),
                      Always("Ansatt", "Ny ansatt"), Always("Post.", "Ny postering"),
                      Always("Dok.", "Nytt dokument"), Always("Vare", "Ny vare"),
                      Always("Innkj.", "Nytt innkjøp"), Always("Ordre", "Ny ordre"),
                      Always("Tilbud", "Nytt tilbud")}});
    rules.push_back({MainPanel::Standard,
                     QStringLiteral("HideStdPanel"),
                     {QStringLiteral("contact"), QStringLiteral("company"), QStringLiteral("task")},
                     {Read("Fir&maer", "company"), Read("&Kontakter", "contact"),
                      Read("K&alender", "task"), Read("TODO", "task")}});
    rules.push_back({MainPanel::Sale,
                     QStringLiteral("HideSalePanel"),
                     {QStringLiteral("orders"), QStringLiteral("offer"), QStringLiteral("news"),
                      QStringLiteral("banner")},
                     {Read("&Ordre", "orders"), Read("&Tilbud", "offer"), Read("&Nyheter", "news"),
                      Read("&Reklame", "banner")}});
    rules.push_back(
        {MainPanel::Purchase,
         QStringLiteral("HidePOPanel"),
         {QStringLiteral("po"), QStringLiteral("product"), QStringLiteral("productview")},
         {Read("&Innkjøp", "po"),
          Read("&Vareregister", "product"),
          Read("Varelager", "product"),
          Read("Varegrupper", "productview"),
          {QStringLiteral("Varetransaksjoner"), QStringLiteral("items"), u'A', QString()}}});
    rules.push_back({MainPanel::Project,
                     QStringLiteral("HideProjectPanel"),
                     {QStringLiteral("project"), QStringLiteral("document"),
                      QStringLiteral("subproject"), QStringLiteral("calendar")},
                     {Read("&Prosjekt", "project"), Read("Timeregistrering", "calendar"),
                      Always("&Dokumenter"), Always("Vareuttak"), Always("Avvik")}});
    rules.push_back({MainPanel::Asset,
                     QStringLiteral("HideAssetPanel"),
                     {QStringLiteral("asset"), QStringLiteral("jobs"), QStringLiteral("users")},
                     {Read("&Utstyr", "asset"), Read("&Jobber", "jobs"), Read("Personal", "users"),
                      Always("Sertifikater")}});
    rules.push_back(
        {MainPanel::Account,
         QStringLiteral("HideAccountPanel"),
         {QStringLiteral("invoice"), QStringLiteral("accounts"), QStringLiteral("entries")},
         {Always("KASSE"), Always("&Faktura"), Always("Kontoplan"), Always("Posteringer"),
          Always("Butikk")}});
    rules.push_back({MainPanel::Tool,
                     QStringLiteral("HideToolPanel"),
                     {},
                     {Always("Filer"),
                      Always("PDF-mappe"),
                      Always("Kalkulator"),
                      Always("Nettleser"),
                      {kTfmButtonCaption, QString(), QChar(), QStringLiteral("TFM-koder")},
                      Always("WEB", "Varlokken på WEB")}});
    return rules;
}
}  // namespace

const std::vector<PanelRule>& MainPanelRules() {
    static const std::vector<PanelRule> rules = BuildRules();
    return rules;
}

const PanelRule& MainPanelRule(MainPanel panel) {
    for (const PanelRule& rule : MainPanelRules())
        if (rule.panel == panel) return rule;
    return MainPanelRules().front();
}

std::vector<MainPanel> HideablePanels() {
    std::vector<MainPanel> panels;
    for (const PanelRule& rule : MainPanelRules())
        if (!rule.hideKey.isEmpty()) panels.push_back(rule.panel);
    return panels;
}

bool PanelAllowed(const PanelRule& rule, const LogonValues& logon) {
    if (rule.readKeys.isEmpty()) return true;
    for (const QString& key : rule.readKeys)
        if (HasReadRight(logon, key)) return true;
    return false;
}

bool ButtonAllowed(const PanelButtonRule& rule, const LogonValues& logon) {
    if (rule.key.isEmpty()) return true;
    return HasRight(logon, rule.key, rule.letter);
}
