#include "profilewindows/Profile_Dialog.h"

#include "common/FileHelpers.h"
#include "profilewindows/ProfileDialogHost.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct FieldText
{
    const char* stem; // object names: <stem>_value, <stem>_ds_combo, ...
    const char* name; // the field as the user reads it
};

constexpr FieldText fieldTexts[User_Profile_Class::FieldCount]
    = { { "name", "Name" }, { "title", "Position / Title" }, { "comp_name", "Company Name" },
          { "slogan", "Company Slogan" }, { "address", "Address" }, { "phone", "Phone No." }, { "fax", "Fax No." },
          { "email", "Email Id" }, { "website", "Website" }, { "unique", "Unique No." }, { "image", "Photo" } };

} // namespace

QString profileFieldTitle(User_Profile_Class::Field field)
{
    return QLatin1String(fieldTexts[field].name);
}

QString profileFieldCaption(User_Profile_Class::Field field)
{
    return profileFieldTitle(field) + QStringLiteral(" :");
}

QString profileControlName(User_Profile_Class::Field field, const char* suffix)
{
    return QLatin1String(fieldTexts[field].stem) + QLatin1String(suffix);
}

Profile_Dialog::Profile_Dialog(ProfileDialogHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setModal(true);
    // The window's own light blue-grey.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(colours);
    setAutoFillBackground(true);
}

void Profile_Dialog::buildWindow()
{
    auto* fieldsBox = new QGroupBox(tr("Profile"), this);
    auto* grid = new QGridLayout(fieldsBox);
    grid->addWidget(new QLabel(tr("Source"), fieldsBox), 0, 3);
    grid->addWidget(new QLabel(tr("Series or column"), fieldsBox), 0, 4);
    for (int i = 0; i < FieldCount; ++i)
        makeRow(*grid, i + 1, Field(i));
    grid->setColumnStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(fieldsBox);
    left->addWidget(makeWorkbookBox());
    left->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(makeSidePictures());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(makeButtons());
}

QWidget* Profile_Dialog::makeCaption(Field field)
{
    auto* caption = new QLabel(profileFieldTitle(field) + QLatin1Char(':'), this);
    caption->setObjectName(profileControlName(field, "_label"));
    return caption;
}

QWidget* Profile_Dialog::makeRow(QGridLayout& grid, int gridRow, Field field)
{
    FieldRow& r = rows_[field];
    r.label = makeCaption(field);
    grid.addWidget(r.label, gridRow, 0);

    r.value = new QLineEdit(this);
    r.value->setObjectName(
        field == Field::image ? QStringLiteral("image_path_val") : profileControlName(field, "_value"));
    r.value->setMinimumWidth(180);
    if (auto* caption = qobject_cast<QLabel*>(r.label))
        caption->setBuddy(r.value);
    if (field == Field::image) {
        r.value->setPlaceholderText(tr("Picture file"));
        browse_pic_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("document-open")), tr("Br&owse…"), this);
        browse_pic_btn->setToolTip(tr("Choose the photo"));
        clear_pic_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-clear")), tr("C&lear"), this);
        clear_pic_btn->setToolTip(tr("Remove the photo"));
        connect(browse_pic_btn, &QPushButton::clicked, this, &Profile_Dialog::Browse_image_Btn_Clicked);
        connect(clear_pic_btn, &QPushButton::clicked, this, &Profile_Dialog::Clear_image_Btn_Clicked);
        auto* photoRow = new QHBoxLayout;
        photoRow->setContentsMargins(0, 0, 0, 0);
        photoRow->addWidget(r.value, 1);
        photoRow->addWidget(browse_pic_btn);
        photoRow->addWidget(clear_pic_btn);
        grid.addLayout(photoRow, gridRow, 2);
    } else {
        grid.addWidget(r.value, gridRow, 2);
    }

    r.ds_combo = new QComboBox(this);
    r.ds_combo->setObjectName(profileControlName(field, "_ds_combo"));
    r.ds_combo->addItems({ tr("Manual"), tr("Series") });
    r.ds_combo->setToolTip(tr("Where a batch run takes this field from"));
    grid.addWidget(r.ds_combo, gridRow, 3);

    r.ser_col_cb = new QComboBox(this);
    r.ser_col_cb->setObjectName(profileControlName(field, "_ser_col_cb"));
    r.ser_col_cb->setMinimumWidth(140);
    r.ser_col_cb->setEnabled(false);
    grid.addWidget(r.ser_col_cb, gridRow, 4);

    r.view_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("document-preview")), tr("View"), this);
    r.view_btn->setObjectName(profileControlName(field, "_view_btn"));
    r.view_btn->setToolTip(tr("Show the values of the chosen series"));
    r.view_btn->setEnabled(false);
    grid.addWidget(r.view_btn, gridRow, 5);

    connect(r.ds_combo, &QComboBox::currentIndexChanged, this, [this, field] { sourceChanged(field); });
    connect(r.ds_combo, &QComboBox::activated, this, [this, field] { startAtOwnColumn(field); });
    connect(r.ser_col_cb, &QComboBox::currentIndexChanged, this, [this, field] { seriesOrColumnChosen(field); });
    connect(
        r.view_btn, &QPushButton::clicked, this, [this, field] { View_Data_Series_By_Name(rows_[field].ser_col_cb); });
    addRowExtras(grid, gridRow, field);
    return r.label;
}

