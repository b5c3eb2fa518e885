#include "dialogs/Grid_Wizard.h"

#include "widgets/ColorWell.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSlider>

#include <gtest/gtest.h>

TEST(GridWizard, LoadingAnnouncesNothingAndEachUserChangeIsAnnouncedAtOnce)
{
    Grid_Wizard window;
    int spacings = 0, colours = 0, shown = 0;
    double lastSpacing = 0;
    bool lastShown = true;
    QObject::connect(&window, &Grid_Wizard::spacingChosen, [&](double spacing) { ++spacings, lastSpacing = spacing; });
    QObject::connect(&window, &Grid_Wizard::colorChosen, [&] { ++colours; });
    QObject::connect(&window, &Grid_Wizard::shownChosen, [&](bool on) { ++shown, lastShown = on; });

    window.load(Qt::gray, 9.0, false);
    EXPECT_EQ(spacings + colours + shown, 0);
    EXPECT_EQ(window.Grid_Space_slidr->value(), 9);
    EXPECT_FALSE(window.Grid_Opt_box->isEnabled());

    window.Grid_Space_slidr->setValue(18);
    EXPECT_EQ(spacings, 1);
    EXPECT_EQ(lastSpacing, 18.0);
    window.Grid_clr->chooseColor(Qt::red);
    EXPECT_EQ(colours, 1);

    window.load(Qt::gray, 9.0, true);
    EXPECT_TRUE(window.Grid_Opt_box->isEnabled());
    window.Show_hide_grid_chk->click();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(lastShown);
    EXPECT_FALSE(window.Grid_Opt_box->isEnabled());
}
