#pragma once

#include <vector>

#include "ui/RecordWindow.h"

class QLabel;

// The technical data window ("Teknisk produktinformasjon") on the product table's current
// row: picture, drawing and folder with their choosers, dimensions, volume, weight, standard
// and system requirements; the picture is shown when "DOC_URL_USEIMAGES" is on and its file
// exists. Registered as "ProductTecDataForm".
class ProductTecDataForm : public RecordWindowBase {
    Q_OBJECT
  public:
    explicit ProductTecDataForm(QWidget* parent = nullptr);
    ~ProductTecDataForm() override;

    QLabel* picture() const { return picture_; }

    // The "..." buttons and the folder button; false when nothing was chosen.
    bool ChoosePicture();
    bool ChooseDrawing();
    bool ChooseProductFolder();
    void UpdatePicture();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool ChooseFile(const QString& column, const QString& title, const QString& filter);

    QLabel* picture_ = nullptr;
    std::vector<int> ids_;
};
