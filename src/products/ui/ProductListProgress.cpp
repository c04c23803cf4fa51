// "Rekalkuler alle varer med kroneavrunding" with its progress: the fourth status field names
// the product reached, and a progress dialog shows when the work takes more than a moment.
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QProgressDialog>

#include "app/frame/BusyCursor.h"
#include "products/ProductBulk.h"
#include "products/ui/ProductListForm.h"

void ProductListForm::RecalculateWithRounding() {
    Begin();
    BusyCursor busy;
    QProgressDialog progress(QStringLiteral("Rekalkulerer alle varer ..."), QString(), 0, 100, this);
    progress.setWindowTitle(QStringLiteral("Rekalkuler alle varer med kroneavrunding"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setCancelButton(nullptr);
    // The grid is not repainted while the rows change under it.
    grid()->setUpdatesEnabled(false);
    RecalculateListWithRounding([&](long long done, long long total, const QString& text) {
        progressText_ = text;
        StatusField(3)->setText(text.isEmpty() ? QString() : text);
        if (total > 0) {
            progress.setMaximum(static_cast<int>(std::min<long long>(total, 1 << 30)));
            progress.setValue(static_cast<int>(std::min(done, total)));
        }
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    grid()->setUpdatesEnabled(true);
    progressText_.clear();
    NoteAffected();
}
