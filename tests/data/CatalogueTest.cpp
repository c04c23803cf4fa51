// The table catalogue, the record header's defaults and check boxes, and the
// record information texts.
#include <gtest/gtest.h>

#include <QSet>
#include <map>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "data/Catalogue.h"
#include "data/RecordHeader.h"
#include "data/RecordInfo.h"
#include "data/Rights.h"

namespace {

TEST(Catalogue, IndexOfEveryKeyAndOfKeysNotInTheList) {
    const struct {
        QString key;
        int index;
        QString name;
    } cases[] = {
        {"users", 0, "Brukere"},
        {"document", 1, "Dokumenter"},
        {"po", 5, "Innkjøp"},
        {"jobs", 6, "Jobber"},
        {"subproject", 14, "System"},
        {"items", 19, "Varetransaksjoner"},
        {"certificate", 23, "Sertifikat"},
        // Not one of the 24 tables: another table name, near misses, the
        // rights-only keys, other case, and "unknown" itself.
        {"unknown", 24, "Ukjent"},
        {"mail", 24, "Ukjent"},
        {"user", 24, "Ukjent"},
        {"item", 24, "Ukjent"},
        {"Users", 24, "Ukjent"},
        {" users", 24, "Ukjent"},
        {"task", 24, "Ukjent"},
        {"", 24, "Ukjent"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CatalogueIndex(c.key), c.index) << c.key.toStdString();
        EXPECT_EQ(CatalogueName(CatalogueIndex(c.key)), c.name) << c.key.toStdString();
    }
}

TEST(Catalogue, EveryEntryIsFoundByItsOwnKeyAndIndexesOutsideReadUnknown) {
    const auto& entries = CatalogueEntries();
    QSet<QString> keys;
    for (int i = 0; i < kCatalogueUnknown; ++i) {
        EXPECT_EQ(CatalogueIndex(entries[i].key), i) << entries[i].key.toStdString();
        keys.insert(entries[i].key);
    }
    EXPECT_EQ(keys.size(), kCatalogueUnknown) << "keys must be distinct";
    EXPECT_EQ(CatalogueAt(CatalogueTable::certificate).key, "certificate");
    EXPECT_EQ(CatalogueAt(CatalogueTable::unknown).holder, CatalogueHolder::None);
    for (int outside : {-1, 25, 1000}) EXPECT_EQ(CatalogueName(outside), "Ukjent");
}

TEST(Catalogue, TableKeysOfTheAccessWindowAreCatalogueKeys) {
    // The rights string's keys are the table keys, plus the two rights-only ones.
    for (const RightsKey& k : RightsKeys()) {
        const QString key = QString::fromUtf8(k.key);
        if (key == "task" || key == "participant") continue;
        EXPECT_NE(CatalogueIndex(key), kCatalogueUnknown) << k.key;
    }
}

TEST(Catalogue, OrdersFiltersAndHolders) {
    const auto& orders = CatalogueAt(CatalogueTable::orders);
    EXPECT_EQ(orders.defaultOrder, "id");
    EXPECT_EQ(orders.defaultFilter,
              "status<>'Ferdig' AND status<>'Faktura' AND status<>'Balanse' AND status<>'Kontant'");
    const auto& items = CatalogueAt(CatalogueTable::items);
    EXPECT_EQ(items.holder, CatalogueHolder::Query);
    EXPECT_EQ(items.querySql, "select * from items where id=1");
    const auto& sub = CatalogueAt(CatalogueTable::subproject);
    EXPECT_EQ(sub.masterKey, "project");
    EXPECT_EQ(sub.detailColumn, "project");
    EXPECT_EQ(CatalogueAt(CatalogueTable::entries).filterSource, CatalogueFilterSource::Logon);
    EXPECT_EQ(CatalogueAt(CatalogueTable::project).defaultOrder, "startdate, projectnumber");
}

// A record with the setter a dataset offers.
struct FakeRecord {
    std::map<QString, int> values;
    void SetInteger(const QString& column, qint64 value) { values[column] = int(value); }
};

TEST(RecordHeader, NewRecordGetsOwnerGroupAndUnpublished) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    ctx.logon().CurrentUserId = 5;
    ctx.logon().CurrentGroupId = 100;
    const std::vector<HeaderValue> expected = {{"rwx_all", 0}, {"user", 5}, {"usergroup", 100}};
    EXPECT_EQ(NewRecordDefaults(), expected);

    // rwx_user and rwx_group are left to their column default.
    FakeRecord record;
    LogonValues other;
    other.CurrentUserId = 7;
    other.CurrentGroupId = 2;
    ApplyNewRecordDefaults(record, other);
    EXPECT_EQ(record.values,
              (std::map<QString, int>{{"rwx_all", 0}, {"user", 7}, {"usergroup", 2}}));
}

TEST(RecordHeader, CheckBoxesWriteFixedValuesAndShowOnlyThose) {
    EXPECT_EQ(PublishedValue(true), 5);
    EXPECT_EQ(PublishedValue(false), 0);  // off again is 0, not NULL
    EXPECT_EQ(PrivateGroupValue(true), 0);
    EXPECT_EQ(PrivateGroupValue(false), 7);
    const struct {
        std::optional<int> level;
        bool published, isPrivate;
    } cases[] = {
        {5, true, false},  {0, false, true}, {7, false, false}, {std::nullopt, false, false},
        {4, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPublished(c.level), c.published) << c.level.value_or(-1);
        EXPECT_EQ(IsPrivate(c.level), c.isPrivate) << c.level.value_or(-1);
    }
}

TEST(RecordInfo, FieldsShowLookedUpNamesAndEmptyForNull) {
    const InitialsByUserId users = {{5, "AB"}, {6, "ABC"}};
    const GroupNameByGroupId groups = {{100, "Salg"}, {2, "Lager"}};

    RecordInfoValues full;
    full.created = "15.02.2012";
    full.updated = QDateTime(QDate(2012, 3, 1), QTime(14, 5, 9));
    full.user = 6;
    full.usergroup = 100;
    full.rwxAll = 5;
    full.rwxGroup = 7;
    full.rwxUser = 7;
    full.usertag = 12;
    full.checked = 1;
    const RecordInfoTexts t = RecordInfoFor(full, users, groups);
    EXPECT_EQ(t.created, "15.02.2012");
    EXPECT_EQ(t.updated, "01.03.2012 14:05:09");
    EXPECT_EQ(t.owner, "ABC");
    EXPECT_EQ(t.group, "Salg");  // by group_id, not by a row id
    EXPECT_EQ(t.rwxAll, "5");
    EXPECT_EQ(t.rwxGroup, "7");
    EXPECT_EQ(t.usertag, "12");
    EXPECT_TRUE(t.marked);

    const RecordInfoTexts empty = RecordInfoFor(RecordInfoValues{}, users, groups);
    EXPECT_EQ(empty.created, "");
    EXPECT_EQ(empty.updated, "");
    EXPECT_EQ(empty.owner, "");
    EXPECT_EQ(empty.group, "");
    EXPECT_EQ(empty.rwxAll, "");
    EXPECT_FALSE(empty.marked);

    EXPECT_EQ(OwnerInitials(99, users), "");  // owner no longer in users
    EXPECT_EQ(GroupName(0, groups), "");
    EXPECT_FALSE(IsMarked(0));
    EXPECT_FALSE(IsMarked(2));
}

}  // namespace