QWidget* Profile_Dialog::makeWorkbookBox()
{
    auto* box = new QGroupBox(tr("Spreadsheet and series"), this);
    auto* layout = new QHBoxLayout(box);
    auto* caption = new QLabel(tr("&Workbook:"), box);
    excel_path_field = new QLineEdit(box);
    excel_path_field->setObjectName(QStringLiteral("excel_path_field"));
    excel_path_field->setReadOnly(true);
    caption->setBuddy(excel_path_field);
    auto* browse = new QPushButton(QIcon::fromTheme(QStringLiteral("document-open")), tr("&Browse…"), box);
    browse->setToolTip(tr("Import columns of a workbook"));
    auto* view = new QPushButton(QIcon::fromTheme(QStringLiteral("x-office-spreadsheet")), tr("&View…"), box);
    view->setToolTip(tr("Show the imported table"));
    auto* series = new QPushButton(QIcon::fromTheme(QStringLiteral("view-list-details")), tr("&Series…"), box);
    series->setToolTip(tr("Manage the stored series"));
    connect(browse, &QPushButton::clicked, this, &Profile_Dialog::Browse_excel_Btn_Clicked);
    connect(view, &QPushButton::clicked, this, &Profile_Dialog::View_Excel_Btn_Clicked);
    connect(series, &QPushButton::clicked, this, &Profile_Dialog::Batch_Series_Btn_Clicked);
    layout->addWidget(caption);
    layout->addWidget(excel_path_field, 1);
    layout->addWidget(browse);
    layout->addWidget(view);
    layout->addWidget(series);
    return box;
}

QWidget* Profile_Dialog::makeSidePictures()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* photoBox = new QGroupBox(tr("Photo"), panel);
    auto* photoLayout = new QVBoxLayout(photoBox);
    user_picture = makePicture(photoBox, QStringLiteral("user_picture"), QSize(120, 140));
    photoLayout->addWidget(user_picture, 0, Qt::AlignHCenter);
    layout->addWidget(photoBox);

    auto* previewBox = new QGroupBox(tr("Preview"), panel);
    auto* previewLayout = new QVBoxLayout(previewBox);
    Preivew_picture = makePicture(previewBox, QStringLiteral("Preivew_picture"), sidePictureSize);
    preview_btn
        = new QPushButton(QIcon::fromTheme(QStringLiteral("document-print-preview")), tr("&Preview"), previewBox);
    preview_btn->setToolTip(tr("Show the card with the profile as entered"));
    connect(preview_btn, &QPushButton::clicked, this, &Profile_Dialog::Preview_Btn_Clicked);
    previewLayout->addWidget(Preivew_picture);
    previewLayout->addWidget(preview_btn, 0, Qt::AlignRight);
    layout->addWidget(previewBox);
    layout->addStretch(1);
    return panel;
}

QWidget* Profile_Dialog::makeButtons()
{
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset | QDialogButtonBox::Help, this);
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &Profile_Dialog::OK_Btn_Clicked);
    connect(
        buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &Profile_Dialog::Cancel_Btn_Clicked);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, &Profile_Dialog::Reset_Btn_Clicked);
    connect(buttons->button(QDialogButtonBox::Help), &QPushButton::clicked, this, &Profile_Dialog::Help_Btn_Clicked);
    return buttons;
}

QLabel* Profile_Dialog::makePicture(QWidget* parent, const QString& name, const QSize& size)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setFixedSize(size);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

void Profile_Dialog::showPicture(QLabel* label, const QImage& image)
{
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(
        QPixmap::fromImage(image.scaled(label->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Profile_Dialog::Help_Btn_Clicked()
{
    Open_Help_File();
}
