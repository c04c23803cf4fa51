// The column of module panels: building them, showing them by rights and hide
// keys, and the window's height.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "app/ui/MainWindow.h"

namespace {
constexpr int kColumns = 3;           // module buttons per row
constexpr int kColumnWidth = 120;     // least width of a module button
constexpr int kNewRecordButton = 42;  // width of a new-record button
}  // namespace

void MainWindow::BuildPanels() {
    for (const PanelRule& rule : MainPanelRules()) BuildPanel(rule);
}

void MainWindow::BuildPanel(const PanelRule& rule) {
    auto* frame = new QFrame(centralWidget());
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(4, 3, 2, 3);
    row->setSpacing(2);
    PanelWidgets widgets;
    widgets.frame = frame;
    const bool newRecordRow = rule.panel == MainPanel::NewRecord;

    if (newRecordRow) {
        for (const PanelButtonRule& button : rule.buttons) {
            auto* small = new QPushButton(button.caption, frame);
            small->setToolTip(button.hint);
            small->setFixedWidth(kNewRecordButton);
            small->setFocusPolicy(Qt::NoFocus);
            QFont font = small->font();
            font.setPointSizeF(font.pointSizeF() * 0.8);
            small->setFont(font);
            row->addWidget(small);
            widgets.buttons.push_back(small);
            buttons_.insert(button.hint, small);
            connect(small, &QPushButton::clicked, this,
                    [this, hint = button.hint] { RunButton(hint); });
        }
        row->addStretch(1);
    } else {
        auto* body = new QVBoxLayout;
        body->setSpacing(2);
        widgets.grid = new QGridLayout;
        widgets.grid->setSpacing(2);
        // Equal columns, so a panel with one shown button keeps the button's size.
        for (int column = 0; column < kColumns; ++column) {
            widgets.grid->setColumnStretch(column, 1);
            widgets.grid->setColumnMinimumWidth(column, kColumnWidth);
        }
        body->addLayout(widgets.grid);
        for (const PanelButtonRule& button : rule.buttons) {
            auto* push = new QPushButton(button.caption, frame);
            if (!button.hint.isEmpty()) push->setToolTip(button.hint);
            widgets.buttons.push_back(push);
            buttons_.insert(button.caption, push);
            connect(push, &QPushButton::clicked, this,
                    [this, caption = button.caption] { RunButton(caption); });
        }
        if (rule.panel == MainPanel::Tool) {
            auto* field = new QHBoxLayout;
            auto* label = new QLabel(QStringLiteral("Dokument ID:"), frame);
            documentId_ = new QLineEdit(frame);
            label->setBuddy(documentId_);
            field->addWidget(label);
            field->addWidget(documentId_, 1);
            body->addLayout(field);
            connect(documentId_, &QLineEdit::returnPressed, this, &MainWindow::DocumentIdEntered);
        }
        row->addLayout(body, 1);
        widgets.hide = new QToolButton(frame);
        widgets.hide->setText(QStringLiteral("×"));
        widgets.hide->setToolTip(QStringLiteral("Skjul"));
        widgets.hide->setAutoRaise(true);
        widgets.hide->setFixedSize(16, 16);
        row->addWidget(widgets.hide, 0, Qt::AlignTop);
        connect(widgets.hide, &QToolButton::clicked, this,
                [this, panel = rule.panel] { HidePanel(panel); });
    }
    if (rule.panel == MainPanel::Project) {
        // "Avvik" waits for the show sequence.
        if (QPushButton* deviations = buttons_.value(QStringLiteral("Avvik")))
            deviations->setEnabled(false);
    }
    qobject_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(frame);
    panels_.emplace(rule.panel, widgets);
    LayOutButtons(panels_.at(rule.panel));
}

// The shown buttons fill the grid in their order, without gaps.
void MainWindow::LayOutButtons(PanelWidgets& widgets) {
    if (!widgets.grid) return;
    for (QPushButton* button : widgets.buttons) widgets.grid->removeWidget(button);
    int place = 0;
    for (QPushButton* button : widgets.buttons) {
        if (button->isHidden()) continue;
        widgets.grid->addWidget(button, place / kColumns, place % kColumns);
        ++place;
    }
}

