#include "inspector/DataSourcePage.h"

#include "canvas/GraphicKind.h"
#include "common/MessageBoxes.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "inspector/InspectorHost.h"
#include "inspector/PanelValues.h"
#include "platform/StyledText.h"
#include "widgets/ExcelSourceItem.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString manualItem = QStringLiteral("Manual");
const QString seriesItem = QStringLiteral("Series");
const QString spreadsheetItem = QStringLiteral("Excel");

// Puts the items in the list unless it holds them already: a series that another program
// rewrites is told a few times a second, and an open list must not be emptied under the mouse.
void showItems(QComboBox* box, const QStringList& items)
{
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown == items)
        return;
    box->clear();
    box->addItems(items);
}

} // namespace

DataSourcePage::DataSourcePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , data_source_title(new QLabel)
    , Data_source_type(new QComboBox)
    , data_source_help_btn(new QToolButton)
    , Batch_Series(new QComboBox)
    , view_series_btn(new QPushButton(tr("V&iew…")))
    , manual_brws_box(new QGroupBox(tr("Picture file")))
    , Manual_image_path(new QLineEdit)
    , host_(host)
{
    QFont bold = data_source_title->font();
    bold.setBold(true);
    data_source_title->setFont(bold);
    Data_source_type->addItems({ manualItem, seriesItem });
    Data_source_type->setToolTip(tr("Typed in, a batch series, or a column of the imported spreadsheet"));
    // The style's own question icon where the theme has none, so the button is never blank.
    data_source_help_btn->setIcon(QIcon::fromTheme(
        QStringLiteral("help-contents"), data_source_help_btn->style()->standardIcon(QStyle::SP_MessageBoxQuestion)));
    data_source_help_btn->setToolTip(tr("Help"));
    data_source_help_btn->setAccessibleName(tr("Help"));
    data_source_help_btn->setAutoRaise(true);
    Batch_Series->setToolTip(tr("The series or spreadsheet column that gives the value"));
    view_series_btn->setToolTip(tr("Show the values of the chosen series or the spreadsheet"));
    Manual_image_path->setReadOnly(true);
    auto* browse = new QPushButton(tr("&Browse…"));
    browse->setToolTip(tr("Choose a picture file"));
    auto* library = new QPushButton(tr("&Library…"));
    library->setToolTip(tr("Choose clip art from the image library"));

    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(Batch_Series, 1);
    seriesRow->addWidget(view_series_btn);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(Data_source_type, 1);
    sourceRow->addWidget(data_source_help_btn);
    auto* form = new QFormLayout;
    auto* sourceLabel = new QLabel(tr("S&ource:"));
    sourceLabel->setBuddy(Data_source_type);
    form->addRow(sourceLabel, sourceRow);
    auto* seriesLabel = new QLabel(tr("&Series or column:"));
    seriesLabel->setBuddy(Batch_Series);
    form->addRow(seriesLabel, seriesRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(browse);
    buttons->addWidget(library);
    buttons->addStretch(1);
    auto* manual = new QVBoxLayout(manual_brws_box);
    manual->addWidget(Manual_image_path);
    manual->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(data_source_title);
    layout->addLayout(form);
    layout->addWidget(manual_brws_box);
    layout->addStretch(1);

    connect(Data_source_type, &QComboBox::activated, this, &DataSourcePage::Data_source_type_Changed);
    connect(Batch_Series, &QComboBox::activated, this, &DataSourcePage::Batch_Series_Changed);
    connect(data_source_help_btn, &QToolButton::clicked, this, &DataSourcePage::Data_Source_Help_Button);
    connect(view_series_btn, &QPushButton::clicked, this,
        [this] { host_.View_batch_Series_Button(Data_source_type->currentText(), Batch_Series->currentText()); });
    connect(browse, &QPushButton::clicked, this, &DataSourcePage::Manual_Image_Browse_Btn);
    connect(library, &QPushButton::clicked, this, &DataSourcePage::Manual_Library_Browse_Btn);
}

DataSourcePage::Source DataSourcePage::sourceNamed(const QString& item)
{
    if (item == manualItem)
        return Source::Manual;
    return item == seriesItem ? Source::Series : Source::Spreadsheet;
}

void DataSourcePage::Add_Excel_Col_Name_In_Combo()
{
    ::Add_Excel_Col_Name_In_Combo(Data_source_type);
}

void DataSourcePage::Remove_Excel_Col_Name_In_Combo()
{
    ::Remove_Excel_Col_Name_In_Combo(Data_source_type);
}

void DataSourcePage::Data_Source_Help_Button()
{
    Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
    Cutom_Msg_Val = QStringLiteral("Select Data Source as 'Manual' to enter value manually, Select 'Batch Processing "
                                   "Series' to fetch the value from the list of existing Batch Processing Series.");
    Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog();
}

void DataSourcePage::load(const SKTGraphic& graphic)
{
    if (host_.spreadsheetBound())
        Add_Excel_Col_Name_In_Combo();
    else
        Remove_Excel_Col_Name_In_Combo();
    PanelValues::selectIndex(Data_source_type, graphic.data_source_type);
    if (!graphic.batch_list_name.isEmpty())
        Batch_Series->setCurrentIndex(Batch_Series->findText(graphic.batch_list_name));
    Manual_image_path->setText(graphic._file_path);
}

void DataSourcePage::afterFill(const SKTGraphic& graphic)
{
    setUpControls(sourceNamed(Data_source_type->currentText()), &graphic);
}

void DataSourcePage::showSourcesNow(const SKTGraphic& graphic)
{
    const QSignalBlocker blockSource(Data_source_type);
    const QSignalBlocker blockList(Batch_Series);
    load(graphic);
    afterFill(graphic);
}

bool DataSourcePage::setUpControls(Source source, const SKTGraphic* graphic)
{
    const bool manual = source == Source::Manual;
    showGoneColumn(source == Source::Spreadsheet ? graphic : nullptr);
    view_series_btn->setEnabled(!manual);
    Batch_Series->setEnabled(!manual);
    SetObjEnabled(manual_brws_box, manual);
    emit manualEntryChanged(manual);
    if (manual) {
        // A manual object takes no series or column: the greyed box shows none.
        Batch_Series->setCurrentIndex(-1);
        return true;
    }
    if (source == Source::Series) {
        const QStringList names = host_.Get_datasheet_File_Name_Array();
        showItems(Batch_Series, names);
        if (names.isEmpty())
            return false;
        Batch_Series->setCurrentIndex(
            graphic && !graphic->batch_list_name.isEmpty() ? Batch_Series->findText(graphic->batch_list_name) : -1);
    } else {
        const QStringList titles = host_.spreadsheetColumnTitles();
        showItems(Batch_Series, titles);
        // The column of the title it was bound to: none when the table lacks it.
        Batch_Series->setCurrentIndex(graphic ? graphic->excelColumnIn(titles) : -1);
    }
    return true;
}

void DataSourcePage::showGoneColumn(const SKTGraphic* graphic)
{
    Batch_Series->setPlaceholderText(graphic ? host_.goneColumnOf(*graphic) : QString());
}

void DataSourcePage::Data_source_type_Changed()
{
    const SKTGraphicPtr graphic = host_.currentGraphic();
    const Source source = sourceNamed(Data_source_type->currentText());
    if (!setUpControls(source, graphic.get())) {
        Show_MessageBox(QStringLiteral("Please create batch processing series first."));
        // The object keeps its binding, and the choice shows it again.
        if (graphic) {
            PanelValues::selectIndex(Data_source_type, graphic->data_source_type);
            afterFill(*graphic);
        }
        return;
    }
    if (!graphic)
        return;
    // The table's column is taken at once, so the object shows a value: its own column, or
    // the first whose value it can show rather than the row numbers.
    int column = -1;
    if (source == Source::Spreadsheet) {
        const QStringList titles = host_.spreadsheetColumnTitles();
        column = SKTGraphic::excelColumnToStartAt(
            graphic->excel_col_title, graphic->excel_col_indx, titles, [&](int place) {
                const SKTGraphicPtr trial = graphic->clone();
                trial->Set_Data_source_type(2);
                trial->Set_Excel_binding_Column(place, titles.at(place));
                return host_.showsOnFirstCard(trial);
            });
    }
    host_.changeObjectsAsStep([&] {
        const bool wasManual = graphic->data_source_type == 0;
        graphic->Set_Data_source_type(source == Source::Manual ? 0 : source == Source::Series ? 1 : 2);
        if (column >= 0) {
            Batch_Series->setCurrentIndex(column);
            graphic->Set_Excel_binding_Column(column, Batch_Series->itemText(column));
        }
        if (isExactlyKind(*graphic, GraphicKind::Text))
            keepOrGiveBackTypedText(*graphic, wasManual, source == Source::Manual);
    });
    showGoneColumn(source == Source::Spreadsheet ? graphic.get() : nullptr);
    // The canvas shows the first card: the source's first value, or nothing without one.
    host_.Refresh_Canvas();
}

void DataSourcePage::keepOrGiveBackTypedText(SKTGraphic& text, bool wasManual, bool manualNow)
{
    // The design keeps the typed text while the cards show the source's values. Designs from
    // before kept the first value in the text itself: going back to Manual gives the typed
    // text back instead of leaving a series value as if it had been typed.
    if (wasManual && !manualNow) {
        text.text_before_binding = text._Text_contents ? text._Text_contents->string : text.Text_Value;
        return;
    }
    if (!manualNow || !text.text_before_binding)
        return;
    const QString typed = *std::exchange(text.text_before_binding, std::nullopt);
    text.Text_contents()->setString(typed);
    emit textValueShown(typed);
    host_.Refresh_Canvas();
}

void DataSourcePage::Batch_Series_Changed()
{
    const QString item = Batch_Series->currentText().trimmed();
    const int index = Batch_Series->currentIndex();
    if (item.isEmpty())
        return;
    const SKTGraphicPtr graphic = host_.currentGraphic();
    if (!graphic)
        return;
    host_.changeObjectsAsStep([&] {
        const QString source = Data_source_type->currentText();
        if (source == seriesItem) {
            graphic->Set_Data_source_type(1);
            graphic->Set_Batch_List_Name(item);
            graphic->Set_Batch_List_Index(index);
        } else if (source == spreadsheetItem) {
            graphic->Set_Data_source_type(2);
            graphic->Set_Excel_binding_Column(index, Batch_Series->itemText(index));
        }
    });
    // A text keeps what was typed and a picture the file chosen, for Manual to give back; the
    // canvas draws the source's first value.
    host_.Refresh_Canvas();
}

void DataSourcePage::Manual_Image_Browse_Btn()
{
    if (host_.Browse_User_Image_Manually())
        pictureChosen(host_.Library_Selected_Image());
}

void DataSourcePage::Manual_Library_Browse_Btn()
{
    if (host_.Browse_Library_Clip_Art())
        pictureChosen(host_.Library_Selected_Image());
}

void DataSourcePage::pictureChosen(const QString& path)
{
    host_.changeObjectsAsStep([&] {
        Manual_image_path->setText(path);
        if (const SKTGraphicPtr graphic = host_.currentGraphic())
            graphic->setFilePath(path);
        emit imagePathChanged();
    });
}
