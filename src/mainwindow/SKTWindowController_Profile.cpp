#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/WorkbookBinding.h"
#include "inspector/DataSourcePage.h"
#include "inspector/PropertiesInspector.h"
#include "jobs/DataBinding.h"
#include "mainwindow/MainProfileHost.h"
#include "mainwindow/MainWindowExport.h"
#include "mainwindow/ProfileFieldStates.h"
#include "model/CardGlobals.h"
#include "model/SKTText.h"
#include "profiles/ProfileTemplate.h"
#include "profiles/User_Profile_Class.h"
#include "profilewindows/Show_User_Profile.h"
#include "profilewindows/User_profile.h"

#include <QScopeGuard>

int SKTWindowController::Open_User_Profile_Window(bool load, const QString& loadSide)
{
    if (!profileHost_)
        profileHost_ = std::make_unique<MainProfileHost>(*this);
    const QString side = Trim_Str(loadSide);
    Profile_Dialog*& dialog = side.isEmpty() ? userProfileWindow_ : showUserProfileWindow_;
    if (!dialog) {
        if (side.isEmpty())
            dialog = new User_profile(*profileHost_, this);
        else
            dialog = new Show_User_Profile(*profileHost_, this);
    }
    dialog->load_side = side;
    const WorkbookBinding before = WorkbookBinding::current();
    const int result = dialog->Open_Wnd(load);
    // Cancel gives back the rows a Browse… replaced.
    sourcesChanged();
    if (result == 1) {
        Fill_User_Profile = true;
        // Taken back with the profile's placing; the earliest binding when two OKs come first.
        if (!workbookBeforeProfile_ && !WorkbookBinding::current().isSameAs(before))
            workbookBeforeProfile_ = std::make_shared<const WorkbookBinding>(before);
    }
    return result;
}

void SKTWindowController::Fill_User_profile_Details()
{
    // The profile on both sides with its workbook is one change: one Undo on either side takes
    // it all back.
    document_->runAsStepOnBothSides(QStringLiteral("Profile"), [this] {
        Fill_User_profile_info_front_side();
        Fill_User_profile_info_back_side();
    });
    refreshUndoActions();
}

void SKTWindowController::Fill_User_profile_info_front_side()
{
    placeProfileOnSide(*Front_user_profile, _graphicView);
}

void SKTWindowController::Fill_User_profile_info_back_side()
{
    placeProfileOnSide(*Back_user_profile, _graphicView_BACK);
}

void SKTWindowController::placeProfileOnSide(const User_Profile_Class& profile, SKTGraphicView* canvas)
{
    // The fields placed, replaced and hidden, and the workbook they were bound to, are one
    // change: one Undo takes them all back.
    const SKTDocument::Side side = canvas->editedSide();
    document_->undoManager(side).runAsStep(QStringLiteral("Profile"), [&] {
        registerWorkbookBeforeProfile(side);
        registerProfileFieldsUndo(side);
        placeProfile(profile, canvas, true);
    });
    refreshUndoActions();
}

void SKTWindowController::registerProfileFieldsUndo(SKTDocument::Side side)
{
    document_->undoManager(side).registerUndo(
        [this, side, states = ProfileFieldStates::of(document_->graphicsOfSide(side))] {
            registerProfileFieldsUndo(side);
            states.restore();
        });
}

void SKTWindowController::Fill_User_profile_info_TEMP_side()
{
    // The profile preview goes into the scratch list itself, never into the side it shows.
    const SKTDocument::Side shown = _graphicView_TEMP->editedSide();
    _graphicView_TEMP->setEditedSide(SKTDocument::Side::Temp);
    placeProfile(*TEMP_user_profile, _graphicView_TEMP, false);
    _graphicView_TEMP->setEditedSide(shown);
}

