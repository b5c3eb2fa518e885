#include "dialogs/Grid_Wizard.h"

#include "widgets/ColorWell.h"
#include "widgets/WidgetHelpers.h"
#include "platform/DialogService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

Grid_Wizard::Grid_Wizard(QWidget* parent)
    : QDialog(parent)
    , Show_hide_grid_chk(new QCheckBox(tr("&Show the grid")))
    , Grid_Opt_box(new QGroupBox(tr("Grid")))
    , Grid_clr(new ColorWell)
    , Grid_Space_slidr(new QSlider(Qt::Horizontal))
    , spacingValue_(new QLabel)
{
    setWindowTitle(tr("Grid"));
    Grid_Space_slidr->setRange(2, 72);
    Grid_Space_slidr->setPageStep(9);
    Grid_Space_slidr->setMinimumWidth(200);
    // Wide enough for the largest value, so the slider does not move as the value changes.
    spacingValue_->setMinimumWidth(spacingValue_->fontMetrics().horizontalAdvance(tr("72 pt")) + 4);
    auto* spacing = new QHBoxLayout;
    spacing->addWidget(Grid_Space_slidr, 1);
    spacing->addWidget(spacingValue_);
    auto* form = new QFormLayout(Grid_Opt_box);
    form->addRow(tr("&Colour:"), Grid_clr);
    auto* spacingLabel = new QLabel(tr("S&pacing:"));
    spacingLabel->setBuddy(Grid_Space_slidr);
    form->addRow(spacingLabel, spacing);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Show_hide_grid_chk);
    layout->addWidget(Grid_Opt_box);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Show_hide_grid_chk, &QCheckBox::clicked, this, [this](bool shown) {
        SetObjEnabled(Grid_Opt_box, shown);
        emit shownChosen(shown);
    });
    connect(Grid_clr, &ColorWell::colorChosen, this, &Grid_Wizard::colorChosen);
    connect(Grid_Space_slidr, &QSlider::valueChanged, this, [this](int points) {
        showSpacing(points);
        emit spacingChosen(double(points));
    });
}

void Grid_Wizard::showSpacing(int points)
{
    spacingValue_->setText(tr("%1 pt").arg(points));
}

void Grid_Wizard::load(const QColor& color, double spacing, bool shown)
{
    const QSignalBlocker blocker(Grid_Space_slidr);
    Grid_clr->setColor(color);
    Grid_Space_slidr->setValue(qRound(spacing));
    showSpacing(Grid_Space_slidr->value());
    Show_hide_grid_chk->setChecked(shown);
    SetObjEnabled(Grid_Opt_box, shown);
}

void Grid_Wizard::Open_Wnd()
{
    dialogs().runModal(*this);
}
