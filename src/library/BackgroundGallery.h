#pragma once

#include "library/PictureBrowser.h"

// The main window's strip of background pictures: one row that scrolls sideways.
// Clicking one (or Enter on it) reports it; the main window makes it the front's background.
class BackgroundGallery : public PictureBrowser
{
    Q_OBJECT

public:
    explicit BackgroundGallery(QWidget* parent = nullptr);

    // Refills the strip from Resources/Background; a missing folder keeps what it shows.
    void Load_and_fill_backgrounds();

    // The path of the last picture chosen in the strip.
    QString selected_image;

    QSize sizeHint() const override;

signals:
    void backgroundChosen(const QString& path);

private:
    void choose(const QString& path);
};
