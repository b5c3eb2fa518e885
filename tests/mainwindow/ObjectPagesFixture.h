#pragma once

#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "inspector/PropertiesInspector.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>

// A shown main window whose object pages are driven as a user would.
class ObjectPagesTest : public MainWindowTest
{
protected:
    SKTWindowController& startShown()
    {
        SKTWindowController& main = start();
        main.resize(1366, 728);
        main.show();
        QApplication::processEvents();
        return main;
    }

    // Places an object with a drawing tool; the new object is selected and shown.
    SKTGraphicPtr place(int tool)
    {
        window->action(QStringLiteral("Tool_%1").arg(tool))->trigger();
        return window->currentCanvas()->selectedGraphic();
    }

    // Selects every object of the side and shows the one given, as a click on it would.
    void selectAllShowing(const SKTGraphicPtr& shown)
    {
        window->Show_RHS_Properties(nullptr);
        window->currentCanvas()->selectAll();
        window->currentCanvas()->setSelectedGraphic(shown);
        window->Show_RHS_Properties(shown);
    }

    QImage canvasPicture()
    {
        QApplication::processEvents();
        return window->currentCanvas()->grab().toImage();
    }

    // Clicks a check box that is off, as a user turning it on.
    static void turnOn(QAbstractButton* box)
    {
        if (!box->isChecked())
            box->click();
    }

    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    PropertiesInspector& inspector() { return window->inspector(); }
};
