#include "ui/DetailSlider.h"

DetailSlider::DetailSlider(std::vector<QWidget*> panels, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), panels_(std::move(panels)) {
    setRange(0, static_cast<int>(panels_.size()) - 1);
    setPageStep(1);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    setFixedWidth(80);
    connect(this, &QSlider::valueChanged, this, [this] { ShowPanels(); });
    ShowPanels();
}

void DetailSlider::SetLevelText(const QString& text) {
    bool ok = false;
    const int level = text.trimmed().toInt(&ok);
    setValue(ok ? level : 0);
    ShowPanels();
}

void DetailSlider::ShowPanels() {
    for (std::size_t i = 0; i < panels_.size(); ++i) panels_[i]->setVisible(static_cast<int>(i) <= value());
}
