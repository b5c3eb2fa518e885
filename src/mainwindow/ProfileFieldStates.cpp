#include "mainwindow/ProfileFieldStates.h"

#include "profiles/User_Profile_Class.h"

#include <memory>

namespace {

bool isProfileField(const SKTGraphic& graphic)
{
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        if (graphic.control_ID == User_Profile_Class::controlID(User_Profile_Class::Field(i)))
            return true;
    }
    return false;
}

} // namespace

ProfileFieldStates ProfileFieldStates::of(const QList<SKTGraphicPtr>& graphics)
{
    ProfileFieldStates taken;
    for (const SKTGraphicPtr& graphic : graphics) {
        if (!isProfileField(*graphic))
            continue;
        // The text storage is changed in place, so its value is kept, not the pointer.
        std::optional<StyledText> contents;
        if (graphic->_Text_contents)
            contents = *graphic->_Text_contents;
        taken.states_.push_back({ graphic, graphic->Text_Value, std::move(contents), graphic->ctrl_is_visible,
            graphic->_file_path, graphic->data_source_type, graphic->batch_list_name, graphic->batch_list_index,
            graphic->excel_binding, graphic->excel_col_indx, graphic->excel_col_title });
    }
    return taken;
}

void ProfileFieldStates::restore() const
{
    for (const State& state : states_) {
        SKTGraphic& field = *state.field;
        field.Text_Value = state.text;
        field._Text_contents = state.contents ? std::make_shared<StyledText>(*state.contents) : nullptr;
        field.Set_Ctrl_Is_Visible(state.visible);
        // A photo loads its picture again from the path.
        if (field._file_path != state.filePath)
            field.setFilePath(state.filePath);
        field.Set_Data_source_type(state.sourceType);
        field.Set_Batch_List_Name(state.seriesName);
        field.Set_Batch_List_Index(state.seriesIndex);
        field.Set_Excel_binding(state.spreadsheet);
        field.Set_Excel_binding_Column(state.spreadsheetColumn, state.spreadsheetColumnTitle);
    }
}
