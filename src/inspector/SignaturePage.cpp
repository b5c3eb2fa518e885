#include "inspector/SignaturePage.h"

#include "inspector/InspectorHost.h"
#include "inspector/ObjectBorderGroup.h"
#include "platform/DialogService.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SignaturePage::SignaturePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , Sign_Border_Box(new ObjectBorderGroup)
    , Sign_image_path(new QLineEdit)
    , host_(host)
{
    Sign_image_path->setReadOnly(true);
    auto* browse = new QPushButton(tr("B&rowse…"));
    browse->setToolTip(tr("Choose the picture of the signature or fingerprint (PNG)"));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Sign_image_path, 1);
    pathRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(tr("Picture:"), pathRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Sign_Border_Box);
    layout->addStretch(1);

    connect(Sign_Border_Box, &ObjectBorderGroup::changed, this, &SignaturePage::Update_Sign_Graphics);
    connect(browse, &QPushButton::clicked, this, &SignaturePage::Sign_Browse_Btn);
}

void SignaturePage::load(const SKTGraphic& graphic)
{
    Sign_Border_Box->load(graphic);
    // The path field is written back on every change, so it must show this object's file.
    Sign_image_path->setText(graphic._file_path);
}

void SignaturePage::Update_Sign_Graphics()
{
    host_.writeSelectedGraphics([this](SKTGraphic& graphic, qsizetype selected) {
        graphic.print_object = printObjectValue(graphic);
        Sign_Border_Box->writeTo(graphic);
        if (selected == 1)
            graphic._file_path = Sign_image_path->text();
    });
}

void SignaturePage::Sign_Browse_Btn()
{
    const QString path = dialogs().chooseOpenFile(tr("Choose Signature"), QString(), tr("PNG pictures (*.png *.PNG)"));
    if (path.isEmpty())
        return;
    Sign_image_path->setText(path);
    Update_Sign_Graphics();
}