void SKTWindowController::placeProfile(const User_Profile_Class& profile, SKTGraphicView* canvas, bool gated)
{
    using Field = User_Profile_Class::Field;
    if (gated) {
        DataSourcePage& sources = *inspector().datasource_tab;
        if (Excel_Binding_Use)
            sources.Add_Excel_Col_Name_In_Combo();
        else
            sources.Remove_Excel_Col_Name_In_Combo();
        if (!Fill_User_Profile)
            return;
    }
    // The fields are placed through the text and image tools; the user's own tool, which the
    // toolbar still shows, must be the one in effect afterwards, or the next drag makes an object.
    const auto restoreUsersTool = qScopeGuard(
        [this, tool = Selected_Control_Tool_, picture = ::Library_Selected_Image] {
            Selected_Control_Tool_ = tool;
            ::Library_Selected_Image = picture;
        });
    canvas->Hide_all_Text_control_FUP_Control();
    // Fields are placed on the card's own size, whichever side they go to.
    const QSizeF cardSize = frontCanvasBounds().size();
    const auto place = [&](Field field, GraphicKind kind) {
        const User_Profile_Class::FieldRecord& record = profile[field];
        const bool found = canvas->Selcect_Ctrl_With_ID(record.id) != nullptr;
        const QRectF rect = found ? QRectF() : ProfileTemplate::Get_Control_Rect_From_Template(record.id, cardSize);
        canvas->setSelectedGraphic(nullptr);
        canvas->ReplaceGraphicText(kind, !found, rect, QString(), record.value, record.id);
        const SKTGraphicPtr placed = canvas->selectedGraphic();
        if (!placed)
            return;
        // The dialog loads a photo back from its path.
        if (kind == GraphicKind::Image)
            placed->Text_Value = record.value;
        if (record.ds) {
            placed->Set_Data_source_type(1);
            placed->Set_Batch_List_Name(record.ds_name);
            placed->Set_Batch_List_Index(record.ds_indx);
            placed->Set_Excel_binding(false);
        }
        if (record.xl) {
            placed->Set_Data_source_type(2);
            placed->Set_Excel_binding(true);
            // Kept with its title, so that rows from another sheet or workbook follow the column.
            placed->Set_Excel_binding_Column(record.xl_col_indx, spreadsheet->columnTitles().value(record.xl_col_indx));
        }
        if (!record.ds && !record.xl) {
            // Typed in: a batch run must not overwrite what the user typed.
            placed->Set_Data_source_type(0);
            placed->Set_Batch_List_Name(QString());
            placed->Set_Excel_binding(false);
        }
        // A placeholder of its own is made wide enough for the values it shows.
        if (!found)
            fitToValues(placed, record.value, cardSize);
    };
    Selected_Control_Tool_ = TextTool;
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        if (Field(i) != Field::image && profile.fields[i].isPresent())
            place(Field(i), GraphicKind::Text);
    }
    if (!profile[Field::image].isPresent())
        return;
    Selected_Control_Tool_ = ImageTool;
    ::Library_Selected_Image = profile[Field::image].value;
    place(Field::image, GraphicKind::Image);
}

void SKTWindowController::fitToValues(const SKTGraphicPtr& placed, const QString& shown, const QSizeF& cardSize) const
{
    const auto* text = dynamic_cast<const SKTText*>(placed.get());
    if (!text)
        return;
    // The longest of the first rows stands for the rest: a batch names any card still cut.
    constexpr int rowsMeasured = 1000;
    QSizeF needed = text->drawnSizeOf(shown);
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ placed }, {}, false,
        Data_From_Excel_Window ? MainWindowExport::rowsOf(*Data_From_Excel_Window) : SpreadsheetRows(),
        Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList());
    const int rows = std::min(binding.Total_Batch_Excel_Card, rowsMeasured);
    for (int row = 0; row < rows; ++row)
        needed = needed.expandedTo(text->drawnSizeOf(binding.valueFor(*text, row).value_or(QString())));
    placed->setBounds(ProfileTemplate::grownToHold(placed->bounds(), needed, cardSize));
}

SKTDocument::Graphics SKTWindowController::previewProfileOnScratchSide()
{
    SKTDocument::Graphics copies;
    for (const SKTGraphicPtr& graphic :
        Card_Front_Or_Back == 0 ? Get_Front_Controls_Array() : Get_Back_Controls_Array())
        copies.append(graphic->clone());
    document_->setGraphicsOfSide(SKTDocument::Side::Temp, copies);
    const float x = last_ctrl_X;
    const float y = last_ctrl_Y;
    Fill_User_profile_info_TEMP_side();
    last_ctrl_X = x;
    last_ctrl_Y = y;
    const SKTDocument::Graphics preview = Get_Temp_Controls_Array();
    if (scratchSideShown())
        Temp_Design_Control_Assign();
    return preview;
}
