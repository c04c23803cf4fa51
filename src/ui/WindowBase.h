#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

class QEvent;

// Keeps one window's position in the per-user ini: restores it each time the
// window is shown and stores it each time the window is closed or hidden,
// under the window's name (section "VINDU-<name>"). Fixed-size windows keep
// their designed size ("OnlyPos"). "Diverse" is a free text the window
// hands in and gets back (a detail level and the like).
class WindowPositionKeeper : public QObject {
    Q_OBJECT
  public:
    WindowPositionKeeper(QWidget* window, const QString& windowName);

    QString WindowName() const { return name_; }
    void SetOnlyPos(bool onlyPos) { onlyPos_ = onlyPos; }
    bool OnlyPos() const { return onlyPos_; }
    // The text stored with the position; after a show it holds the stored one.
    void SetDiverse(const QString& text) { diverse_ = text; }
    QString Diverse() const { return diverse_; }

    // What the show and the close do; callable directly for windows that
    // move between screens themselves.
    void Restore();
    void Save();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QString name_;
    bool onlyPos_ = false;
    QString diverse_;
    bool shown_ = false;  // restored and not yet saved: the geometry stack holds our record
};

// The base of every window of the program: `WindowBase<QMainWindow>`,
// `WindowBase<QDialog>`, `WindowBase<QWidget>`. The window's object name is
// its documented name ("MainForm6", "UserAccessForm").
template <class QtWindow>
class WindowBase : public QtWindow {
  public:
    explicit WindowBase(const QString& windowName, QWidget* parent = nullptr) : QtWindow(parent) {
        this->setObjectName(windowName);
        keeper_ = new WindowPositionKeeper(this, windowName);
    }

    WindowPositionKeeper& position() { return *keeper_; }
    void SetOnlyPos(bool onlyPos) { keeper_->SetOnlyPos(onlyPos); }
    QString Diverse() const { return keeper_->Diverse(); }
    void SetDiverse(const QString& text) { keeper_->SetDiverse(text); }

  private:
    WindowPositionKeeper* keeper_;
};
