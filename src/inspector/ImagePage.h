#pragma once

#include "inspector/ObjectPage.h"

class EffectSlider;
class InspectorHost;
class ObjectBorderGroup;
class QCheckBox;
class QLineEdit;

// The page of an image object: border, flips, colour filters and the adjustment sliders.
// The picture file itself is chosen on the data-source page, whose path field this page
// writes back.
class ImagePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit ImagePage(InspectorHost& host, QWidget* parent = nullptr);

    // The data-source page's picture path.
    void setPathField(const QLineEdit* path) { Manual_image_path = path; }
    void load(const SKTGraphic& graphic) override;

    // Writes the page into every selected object; the picture path only into a single
    // selected object, so several pictures keep their own files.
    void Update_Image_Graphics();
    // Puts the sliders and filters back to neutral; writes nothing into an object.
    void Reset_Image_Editing_Controls();
    // Asks first; on Yes the neutral values go into the selected objects.
    void Image_reset_Button();

    ObjectBorderGroup* Image_Border_Box = nullptr;
    QCheckBox* Image_FIH_chk = nullptr;
    QCheckBox* Image_FIV_chk = nullptr;
    QCheckBox* Image_Invert_chk = nullptr;
    QCheckBox* Image_Gray_Scale_chk = nullptr;
    QCheckBox* Image_Sepia_chk = nullptr;
    EffectSlider* Rotate_slidr = nullptr;
    EffectSlider* Trsp_slidr = nullptr;
    EffectSlider* Hue_slidr = nullptr;
    EffectSlider* Sat_slidr = nullptr;
    EffectSlider* Brt_slidr = nullptr;
    EffectSlider* Con_slidr = nullptr;
    EffectSlider* shrp_slidr = nullptr;
    EffectSlider* ev_slidr = nullptr;
    EffectSlider* blr_slidr = nullptr;

private:
    QList<QCheckBox*> filters() const;

    InspectorHost& host_;
    const QLineEdit* Manual_image_path = nullptr;
};
