#pragma once

#include <QDialog>
#include <QString>

class PictureBrowser;
class QComboBox;
class QLabel;
class QSlider;

// The image library: the clip art shipped in Resources/LibraryImage by category ("C"), or
// the backgrounds in Resources/Background (any other mode). Returns the picture the user
// picks.
class Image_Library : public QDialog
{
    Q_OBJECT

public:
    explicit Image_Library(QWidget* parent = nullptr);
    ~Image_Library() override;

    // The single window, made on first use over the dialog parent (the main window).
    static Image_Library* defaultInstance();

    // Lists the pictures of the mode in control_or_BG and runs the window modally: 1 when a
    // picture was chosen (its path in selected_image), 0 when cancelled.
    int Open_Library_Window();

    void OK_Clicked();
    void Cancel_Clicked();
    void zoomSliderDidChange(int value);
    void comboBoxSelectionDidChange(int index);
    void Fill_Combobox();
    void Load_and_fill_backgrounds();

    QString control_or_BG = QStringLiteral("C");
    QString selected_image = QStringLiteral("");

    PictureBrowser* imageBrowser;
    QComboBox* cat_cmbo_bx;
    QLabel* category_label;
    QLabel* _zoom_label;
    QSlider* _zoom_slider;

protected:
    // Esc and the close button cancel, as the Cancel button does.
    void reject() override;

private:
    QString lastMode_;
};
