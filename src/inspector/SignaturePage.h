#pragma once

#include "inspector/ObjectPage.h"

class InspectorHost;
class ObjectBorderGroup;
class QLineEdit;

// The page of a signature or fingerprint: its border and its picture file.
class SignaturePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit SignaturePage(InspectorHost& host, QWidget* parent = nullptr);

    void load(const SKTGraphic& graphic) override;
    // Writes the page into every selected object; the picture path only into a single
    // selected object.
    void Update_Sign_Graphics();
    // An open dialog for a PNG picture; Cancel changes nothing.
    void Sign_Browse_Btn();

    ObjectBorderGroup* Sign_Border_Box = nullptr;
    QLineEdit* Sign_image_path = nullptr;

private:
    InspectorHost& host_;
};
