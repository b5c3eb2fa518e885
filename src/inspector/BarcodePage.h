#pragma once

#include "inspector/ObjectPage.h"

class InspectorHost;

// The page of a barcode object: its settings are edited in the barcode window, which the
// page's button opens.
class BarcodePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit BarcodePage(InspectorHost& host, QWidget* parent = nullptr);

    // Copies the barcode settings of the object the barcode window edited into every
    // selected object; content, unit, data binding and identifier stay each object's own.
    void Update_Barcode_Graphics(const SKTGraphic& edited);

private:
    InspectorHost& host_;
};
