// Finding rows by their business keys.
#include "data/DataModule.h"

int DataModule::FindIn(Dataset& dataset, const QString& column, const QString& text) {
    if (auto* table = dynamic_cast<Table*>(&dataset); table && table->Filtered()) {
        table->SetFilterSql(QString());
        table->SetFiltered(false);
    }
    if (!dataset.IsActive() || text.isEmpty()) return 0;
    if (!dataset.Locate(column, text, true)) return 0;
    return static_cast<int>(dataset.AsInteger(QStringLiteral("id")));
}

int DataModule::FindProjectId(const QString& projectNumber) {
    return FindIn(ProjectTable(), QStringLiteral("projectnumber"), projectNumber);
}

int DataModule::FindProductId(const QString& productCode) {
    return FindIn(ProductTable(), QStringLiteral("productcode"), productCode);
}

int DataModule::FindUserId(const QString& initialsOrName) {
    const QString column = initialsOrName.size() < 4 ? QStringLiteral("initials") : QStringLiteral("realname");
    return FindIn(UsersTable(), column, initialsOrName);
}

int DataModule::FindContactId(const QString& realName) {
    // A contact condition narrows the query; look among all contacts.
    if (contactQuery_.Sql() != ContactBaseSql()) {
        const bool wasOpen = contactQuery_.IsActive();
        contactQuery_.SetSql(ContactBaseSql());
        if (wasOpen) contactQuery_.Open();
    }
    return FindIn(contactQuery_, QStringLiteral("realname"), realName);
}

int DataModule::FindSubprojectId(const QString& systemNumber) {
    return FindIn(SubProjectTable(), QStringLiteral("systemnumber"), systemNumber);
}

int DataModule::FindAssetId(const QString& assetNumber) {
    return FindIn(AssetTable(), QStringLiteral("assetnumber"), assetNumber);
}
