#include "wizards/Template_Wizard.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "data/TemplateStore.h"
#include "dialogs/ModalRun.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "platform/DialogService.h"
#include "wizards/CardSizeHost.h"
#include "wizards/Export_Template.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

QString Selected_Template_Path = QString(QLatin1String(""));
quint64 User_Defined_File = 0;

namespace {
Template_Wizard* instance = nullptr;
constexpr double startZoom = 0.6;
} // namespace

Template_Wizard::Template_Wizard(CardSizeHost& host, QWidget* parent)
    : QDialog(parent)
    , cat_cmbo_bx(new QComboBox)
    , imageBrowser(new PictureBrowser)
    , _zoom_label(new QLabel(QStringLiteral("&Zoom:")))
    , _zoom_slider(new QSlider(Qt::Horizontal))
    , Export_Template_Window(new Export_Template(this))
    , host_(host)
{
    setWindowTitle(QStringLiteral("Templates"));
    cat_cmbo_bx->addItems({ QStringLiteral("Built-in Templates"), QStringLiteral("My Templates") });
    auto* showLabel = new QLabel(QStringLiteral("&Show:"));
    showLabel->setBuddy(cat_cmbo_bx);
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setMaximumWidth(200);
    _zoom_slider->setToolTip(QStringLiteral("Thumbnail size"));
    _zoom_label->setBuddy(_zoom_slider);
    auto* top = new QHBoxLayout;
    top->addWidget(showLabel);
    top->addWidget(cat_cmbo_bx);
    top->addStretch(1);
    top->addWidget(_zoom_label);
    top->addWidget(_zoom_slider);

    Delete_temp_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-delete")), QStringLiteral("&Delete"));
    Copy_temp_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-copy")), QStringLiteral("&Copy"));
    Rename_temp_btn = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-rename")), QStringLiteral("&Rename..."));
    Delete_temp_btn->setToolTip(QStringLiteral("Delete the selected template"));
    Copy_temp_btn->setToolTip(QStringLiteral("Make a copy of the selected template"));
    Rename_temp_btn->setToolTip(QStringLiteral("Give the selected template another name"));
    auto* manage = new QHBoxLayout;
    for (QPushButton* button : { Delete_temp_btn, Copy_temp_btn, Rename_temp_btn }) {
        button->setAutoDefault(false);
        manage->addWidget(button);
    }
    manage->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(imageBrowser, 1);
    left->addLayout(manage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Open Template"));
    QPushButton* profile = buttons->addButton(QStringLiteral("New &Profile..."), QDialogButtonBox::ActionRole);
    profile->setToolTip(QStringLiteral("Create a profile of party details"));
    auto* layout = new QVBoxLayout(this);
    // No size fields here: a template keeps the size its objects were laid out for.
    layout->addLayout(left, 1);
    layout->addWidget(buttons);
    resize(940, 580);

    connect(cat_cmbo_bx, &QComboBox::activated, this, &Template_Wizard::setChoiceDidChange);
    connect(_zoom_slider, &QSlider::valueChanged, this, &Template_Wizard::zoomSliderDidChange);
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
        [](const QString& path) { Selected_Template_Path = path; });
    connect(imageBrowser, &PictureBrowser::pictureChosen, this, [this](const QString& path) {
        Selected_Template_Path = path;
        OK_Click();
    });
    connect(Delete_temp_btn, &QPushButton::clicked, this, &Template_Wizard::Delete_Template_Click);
    connect(Copy_temp_btn, &QPushButton::clicked, this, &Template_Wizard::Copy_Templatee_Click);
    connect(Rename_temp_btn, &QPushButton::clicked, this, &Template_Wizard::Rename_Template_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &Template_Wizard::OK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &Template_Wizard::CancelClick);
    connect(profile, &QPushButton::clicked, this, &Template_Wizard::User_Profile_Click);
    instance = this;
}

Template_Wizard::~Template_Wizard()
{
    if (instance == this)
        instance = nullptr;
}