void MainWindow::ApplyPanelVisibility() {
    AppContext& ctx = Ctx();
    ConfigStore& config = ctx.config();
    const LogonValues& logon = ctx.logon();
    config.OpenUserIni();
    config.SelectSection(ConfigStore::StandardSection);
    for (const PanelRule& rule : MainPanelRules()) {
        if (rule.hideKey.isEmpty()) continue;  // the new-record row goes by the company ini
        PanelWidgets& widgets = panels_.at(rule.panel);
        const bool shown = PanelAllowed(rule, logon) && !config.ReadIniBool(rule.hideKey);
        for (std::size_t i = 0; i < rule.buttons.size(); ++i)
            widgets.buttons[i]->setVisible(ButtonAllowed(rule.buttons[i], logon));
        LayOutButtons(widgets);
        widgets.frame->setVisible(shown);
    }
    config.RestoreSection();
    config.CloseUserIni();
}

bool MainWindow::NewRecordRowOn() {
    ConfigStore& config = Ctx().config();
    config.SelectSection(ConfigStore::StandardSection);
    const bool on = config.ReadIniBool(QStringLiteral("ShowNewPanel"));
    config.RestoreSection();
    return on;
}

void MainWindow::RecomputeHeight() {
    QFrame* newRow = panels_.at(MainPanel::NewRecord).frame;
    newRow->setVisible(NewRecordRowOn());
    int height = 0;
    for (const auto& [panel, widgets] : panels_) {
        if (widgets.frame->isHidden()) continue;
        widgets.frame->layout()->activate();
        height += widgets.frame->sizeHint().height();
    }
    height += statusBar()->sizeHint().height();
    if (menuBar()) height += menuBar()->sizeHint().height();
    computedHeight_ = height;
    centralWidget()->layout()->activate();
    setMinimumHeight(0);
    resize(width(), height);
}

void MainWindow::ShowAllModules() {
    ConfigStore& config = Ctx().config();
    config.OpenUserIni();
    config.SelectSection(ConfigStore::StandardSection);
    for (MainPanel panel : HideablePanels())
        config.WriteIniBool(MainPanelRule(panel).hideKey, false);
    config.RestoreSection();
    config.CloseUserIni();
    // Every panel comes back, as far as the rights allow it.
    ApplyPanelVisibility();
    RecomputeHeight();
}

void MainWindow::ToggleNewRecordRow() {
    ConfigStore& config = Ctx().config();
    const bool on = !NewRecordRowOn();
    config.SelectSection(ConfigStore::StandardSection);
    config.WriteIniBool(QStringLiteral("ShowNewPanel"), on);
    config.RestoreSection();
    RecomputeHeight();
}

void MainWindow::HidePanel(MainPanel panel) {
    const PanelRule& rule = MainPanelRule(panel);
    if (rule.hideKey.isEmpty()) return;
    ConfigStore& config = Ctx().config();
    config.OpenUserIni();
    config.SelectSection(ConfigStore::StandardSection);
    config.WriteIniBool(rule.hideKey, true);
    config.RestoreSection();
    config.CloseUserIni();
    panels_.at(panel).frame->hide();
    RecomputeHeight();
}

QFrame* MainWindow::Panel(MainPanel panel) const { return panels_.at(panel).frame; }

bool MainWindow::PanelShown(MainPanel panel) const { return !panels_.at(panel).frame->isHidden(); }

QPushButton* MainWindow::Button(const QString& caption) const { return buttons_.value(caption); }

bool MainWindow::ButtonShown(const QString& caption) const {
    QPushButton* button = Button(caption);
    if (!button || button->isHidden()) return false;
    for (const auto& [panel, widgets] : panels_) {
        for (QPushButton* b : widgets.buttons)
            if (b == button) return !widgets.frame->isHidden();
    }
    return false;
}

QToolButton* MainWindow::HideButton(MainPanel panel) const { return panels_.at(panel).hide; }
