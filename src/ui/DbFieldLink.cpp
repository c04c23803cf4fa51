#include "ui/DbFieldLink.h"

#include <QWidget>

#include "db/Dataset.h"

DbFieldLink::DbFieldLink(QWidget* widget, std::function<void(Field*)> show)
    : QObject(widget), widget_(widget), show_(std::move(show)) {}

DbFieldLink::~DbFieldLink() { Detach(); }

void DbFieldLink::SetDataSource(Dataset* dataset, const QString& fieldName) {
    Detach();
    dataset_ = dataset;
    fieldName_ = fieldName;
    Attach();
    Show();
}

void DbFieldLink::Attach() {
    if (!dataset_) return;
    auto show = [this](Dataset&) { Show(); };
    // In the order Detach removes them.
    ids_ = {dataset_->AfterOpen().Add(show), dataset_->AfterClose().Add(show),
            dataset_->AfterScroll().Add(show), dataset_->OnStateChange().Add(show),
            dataset_->OnNewRecord().Add(show)};
}

void DbFieldLink::Detach() {
    if (!dataset_ || ids_.size() != 5) return;
    dataset_->AfterOpen().Remove(ids_[0]);
    dataset_->AfterClose().Remove(ids_[1]);
    dataset_->AfterScroll().Remove(ids_[2]);
    dataset_->OnStateChange().Remove(ids_[3]);
    dataset_->OnNewRecord().Remove(ids_[4]);
    ids_.clear();
}

Field* DbFieldLink::CurrentField() const {
    if (!dataset_ || !dataset_->IsActive()) return nullptr;
    if (dataset_->RecNo() == 0 && dataset_->State() != DatasetState::Insert) return nullptr;
    return dataset_->FieldByName(fieldName_);
}

bool DbFieldLink::CanChange() const {
    if (!dataset_ || !dataset_->CanModify()) return false;
    Field* f = dataset_->FieldByName(fieldName_);
    return f && f->IsWritable() && (dataset_->RecNo() > 0 || dataset_->IsEditing());
}

bool DbFieldLink::Change(const QString& text) {
    if (filling_) return false;
    // The widget already shows what the user gave: the edit mode must not fill it again.
    filling_ = true;
    bool ok = CanChange() && (dataset_->IsEditing() || dataset_->Edit());
    Field* f = ok ? dataset_->FieldByName(fieldName_) : nullptr;
    ok = f && f->SetString(text);
    filling_ = false;
    if (!ok) Show();
    return ok;
}

void DbFieldLink::Show() {
    if (filling_) return;
    filling_ = true;
    show_(CurrentField());
    filling_ = false;
}

void DbFieldLink::ShowAll(QObject* root) {
    for (DbFieldLink* link : root->findChildren<DbFieldLink*>()) link->Show();
}
