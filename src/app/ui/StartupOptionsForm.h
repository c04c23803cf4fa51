#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "ui/WindowBase.h"

class QCheckBox;

// "Oppstart": the start-up options of the company ini (section "STANDARD"),
// read when the window is shown and all seven written when it closes. They
// take effect at the next start.
class StartupOptionsForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit StartupOptionsForm(QWidget* parent = nullptr);

    // The box of a key ("autologon", "LogToFile", ...).
    QCheckBox* Box(const QString& key) const;
    // The keys in the window's order.
    static const std::vector<std::pair<QString, QString>>& Options();  // key, caption

    void Load();
    void Store();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void UpdateSystemFilesBox();

    std::vector<QCheckBox*> boxes_;
    bool loaded_ = false;
};
