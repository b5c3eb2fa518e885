#pragma once

#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "common/Globals.h"
#include "model/CardGlobals.h"
#include "model/Shape_Control.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"
#include "support/Patience.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Events and waiting without the Qt Test module.
inline void keyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

// Lets the event loop run for a while on purpose, so that what must not happen can be seen not to.
inline void wait(int milliseconds)
{
    patience::eventually([] { return false; }, milliseconds);
}

// A canvas on each side of one document, driven by real mouse and key events.
class CanvasTest : public ::testing::Test
{
protected:
    using Side = SKTDocument::Side;

    void SetUp() override
    {
        // Alerts reach the dialog service only once a main window exists; any non-null
        // pointer stands for it here (it is never dereferenced).
        savedMainWindow_ = Main_App_wnd;
        Main_App_wnd = reinterpret_cast<SKTWindowController*>(&host);
        Card_Front_Or_Back = 0;
        front = std::make_unique<SKTGraphicView>(document, Side::Front, host);
        back = std::make_unique<SKTGraphicView>(document, Side::Back, host);
        front->show();
        back->show();
    }

    void TearDown() override
    {
        front.reset();
        back.reset();
        Main_App_wnd = savedMainWindow_;
        Card_Front_Or_Back = 0;
    }

    SKTGraphicPtr addShape(const QRectF& bounds, Side side = Side::Front)
    {
        auto graphic = SKTGraphic::create<Shape_Control>();
        graphic->setBounds(bounds);
        document.insertGraphicsOnSide(side, { graphic }, { 0 });
        document.undoManager().checkpoint();
        return graphic;
    }

    static QPointF widgetPoint(SKTGraphicView& view, const QPointF& card) { return view.widgetPointFromCard(card); }

    static void send(SKTGraphicView& view, QEvent::Type type, const QPointF& card, Qt::MouseButtons buttons,
        Qt::KeyboardModifiers modifiers)
    {
        const QPointF at = widgetPoint(view, card);
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, modifiers);
        QApplication::sendEvent(&view, &event);
    }

    // Press at one card point, move through the steps, release at the last; then the
    // undo manager's turn ends as after a real event.
    static void drag(SKTGraphicView& view, const QPointF& from, const QPointF& to,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier, int steps = 4)
    {
        send(view, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
        for (int i = 1; i <= steps; ++i)
            send(view, QEvent::MouseMove, from + (to - from) * (double(i) / steps), Qt::LeftButton, modifiers);
        send(view, QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
        view.document().undoManager().checkpoint();
    }

    static void doubleClick(SKTGraphicView& view, const QPointF& at)
    {
        send(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::NoModifier);
        send(view, QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::NoModifier);
        send(view, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::NoModifier);
        send(view, QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::NoModifier);
        view.document().undoManager().checkpoint();
    }

    static void click(SKTGraphicView& view, const QPointF& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        drag(view, at, at, modifiers, 1);
    }

    TempResources resources;
    ScriptedDialogs dialogs;
    SKTDocument document;
    DefaultCanvasHost host;
    std::unique_ptr<SKTGraphicView> front;
    std::unique_ptr<SKTGraphicView> back;

private:
    SKTWindowController* savedMainWindow_ = nullptr;
};
