#pragma once

#include <QDialog>
#include <QString>

#include "ui/WindowBase.h"

class QLabel;
class QProgressBar;

// The download window "supdate 5.54 (732)": the target's name, a progress
// bar and the percentage while DownloadToFile fetches a file. The window
// stays responsive while the transfer runs and closes when it ends.
class DownloadForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit DownloadForm(QWidget* parent = nullptr);

    // Shows the window, downloads `address` into `target` (".part" file, then
    // renamed) and closes; a failure is reported by the download. True on success.
    bool Run(const QString& address, const QString& target);

    // A window of its own for one download.
    static bool Download(const QString& address, const QString& target, QWidget* parent = nullptr);

    QString TargetText() const;
    QString PercentText() const;
    QProgressBar* Bar() const { return bar_; }

  private:
    void ShowProgress(qint64 announced, qint64 received);

    QLabel* target_;
    QProgressBar* bar_;
    QLabel* percent_;
};
