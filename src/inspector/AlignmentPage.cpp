#include "inspector/AlignmentPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

AlignmentPage::AlignmentPage(QWidget* parent)
    : ObjectPage(parent)
    , print_object_chk(new QCheckBox(tr("&Print this object")))
    , buttons_(new QGridLayout)
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons_);
    layout->addWidget(print_object_chk);
    layout->addStretch(1);
    // The stored flag counts the other way: 0 prints.
    // A click on a partly ticked box ticks it: the user chooses for all, never a mix.
    connect(print_object_chk, &QCheckBox::clicked, this, [this](bool on) {
        print_object_chk->setTristate(false);
        emit printObjectToggled(on ? 0 : 1);
    });
}

void AlignmentPage::setCommands(const QList<QAction*>& commands)
{
    for (int i = 0; i < commands.size(); ++i) {
        auto* button = new QToolButton;
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setDefaultAction(commands.at(i));
        buttons_->addWidget(button, i / 2, i % 2);
    }
}

void AlignmentPage::load(const SKTGraphic& graphic)
{
    showPrinting(graphic.print_object == 0 ? 1 : 0, 1);
}

void AlignmentPage::showPrinting(qsizetype printing, qsizetype selected)
{
    const QSignalBlocker blocker(print_object_chk);
    const bool mixed = printing > 0 && printing < selected;
    print_object_chk->setTristate(mixed);
    print_object_chk->setCheckState(mixed ? Qt::PartiallyChecked : printing > 0 ? Qt::Checked : Qt::Unchecked);
}
