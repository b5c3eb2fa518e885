#include "library/Image_Library.h"

#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "common/StringHelpers.h"
#include "library/PictureFolder.h"
#include "model/StoredPaths.h"
#include "platform/DialogService.h"
#include "widgets/DialogParent.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

namespace {
Image_Library* instance = nullptr;
constexpr double startZoom = 0.4;
} // namespace

Image_Library::Image_Library(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Image Library"));
    category_label = new QLabel(QStringLiteral("&Category:"));
    cat_cmbo_bx = new QComboBox;
    cat_cmbo_bx->setMinimumContentsLength(16);
    category_label->setBuddy(cat_cmbo_bx);
    _zoom_label = new QLabel(QStringLiteral("&Zoom:"));
    _zoom_slider = new QSlider(Qt::Horizontal);
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setMaximumWidth(200);
    _zoom_slider->setToolTip(QStringLiteral("Thumbnail size"));
    _zoom_label->setBuddy(_zoom_slider);
    auto* top = new QHBoxLayout;
    top->addWidget(category_label);
    top->addWidget(cat_cmbo_bx);
    top->addStretch(1);
    top->addWidget(_zoom_label);
    top->addWidget(_zoom_slider);
    imageBrowser = new PictureBrowser;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(imageBrowser, 1);
    layout->addWidget(buttons);
    resize(800, 560);

    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &Image_Library::OK_Clicked);
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &Image_Library::Cancel_Clicked);
    connect(_zoom_slider, &QSlider::valueChanged, this, &Image_Library::zoomSliderDidChange);
    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, &Image_Library::comboBoxSelectionDidChange);
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
        [this](const QString& path) { selected_image = path; });
    connect(imageBrowser, &PictureBrowser::pictureChosen, this, [this](const QString& path) {
        selected_image = path;
        OK_Clicked();
    });
    instance = this;
}

Image_Library::~Image_Library()
{
    if (instance == this)
        instance = nullptr;
}

Image_Library* Image_Library::defaultInstance()
{
    if (!instance)
        new Image_Library(dialogParent());
    return instance;
}

int Image_Library::Open_Library_Window()
{
    try {
        // A picture kept from the other mode must not come back as clip art or background.
        if (control_or_BG != lastMode_)
            selected_image.clear();
        lastMode_ = control_or_BG;
        imageBrowser->pictures()->setItems({});
        _zoom_slider->setValue(int(std::lround(startZoom * 100)));
        imageBrowser->setZoomValue(startZoom);
        const bool clipArt = control_or_BG == QLatin1String("C");
        setWindowTitle(clipArt ? QStringLiteral("Image Library") : QStringLiteral("Background Image Library"));
        cat_cmbo_bx->setVisible(clipArt);
        category_label->setVisible(clipArt);
        if (clipArt)
            Fill_Combobox();
        else
            Load_and_fill_backgrounds();
        imageBrowser->setFocus();
        return dialogs().runModal(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Image_Library::Fill_Combobox()
{
    const QSignalBlocker blocker(cat_cmbo_bx);
    cat_cmbo_bx->clear();
    // The folder's own name goes with the shown one, so that any spelling is found again.
    for (const QString& folder : subfolderNames(Resource_File(QStringLiteral("LibraryImage"))))
        cat_cmbo_bx->addItem(capitalisedWords(folder), folder);
    if (cat_cmbo_bx->count() > 0) {
        cat_cmbo_bx->setCurrentIndex(0);
        comboBoxSelectionDidChange(0);
    }
}

void Image_Library::comboBoxSelectionDidChange(int index)
{
    if (index < 0)
        return;
    // Not QDir::filePath: it takes a name starting with ":" for a path into the program's resources.
    const QString folder
        = Resource_File(QStringLiteral("LibraryImage")) + QLatin1Char('/') + cat_cmbo_bx->itemData(index).toString();
    if (!QFileInfo(folder).isDir())
        return;
    imageBrowser->pictures()->setItems(pictureItemsInFolder(folder));
}

void Image_Library::Load_and_fill_backgrounds()
{
    const QString folder = Resource_File(QStringLiteral("Background"));
    if (QFileInfo(folder).isDir())
        imageBrowser->pictures()->setItems(pictureItemsInFolder(folder));
}

void Image_Library::zoomSliderDidChange(int value)
{
    imageBrowser->setZoomValue(value / 100.0);
}

void Image_Library::OK_Clicked()
{
    if (!selected_image.isEmpty() && QFileInfo(Resolve_Stored_Picture_Path(selected_image)).isFile())
        done(1);
    else
        Show_MessageBox_No_Thread(QStringLiteral("Please select image."));
}

void Image_Library::Cancel_Clicked()
{
    selected_image = QStringLiteral("");
    done(0);
}

void Image_Library::reject()
{
    Cancel_Clicked();
}
