#pragma once

#include "inspector/ObjectPage.h"

class InspectorHost;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Where a text or image object takes its value from: typed in ("Manual"), a batch series
// ("Series") or a column of the spreadsheet table ("Excel"); for images also the picture
// file, from a file or from the image library.
class DataSourcePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit DataSourcePage(InspectorHost& host, QWidget* parent = nullptr);

    void load(const SKTGraphic& graphic) override;
    // Prepares the series or column list of the loaded source; writes nothing.
    void afterFill(const SKTGraphic& graphic) override;
    // The object's source again with the columns and series there are now, after the rows or
    // the stored series changed while it stayed shown; writes nothing.
    void showSourcesNow(const SKTGraphic& graphic);

    // The user's choice of source: sets up the controls and binds the current object.
    void Data_source_type_Changed();
    // The user's choice of series or column: binds the current object; an image takes the
    // source's first picture, and the canvas shows a text's first value while the text keeps
    // what was typed.
    void Batch_Series_Changed();
    void Manual_Image_Browse_Btn();
    void Manual_Library_Browse_Btn();
    // The "Excel" choice comes and goes with the spreadsheet table.
    void Add_Excel_Col_Name_In_Combo();
    void Remove_Excel_Col_Name_In_Combo();
    // Explains the choices of source in the message dialog.
    void Data_Source_Help_Button();

    QLabel* data_source_title = nullptr;
    QComboBox* Data_source_type = nullptr;
    QToolButton* data_source_help_btn = nullptr;
    QComboBox* Batch_Series = nullptr;
    QPushButton* view_series_btn = nullptr;
    // The manual file-browse group: images only.
    QGroupBox* manual_brws_box = nullptr;
    QLineEdit* Manual_image_path = nullptr;

signals:
    // Typing into the text is allowed only for a manual source.
    void manualEntryChanged(bool manual);
    // A text object took a new value from its source.
    void textValueShown(const QString& text);
    // An image object took a new picture; the image page writes itself back.
    void imagePathChanged();

private:
    enum class Source
    {
        Manual,
        Series,
        Spreadsheet
    };
    static Source sourceNamed(const QString& item);
    // The controls of a source. With a series source, false when no series is stored.
    bool setUpControls(Source source, const SKTGraphic* graphic);
    // The column box names the object's column when the table lacks it, as the canvas does.
    void showGoneColumn(const SKTGraphic* graphic);
    void pictureChosen(const QString& path);
    void keepOrGiveBackTypedText(SKTGraphic& text, bool wasManual, bool manualNow);

    InspectorHost& host_;
};
