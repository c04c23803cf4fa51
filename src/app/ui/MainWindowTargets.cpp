#include "app/ui/MainWindowTargets.h"

#include <QHash>

namespace {

const QHash<QString, MainWindowTarget>& Targets() {
    static const QHash<QString, MainWindowTarget> targets = {
        // Panel buttons.
        {QStringLiteral("Fir&maer"), {QStringLiteral("CompanyListForm"), QString()}},
        {QStringLiteral("&Kontakter"), {QStringLiteral("ContactListForm"), QString()}},
        {QStringLiteral("K&alender"), {QStringLiteral("CalendarListForm"), QString()}},
        {QStringLiteral("TODO"), {QStringLiteral("CalendarListForm"), QStringLiteral("todo")}},
        {QStringLiteral("&Ordre"), {QStringLiteral("OrderListForm"), QString()}},
        {QStringLiteral("&Tilbud"), {QStringLiteral("OfferListForm"), QString()}},
        {QStringLiteral("&Nyheter"), {QStringLiteral("NewsListForm"), QString()}},
        {QStringLiteral("&Reklame"), {QStringLiteral("BannerListForm"), QString()}},
        {QStringLiteral("&Innkjøp"), {QStringLiteral("POListForm"), QString()}},
        {QStringLiteral("&Vareregister"), {QStringLiteral("ProductListForm"), QString()}},
        {QStringLiteral("Varelager"), {QStringLiteral("ProductStoreForm"), QString()}},
        {QStringLiteral("Varegrupper"), {QStringLiteral("ProductGroupListForm"), QString()}},
        {QStringLiteral("Varetransaksjoner"), {QStringLiteral("ItemsListForm"), QString()}},
        {QStringLiteral("&Prosjekt"), {QStringLiteral("ProjectListForm"), QString()}},
        {QStringLiteral("&Dokumenter"), {QStringLiteral("DocumentListForm"), QString()}},
        {QStringLiteral("Timeregistrering"), {QStringLiteral("CalendarRegListForm"), QString()}},
        {QStringLiteral("Vareuttak"), {QStringLiteral("ItemsProjectForm"), QString()}},
        {QStringLiteral("Avvik"), {QStringLiteral("DeviationListForm"), QString()}},
        {QStringLiteral("&Utstyr"), {QStringLiteral("AssetListForm"), QString()}},
        {QStringLiteral("&Jobber"), {QStringLiteral("JobListForm"), QString()}},
        {QStringLiteral("Sertifikater"), {QStringLiteral("CertificateListForm"), QString()}},
        {QStringLiteral("KASSE"), {QStringLiteral("ShopCashierForm"), QString()}},
        {QStringLiteral("&Faktura"), {QStringLiteral("InvoiceListForm"), QString()}},
        {QStringLiteral("Kontoplan"), {QStringLiteral("AccountListForm"), QString()}},
        {QStringLiteral("Posteringer"), {QStringLiteral("EntriesListForm"), QString()}},
        {QStringLiteral("Butikk"), {QStringLiteral("ShopForm"), QString()}},
        // The new-record row, by hint: the "Ny" command of each list.
        {QStringLiteral("Ny timeoppføring"), {QStringLiteral("CalendarRegListForm"), QStringLiteral("new")}},
        {QStringLiteral("Nytt firma"), {QStringLiteral("CompanyListForm"), QStringLiteral("new")}},
        {QStringLiteral("Ny postering"), {QStringLiteral("EntriesListForm"), QStringLiteral("new")}},
        {QStringLiteral("Nytt dokument"), {QStringLiteral("DocumentListForm"), QStringLiteral("new")}},
        {QStringLiteral("Ny vare"), {QStringLiteral("ProductListForm"), QStringLiteral("new")}},
        {QStringLiteral("Nytt innkjøp"), {QStringLiteral("POListForm"), QStringLiteral("new")}},
        {QStringLiteral("Ny ordre"), {QStringLiteral("OrderListForm"), QStringLiteral("new")}},
        {QStringLiteral("Nytt tilbud"), {QStringLiteral("OfferListForm"), QStringLiteral("new")}},
    };
    return targets;
}

}  // namespace

MainWindowTarget MainWindowTargetOf(const QString& caption) { return Targets().value(caption); }
