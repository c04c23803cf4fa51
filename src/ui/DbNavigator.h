#pragma once

#include <QWidget>
#include <vector>

class Dataset;
class QToolButton;

// The record navigator of a dataset: first, previous, next, last, new, delete, edit,
// save, cancel and re-read, each enabled when it can act. A failure (a save the server
// refused) is shown through the Prompter with the caption "FEIL".
class DbNavigator : public QWidget {
    Q_OBJECT
  public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit DbNavigator(QWidget* parent = nullptr);
    ~DbNavigator() override;

    void SetDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }
    QToolButton* button(Button which) const { return buttons_[static_cast<std::size_t>(which)]; }
    // Only these buttons are shown.
    void SetVisibleButtons(const std::vector<Button>& visible);
    // What a button does, as a click does it.
    void Press(Button which);

    void UpdateButtons();

  private:
    void Detach();

    Dataset* dataset_ = nullptr;
    std::vector<QToolButton*> buttons_;
    std::vector<int> ids_;
};