Template_Wizard* Template_Wizard::defaultInstance()
{
    return instance;
}

int Template_Wizard::Open_Template_Window()
{
    try {
        cat_cmbo_bx->setCurrentIndex(0);
        imageBrowser->pictures()->setItems({});
        _zoom_slider->setValue(int(std::lround(startZoom * 100)));
        imageBrowser->setZoomValue(startZoom);
        Show_Hide_Template_Buttons(true);
        Fill_Templates();
        imageBrowser->setFocus();
        return runModalOnce(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Template_Wizard::Fill_Templates()
{
    fillFrom(TemplateStore::builtInFolder(), false);
}

void Template_Wizard::Fill_Templates_User_Defined()
{
    fillFrom(TemplateStore::userFolder(), true);
}

void Template_Wizard::fillFrom(const QString& folder, bool userSet)
{
    Show_Debug_Message(folder);
    if (!QFileInfo(folder).isDir())
        return;
    QList<MyImageObject> items;
    for (const QString& preview : TemplateStore::previewsIn(folder)) {
        const QString uid
            = userSet ? QStringLiteral("TEMP%1.png").arg(User_Defined_File++) : QFileInfo(preview).fileName();
        // A template goes by its name; its preview's file type is nothing to the person.
        items.append({ preview, TemplateStore::nameOf(preview), uid });
    }
    imageBrowser->pictures()->setItems(items);
    if (!items.isEmpty())
        imageBrowser->selectRow(0);
}

void Template_Wizard::Show_Hide_Template_Buttons(bool hide)
{
    for (QPushButton* button : { Delete_temp_btn, Copy_temp_btn, Rename_temp_btn })
        button->setVisible(!hide);
}

void Template_Wizard::setChoiceDidChange(int index)
{
    if (index == 0)
        Fill_Templates();
    else
        Fill_Templates_User_Defined();
    Show_Hide_Template_Buttons(index == 0);
}

void Template_Wizard::zoomSliderDidChange(int value)
{
    imageBrowser->setZoomValue(value / 100.0);
}

bool Template_Wizard::hasValidTemplate() const
{
    if (!Selected_Template_Path.isEmpty() && QFileInfo(Selected_Template_Path).isFile())
        return true;
    Show_MessageBox_No_Thread(QStringLiteral("Please select template."));
    return false;
}

void Template_Wizard::OK_Click()
{
    if (!hasValidTemplate())
        return;
    Card_Shape = 0;
    Selected_Template_Path = TemplateStore::designPathFor(Selected_Template_Path);
    done(1);
}

void Template_Wizard::CancelClick()
{
    Selected_Template_Path = QString(QLatin1String(""));
    Card_Shape = 0;
    done(0);
}

void Template_Wizard::Delete_Template_Click()
{
    if (!hasValidTemplate() || !dialogs().askYesNoSafe(QStringLiteral("Do you want to delete this template?")))
        return;
    TemplateStore::deleteTemplate(Selected_Template_Path);
    Fill_Templates_User_Defined();
}

void Template_Wizard::Copy_Templatee_Click()
{
    if (!hasValidTemplate() || !dialogs().askYesNo(QStringLiteral("Do you want to make copy of this template?")))
        return;
    TemplateStore::copyTemplate(Selected_Template_Path);
    Fill_Templates_User_Defined();
}

void Template_Wizard::Rename_Template_Click()
{
    if (!hasValidTemplate())
        return;
    const QString oldName = TemplateStore::nameOf(Selected_Template_Path);
    if (Export_Template_Window->runFor(oldName, oldName) != 1 || export_template_name == oldName)
        return;
    if (!TemplateStore::renameTemplate(Selected_Template_Path, export_template_name))
        Show_MessageBox_No_Thread(QStringLiteral("The template could not be renamed."));
    Fill_Templates_User_Defined();
}

void Template_Wizard::User_Profile_Click()
{
    host_.openNewProfile();
}
