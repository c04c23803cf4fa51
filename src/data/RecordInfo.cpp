#include "data/RecordInfo.h"

#include "data/RecordHeader.h"

namespace {

QString NumberText(std::optional<int> value) { return value ? QString::number(*value) : QString(); }

}  // namespace

QString OwnerInitials(std::optional<int> user, const InitialsByUserId& users) {
    return user ? users.value(*user) : QString();
}

QString GroupName(std::optional<int> usergroup, const GroupNameByGroupId& groups) {
    return usergroup ? groups.value(*usergroup) : QString();
}

bool IsMarked(std::optional<int> checked) { return checked == CheckedValue(true); }

RecordInfoTexts RecordInfoFor(const RecordInfoValues& values, const InitialsByUserId& users,
                              const GroupNameByGroupId& groups) {
    RecordInfoTexts texts;
    texts.created = values.created.value_or(QString());
    texts.updated = values.updated.isValid()
                        ? values.updated.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))
                        : QString();
    texts.owner = OwnerInitials(values.user, users);
    texts.group = GroupName(values.usergroup, groups);
    texts.rwxAll = NumberText(values.rwxAll);
    texts.rwxGroup = NumberText(values.rwxGroup);
    texts.rwxUser = NumberText(values.rwxUser);
    texts.usertag = NumberText(values.usertag);
    texts.marked = IsMarked(values.checked);
    return texts;
}
