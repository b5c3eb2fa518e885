#pragma once

#include "data/WorkbookBinding.h"
#include "model/SKTGraphic.h"
#include "profiles/User_Profile_Class.h"

#include <QDialog>
#include <QList>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class ProfileDialogHost;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// What the two profile dialogs share: one row per profile field (value, source, series or
// column, view button), the photo, the workbook, the side's picture and the preview, and
// writing the form into the main window's profile records.
class Profile_Dialog : public QDialog
{
    Q_OBJECT

public:
    using Field = User_Profile_Class::Field;
    static constexpr int FieldCount = User_Profile_Class::FieldCount;

    // The controls of one field. For the photo, value is the path field image_path_val.
    struct FieldRow
    {
        QWidget* label = nullptr; // a caption label, or an editable caption field
        QLineEdit* value = nullptr;
        QComboBox* ds_combo = nullptr;
        QComboBox* ser_col_cb = nullptr;
        QPushButton* view_btn = nullptr;
    };

    // Opens the dialog modally: loading the current side's visible profile objects (true)
    // or empty. 1 after OK, 0 after Cancel. Cancel after typing asks first whether to place
    // what was typed.
    int Open_Wnd(bool load);

    void Reset_all_Ctrl();
    bool Check_Validation();
    bool Fill_Front_User_profile_value_in_Variable();
    bool Fill_Back_User_profile_value_in_Variable();
    bool Fill_TEMP_User_profile_value_in_Variable();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Reset_Btn_Clicked();
    void Help_Btn_Clicked();

    // Data sources.
    void Browse_excel_Btn_Clicked();
    void Add_Excel_in_Data_Source_Combo();
    void Remove_Excel_in_Data_Source_Combo();
    void View_Excel_Btn_Clicked();
    void Batch_Series_Btn_Clicked();
    void View_Data_Series_By_Name(QComboBox* combo);

    // Photo and preview.
    void Browse_image_Btn_Clicked();
    void Clear_image_Btn_Clicked();
    // Shows the photo a path names; a bare file name from a row is looked for beside its
    // source (besideFolder), where a print looks for it.
    void Set_User_Image(const QString& path, const QString& besideFolder = QString());
    void Preview_Btn_Clicked();
    void Create_and_Set_Preview_picture();

    FieldRow& row(Field field) { return rows_[field]; }
    QString load_side; // "" fresh, "F" or "B" for a side; read by OK
    QString checked_field_name; // caption of the field the last validation stopped at
    QString checked_gone_column; // the title of its column when the table no longer has it
    QList<SKTGraphicPtr> Graphics_array; // what the pictures show; not owned

    QLineEdit* excel_path_field = nullptr;
    QLabel* user_picture = nullptr;
    QPushButton* browse_pic_btn = nullptr;
    QPushButton* clear_pic_btn = nullptr;
    QLabel* Preivew_picture = nullptr;
    QPushButton* preview_btn = nullptr;

protected:
    // Escape and the window's close button are Cancel.
    void reject() override { Cancel_Btn_Clicked(); }

    Profile_Dialog(ProfileDialogHost& host, QWidget* parent);

    // Builds the rows in grid columns 0 caption, 2 value, 3 source, 4 series or column,
    // 5 view; the subclasses add their own controls through the hooks below.
    void buildWindow();
    virtual void addRowExtras(QGridLayout&, int, Field) { }
    virtual QWidget* makeCaption(Field field);
    virtual QWidget* makeSidePictures();
    virtual void resetExtras() { }
    virtual void fieldLoaded(Field) { }
    virtual void Create_and_Set_template_picture();
    static constexpr QSize sidePictureSize { 260, 170 };
    static QLabel* makePicture(QWidget* parent, const QString& name, const QSize& size);
    void showPicture(QLabel* label, const QImage& image);

    ProfileDialogHost& host_;

private:
    void loadSide();
    // What the fields and editable captions hold, to tell whether the user typed anything.
    QStringList typedTexts() const;
    void sourceChanged(Field field);
    // The spreadsheet source chosen by the user starts at the field's own column, else at the
    // first whose first row holds a value the field can show, as the object panel does.
    void startAtOwnColumn(Field field);
    void seriesOrColumnChosen(Field field);
    void followImportedColumns();
    // Selects the column a loaded object is bound to, found by its title.
    void selectColumnOf(Field field, const SKTGraphic& graphic);
    bool fillRecord(User_Profile_Class& record, bool withFlags);
    QWidget* makeRow(QGridLayout& grid, int gridRow, Field field);
    QWidget* makeWorkbookBox();
    QWidget* makeButtons();

    std::array<FieldRow, User_Profile_Class::FieldCount> rows_;
    // Per field, the title of the column it was bound to while the table has no such column.
    std::array<QString, User_Profile_Class::FieldCount> goneColumns_;
    // Per field, the column it was last bound to, by title and place: the loaded object's, or
    // the one chosen since.
    struct OwnColumn
    {
        QString title;
        int place = 0;
    };
    std::array<OwnColumn, User_Profile_Class::FieldCount> ownColumns_;
    // Puts back the spreadsheet table, its path and its use as the opening found them: a
    // workbook imported here belongs to the design only once OK takes it.
    std::optional<WorkbookBinding> workbookAtOpening_;
    QStringList textsAtOpening_;
};

// A field as the user reads it ("Name" ... "Photo").
QString profileFieldTitle(User_Profile_Class::Field field);
// The caption the validation names a field by ("Name :" ... "Photo :").
QString profileFieldCaption(User_Profile_Class::Field field);
// The object name of one of a field's controls: the field's stem and the suffix.
QString profileControlName(User_Profile_Class::Field field, const char* suffix);
