#pragma once

#include <QDialog>

class CardSizeHost;
class Export_Template;
class PictureBrowser;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

// While browsing the selected preview; after OK the chosen template's design file; "" after
// Cancel.
extern QString Selected_Template_Path;
// Numbers the user templates' browser items; never reset.
extern quint64 User_Defined_File;

// The template browser: the built-in templates or the user's, each shown by its preview.
// The user's own can be deleted, copied and renamed here. OK hands back the design file.
class Template_Wizard : public QDialog
{
    Q_OBJECT

public:
    explicit Template_Wizard(CardSizeHost& host, QWidget* parent = nullptr);
    ~Template_Wizard() override;
    static Template_Wizard* defaultInstance();

    // Lists the built-in templates and runs the browser modally: 1 after OK, else 0.
    int Open_Template_Window();

    void OK_Click();
    void CancelClick();
    void Delete_Template_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();
    void User_Profile_Click();
    void zoomSliderDidChange(int value);
    // Item 0 lists the built-in templates, any other the user's.
    void setChoiceDidChange(int index);

    void Fill_Templates();
    void Fill_Templates_User_Defined();
    void Show_Hide_Template_Buttons(bool hide);

    QComboBox* cat_cmbo_bx;
    PictureBrowser* imageBrowser;
    QLabel* _zoom_label;
    QSlider* _zoom_slider;
    QPushButton *Delete_temp_btn, *Copy_temp_btn, *Rename_temp_btn;
    Export_Template* Export_Template_Window;

protected:
    void reject() override { CancelClick(); }

private:
    void fillFrom(const QString& folder, bool userSet);
    // True when Selected_Template_Path names an existing file; says so otherwise.
    bool hasValidTemplate() const;
    CardSizeHost& host_;
};
