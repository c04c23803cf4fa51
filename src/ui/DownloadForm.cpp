#include "ui/DownloadForm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <limits>

#include "app/frame/BusyCursor.h"
#include "app/net/Download.h"

DownloadForm::DownloadForm(QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("DownloadForm"), parent) {
    SetOnlyPos(true);
    setWindowTitle(QStringLiteral("supdate 5.54 (732)"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    target_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    percent_ = new QLabel(QStringLiteral("0%"), this);
    percent_->setAlignment(Qt::AlignCenter);
    layout->addWidget(target_);
    layout->addWidget(bar_);
    layout->addWidget(percent_);
    setFixedSize(360, sizeHint().height());
}

QString DownloadForm::TargetText() const { return target_->text(); }
QString DownloadForm::PercentText() const { return percent_->text(); }

void DownloadForm::ShowProgress(qint64 announced, qint64 received) {
    if (announced > 0) {
        // The bar counts in kilobytes when the size does not fit its int range.
        const qint64 scale = announced > std::numeric_limits<int>::max() ? 1024 : 1;
        bar_->setMaximum(static_cast<int>(announced / scale));
        bar_->setValue(static_cast<int>(qMin(received, announced) / scale));
        percent_->setText(QString::number(received * 100 / announced) + QLatin1Char('%'));
    } else if (received > 0) {
        bar_->setMaximum(0);  // size unknown: the bar just shows activity
    }
    QCoreApplication::processEvents();
}

bool DownloadForm::Run(const QString& address, const QString& target) {
    target_->setText(QFileInfo(target).fileName());
    bar_->setMaximum(100);
    bar_->setValue(0);
    percent_->setText(QStringLiteral("0%"));
    show();
    QCoreApplication::processEvents();
    bool ok = false;
    {
        BusyCursor busy;
        ok = ::DownloadToFile(address, target, [this](qint64 announced, qint64 received) {
            ShowProgress(announced, received);
        });
    }
    close();
    return ok;
}

bool DownloadForm::Download(const QString& address, const QString& target, QWidget* parent) {
    DownloadForm form(parent);
    return form.Run(address, target);
}
