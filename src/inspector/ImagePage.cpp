#include "inspector/ImagePage.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "inspector/EffectSlider.h"
#include "inspector/InspectorHost.h"
#include "inspector/ObjectBorderGroup.h"
#include "platform/DialogService.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

ImagePage::ImagePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , Image_Border_Box(new ObjectBorderGroup)
    , Image_FIH_chk(new QCheckBox(tr("Flip hori&zontally")))
    , Image_FIV_chk(new QCheckBox(tr("Fl&ip vertically")))
    , Image_Invert_chk(new QCheckBox(tr("I&nvert colours")))
    , Image_Gray_Scale_chk(new QCheckBox(tr("&Grey scale")))
    , Image_Sepia_chk(new QCheckBox(tr("Se&pia")))
    // Ranges cover the neutral values and what the effects chain makes sense of: hue in
    // radians, saturation and contrast as factors, exposure in stops, blur in pixels.
    , Rotate_slidr(new EffectSlider(-180.0, 180.0, 1))
    , Trsp_slidr(new EffectSlider(0.0, 100.0, 1))
    , Hue_slidr(new EffectSlider(-3.14, 3.14, 100))
    , Sat_slidr(new EffectSlider(0.0, 2.0, 100))
    , Brt_slidr(new EffectSlider(-1.0, 1.0, 100))
    , Con_slidr(new EffectSlider(0.25, 4.0, 100))
    , shrp_slidr(new EffectSlider(0.0, 2.0, 100))
    , ev_slidr(new EffectSlider(-3.0, 3.0, 100))
    , blr_slidr(new EffectSlider(0.0, 20.0, 10))
    , host_(host)
{
    auto* filterGrid = new QGridLayout;
    const QList<QCheckBox*> boxes = filters();
    for (int i = 0; i < boxes.size(); ++i)
        filterGrid->addWidget(boxes.at(i), i / 2, i % 2);
    auto* sliders = new QFormLayout;
    const auto addSlider = [&](const QString& label, EffectSlider* slider) {
        sliders->addRow(label, slider);
        connect(slider, &EffectSlider::changed, this, &ImagePage::Update_Image_Graphics);
        // A drag is one undo step, however many values it passes.
        connect(slider->slider, &QSlider::sliderPressed, this, [this] { host_.beginChangeRun(); });
        connect(slider->slider, &QSlider::sliderReleased, this, [this] { host_.endChangeRun(); });
    };
    addSlider(tr("&Rotation:"), Rotate_slidr);
    addSlider(tr("&Opacity:"), Trsp_slidr);
    addSlider(tr("H&ue:"), Hue_slidr);
    addSlider(tr("&Saturation:"), Sat_slidr);
    addSlider(tr("Brightness:"), Brt_slidr);
    addSlider(tr("Contrast:"), Con_slidr);
    addSlider(tr("Sharpness:"), shrp_slidr);
    addSlider(tr("E&xposure:"), ev_slidr);
    addSlider(tr("Blur:"), blr_slidr);
    auto* reset = new QPushButton(tr("Reset A&djustments"));
    reset->setToolTip(tr("Put the filters and sliders back to neutral for the selected pictures"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image_Border_Box);
    layout->addLayout(filterGrid);
    layout->addLayout(sliders);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addStretch(1);

    connect(Image_Border_Box, &ObjectBorderGroup::changed, this, &ImagePage::Update_Image_Graphics);
    for (QCheckBox* box : boxes)
        connect(box, &QCheckBox::clicked, this, &ImagePage::Update_Image_Graphics);
    connect(reset, &QPushButton::clicked, this, &ImagePage::Image_reset_Button);
    Reset_Image_Editing_Controls();
}

QList<QCheckBox*> ImagePage::filters() const
{
    return { Image_FIH_chk, Image_FIV_chk, Image_Invert_chk, Image_Gray_Scale_chk, Image_Sepia_chk };
}

void ImagePage::load(const SKTGraphic& graphic)
{
    Image_Border_Box->load(graphic);
    Rotate_slidr->setValue(graphic.rotate_image);
    Trsp_slidr->setValue(graphic.img_trnsp_val);
    Hue_slidr->setValue(graphic.hue_val);
    Sat_slidr->setValue(graphic.sat_val);
    Brt_slidr->setValue(graphic.brt_val);
    Con_slidr->setValue(graphic.con_val);
    shrp_slidr->setValue(graphic.srp_val);
    ev_slidr->setValue(graphic.ev_val);
    blr_slidr->setValue(graphic.blr_val);
    Image_Gray_Scale_chk->setChecked(graphic.gray_Scale);
    Image_Sepia_chk->setChecked(graphic.Sepia);
    Image_Invert_chk->setChecked(graphic.invert_clr);
    Image_FIV_chk->setChecked(graphic._isFlippedVertically);
    Image_FIH_chk->setChecked(graphic._isFlippedHorizontally);
}

void ImagePage::Update_Image_Graphics()
{
    const QString path = Manual_image_path ? Manual_image_path->text() : QString();
    host_.writeSelectedGraphics([&](SKTGraphic& graphic, qsizetype selected) {
        graphic.print_object = printObjectValue(graphic);
        Image_Border_Box->writeTo(graphic);
        graphic._isFlippedHorizontally = Image_FIH_chk->isChecked();
        graphic._isFlippedVertically = Image_FIV_chk->isChecked();
        graphic.invert_clr = Image_Invert_chk->isChecked();
        graphic.gray_Scale = Image_Gray_Scale_chk->isChecked();
        graphic.Sepia = Image_Sepia_chk->isChecked();
        graphic.img_trnsp_val = float(Trsp_slidr->value());
        graphic.rotate_image = float(Rotate_slidr->value());
        graphic.hue_val = float(Hue_slidr->value());
        graphic.sat_val = float(Sat_slidr->value());
        graphic.brt_val = float(Brt_slidr->value());
        graphic.con_val = float(Con_slidr->value());
        graphic.srp_val = float(shrp_slidr->value());
        graphic.ev_val = float(ev_slidr->value());
        graphic.blr_val = float(blr_slidr->value());
        Show_Debug_Message(QStringLiteral("Txt path - %1\nGraphic Path - %2\n")
                               .arg(QFileInfo(path).fileName(), QFileInfo(graphic._file_path).fileName()));
        if (selected == 1)
            graphic._file_path = path;
    });
}

void ImagePage::Reset_Image_Editing_Controls()
{
    Rotate_slidr->setValue(0.0);
    Trsp_slidr->setValue(100.0);
    Hue_slidr->setValue(0.0);
    Sat_slidr->setValue(1.0);
    Brt_slidr->setValue(0.0);
    Con_slidr->setValue(1.0);
    shrp_slidr->setValue(0.0);
    ev_slidr->setValue(0.0);
    blr_slidr->setValue(0.0);
    for (QCheckBox* box : { Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIV_chk, Image_FIH_chk })
        box->setChecked(false);
}

void ImagePage::Image_reset_Button()
{
    if (!dialogs().askYesNoSafe(QStringLiteral("Are you sure you want to continue?")))
        return;
    Reset_Image_Editing_Controls();
    Update_Image_Graphics();
}
