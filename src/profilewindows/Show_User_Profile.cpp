#include "profilewindows/Show_User_Profile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Only a ticked box makes its text editable; off and mixed do not.
void followBox(QCheckBox* box, QLineEdit* field)
{
    field->setReadOnly(box->checkState() != Qt::Checked);
}

} // namespace

Show_User_Profile::Show_User_Profile(ProfileDialogHost& host, QWidget* parent)
    : Profile_Dialog(host, parent)
{
    setObjectName(QStringLiteral("Show_User_Profile"));
    buildWindow();
}

QWidget* Show_User_Profile::makeCaption(Field field)
{
    if (field == Field::image)
        return Profile_Dialog::makeCaption(field);
    // A caption the user may retitle: an editable field once its box is ticked.
    auto* caption = new QLineEdit(profileFieldTitle(field) + QLatin1Char(':'), this);
    caption->setObjectName(profileControlName(field, "_label"));
    caption->setReadOnly(true);
    caption->setFrame(false);
    caption->setMinimumWidth(QFontMetrics(caption->font()).horizontalAdvance(QStringLiteral("Position / Title:MMM")));
    return caption;
}

void Show_User_Profile::addRowExtras(QGridLayout& grid, int gridRow, Field field)
{
    if (field == Field::image)
        return;
    auto* caption = static_cast<QLineEdit*>(row(field).label);
    QLineEdit* value = row(field).value;
    auto* labelBox = new QCheckBox(this);
    labelBox->setToolTip(tr("Let the caption be edited"));
    auto* valueBox = new QCheckBox(this);
    valueBox->setToolTip(tr("Let the value be edited"));
    label_chk[field] = labelBox;
    value_chk[field] = valueBox;
    // The boxes sit in the grid's first column pair: caption box, caption, value box, value.
    grid.removeWidget(caption);
    auto* captionCell = new QHBoxLayout;
    captionCell->addWidget(labelBox);
    captionCell->addWidget(caption, 1);
    grid.addLayout(captionCell, gridRow, 0);
    grid.addWidget(valueBox, gridRow, 1);
    connect(labelBox, &QCheckBox::clicked, this, [labelBox, caption] { followBox(labelBox, caption); });
    connect(valueBox, &QCheckBox::clicked, this, [valueBox, value] { followBox(valueBox, value); });
    // Typing ticks the box; editability stays as it is.
    connect(caption, &QLineEdit::textEdited, labelBox, [labelBox] { labelBox->setChecked(true); });
    connect(value, &QLineEdit::textEdited, valueBox, [valueBox] { valueBox->setChecked(true); });
}

void Show_User_Profile::resetExtras()
{
    for (QCheckBox* box : label_chk)
        box->setChecked(false);
    for (QCheckBox* box : value_chk)
        box->setChecked(false);
}

void Show_User_Profile::fieldLoaded(Field field)
{
    if (field != Field::image)
        value_chk[field]->setChecked(true);
}
