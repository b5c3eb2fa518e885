#include "profilewindows/User_profile.h"

#include "profilewindows/ProfileDialogHost.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

User_profile::User_profile(ProfileDialogHost& host, QWidget* parent)
    : Profile_Dialog(host, parent)
{
    setObjectName(QStringLiteral("User_profile"));
    buildWindow();
}

void User_profile::addRowExtras(QGridLayout& grid, int gridRow, Field field)
{
    if (!select_side_label) {
        select_side_label = new QLabel(tr("Side"), this);
        grid.addWidget(select_side_label, 0, 6);
    }
    QComboBox* combo = new QComboBox(this);
    combo->addItems({ tr("Front"), tr("Back"), tr("Both") });
    combo->setCurrentIndex(2);
    combo->setToolTip(tr("The side this field is meant for"));
    side_combo[field] = combo;
    grid.addWidget(combo, gridRow, 6);
}

QWidget* User_profile::makeSidePictures()
{
    QWidget* panel = Profile_Dialog::makeSidePictures();
    auto* box = new QGroupBox(tr("Card"), panel);
    auto* layout = new QVBoxLayout(box);
    Template_picture = makePicture(box, QStringLiteral("Template_picture"), sidePictureSize);
    layout->addWidget(Template_picture);
    static_cast<QVBoxLayout*>(panel->layout())->insertWidget(1, box);
    return panel;
}

void User_profile::resetExtras()
{
    Template_picture->clear();
    for (QComboBox* combo : side_combo)
        combo->setCurrentIndex(2);
}

void User_profile::Create_and_Set_template_picture()
{
    const QImage picture = host_.sidePicture(Graphics_array);
    showPicture(Template_picture, picture);
    showPicture(Preivew_picture, picture);
}
