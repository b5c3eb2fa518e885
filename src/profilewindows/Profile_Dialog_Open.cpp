#include "profilewindows/Profile_Dialog.h"

#include "canvas/GraphicKind.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "model/CardGlobals.h"
#include "model/PictureFile.h"
#include "model/RowPicture.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"
#include "profilewindows/ProfileDialogHost.h"
#include "widgets/ExcelSourceItem.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Selects an index by code; one outside the list leaves no selection, as an unknown
// binding is shown.
void selectIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

bool tableHasRows()
{
    return Data_From_Excel_Window && !Data_From_Excel_Window->ListData.empty();
}

} // namespace

int Profile_Dialog::Open_Wnd(bool load)
{
    Reset_all_Ctrl();
    workbookAtOpening_ = WorkbookBinding::current();
    // Shown on every opening, so that OK writes back the path the design has.
    excel_path_field->setText(Excel_Source_Path);
    if (tableHasRows())
        Add_Excel_in_Data_Source_Combo();
    if (load) {
        const bool back = Card_Front_Or_Back != 0;
        setWindowTitle(back ? QStringLiteral("Back Side User Profile Information")
                            : QStringLiteral("Front Side User Profile Information"));
        Graphics_array = host_.sideGraphics(back);
        Create_and_Set_template_picture();
        loadSide();
    } else {
        setWindowTitle(QStringLiteral("User Profile Information"));
    }
    row(Field::Name).value->setFocus();
    textsAtOpening_ = typedTexts();
    return dialogs().runModal(*this);
}

void Profile_Dialog::loadSide()
{
    for (const SKTGraphicPtr& graphic : Graphics_array) {
        if (!isExactlyKind(*graphic, GraphicKind::Text) && !isExactlyKind(*graphic, GraphicKind::Image))
            continue;
        const QString id = Trim_Str(graphic->control_ID);
        if (id.isEmpty() || !graphic->ctrl_is_visible)
            continue;
        for (int i = 0; i < FieldCount; ++i) {
            if (User_Profile_Class::controlID(Field(i)) != id)
                continue;
            FieldRow& r = rows_[i];
            r.value->setText(graphic->Text_Value);
            ownColumns_[i] = { graphic->excel_col_title, graphic->excel_col_indx };
            fieldLoaded(Field(i));
            const int type = graphic->data_source_type;
            // A spreadsheet binding keeps its choice even before a table is loaded.
            if (type == 2)
                Add_Excel_Col_Name_In_Combo(r.ds_combo);
            selectIndex(r.ds_combo, type);
            // A series is found by name: its place in the list moves whenever a series is
            // added or removed. One that is gone leaves no choice, so OK names the field.
            if (type == 1)
                r.ser_col_cb->setCurrentIndex(r.ser_col_cb->findText(graphic->batch_list_name));
            else if (type == 2)
                selectColumnOf(Field(i), *graphic);
            break;
        }
    }
}

void Profile_Dialog::selectColumnOf(Field field, const SKTGraphic& graphic)
{
    FieldRow& r = rows_[field];
    const int column
        = graphic.excelColumnIn(Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList());
    selectIndex(r.ser_col_cb, column);
    // A title the table lacks is named on OK; the field never takes another column's place.
    if (r.ser_col_cb->currentIndex() < 0 && column < 0)
        goneColumns_[field] = Trim_Str(graphic.excel_col_title);
}

void Profile_Dialog::Reset_all_Ctrl()
{
    Preivew_picture->clear();
    Set_User_Image(QString());
    resetExtras();
    for (int i = 0; i < FieldCount; ++i) {
        if (Field(i) != Field::image)
            rows_[i].value->clear();
    }
    for (FieldRow& r : rows_)
        r.ds_combo->setCurrentIndex(0);
    for (FieldRow& r : rows_)
        r.ser_col_cb->setCurrentIndex(-1);
    goneColumns_.fill(QString());
    ownColumns_.fill(OwnColumn());
}

void Profile_Dialog::Create_and_Set_template_picture()
{
    Create_and_Set_Preview_picture();
}

void Profile_Dialog::Create_and_Set_Preview_picture()
{
    showPicture(Preivew_picture, host_.sidePicture(Graphics_array));
}

void Profile_Dialog::Browse_image_Btn_Clicked()
{
    const QString path = dialogs().chooseOpenFile(
        tr("Choose a Photo"), QString(), tr("Pictures (*.jpg *.jpeg *.jpe *.jfif *.gif *.bmp *.png *.tif *.tiff)"));
    if (path.isEmpty()) {
        host_.setLibrarySelectedImage(QString());
        return;
    }
    Set_User_Image(path);
}

void Profile_Dialog::Clear_image_Btn_Clicked()
{
    Set_User_Image(QString());
}

void Profile_Dialog::Set_User_Image(const QString& path, const QString& besideFolder)
{
    const QString trimmed = Trim_Str(path);
    rows_[Field::image].value->setText(trimmed);
    if (trimmed.isEmpty()) {
        user_picture->clear();
        return;
    }
    const RowPictureLookup found = findRowPicture(trimmed, besideFolder);
    const QString file = found.found ? found.path : trimmed;
    QImage loaded;
    runAwayFromGuiThread([&] { loaded = PictureFile::load(file); });
    if (loaded.isNull())
        return; // the well keeps what it showed
    showPicture(user_picture, loaded);
}

void Profile_Dialog::Preview_Btn_Clicked()
{
    if (!Fill_TEMP_User_profile_value_in_Variable())
        return;
    Graphics_array = host_.previewOnScratchSide();
    Create_and_Set_Preview_picture();
}
