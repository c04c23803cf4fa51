#pragma once

#include <QSlider>
#include <QWidget>
#include <vector>

// The detail-level slider of a record window: level n shows the first n + 1 panels. The
// level is kept as the text stored with the window's position.
class DetailSlider : public QSlider {
    Q_OBJECT
  public:
    DetailSlider(std::vector<QWidget*> panels, QWidget* parent = nullptr);

    int Level() const { return value(); }
    void SetLevel(int level) { setValue(level); }
    // The stored text of a level and back (an unreadable text gives level 0).
    QString LevelText() const { return QString::number(value()); }
    void SetLevelText(const QString& text);

  private:
    void ShowPanels();
    std::vector<QWidget*> panels_;
};
