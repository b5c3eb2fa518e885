#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

// What the card-size chooser and the template browser ask of the main window.
class CardSizeHost
{
public:
    virtual ~CardSizeHost() = default;
    // The preset's size in millimetres ("V" turns it upright); 30 by 30 for row -1.
    virtual QSizeF Get_My_card_Size_For(const QString& category, const QString& preset, int listIndex) = 0;
    virtual QStringList presetNames(const QString& category) const = 0;
    virtual float MM_to_Points(float millimetres) = 0;
    virtual void SetDocumentCanvasSize(const QSizeF& points) = 0;
    // The new-profile dialog; its result is not used here.
    virtual void openNewProfile() = 0;
};
