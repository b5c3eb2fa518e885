#pragma once

#include "model/CardEdge.h"
#include "model/Card_Property.h"
#include "model/SKTGraphic.h"
#include "render/SKTRenderingView.h"

#include <QList>
#include <QRectF>

// Both sides of the card as they stood when a job started: its own clones of every object
// and of both sides' card settings, so a worker can change and draw them while the person
// goes on editing the live design. Take it on the GUI thread; give each worker its own
// clone() of it.
struct CardSnapshot
{
    QList<SKTGraphicPtr> front;
    QList<SKTGraphicPtr> back;
    std::shared_ptr<Card_Property> frontSettings;
    std::shared_ptr<Card_Property> backSettings;
    int cardShape = 0;
    QRectF frame; // the card's full rectangle, shared by both sides

    static CardSnapshot take(const QList<SKTGraphicPtr>& front, const QList<SKTGraphicPtr>& back,
        const Card_Property& frontSettings, const Card_Property& backSettings, int cardShape, const QRectF& frame);

    // Another snapshot sharing nothing that changes with this one.
    CardSnapshot clone() const;
    // Its image objects show the pictures of the card it was cloned from again, letting go of
    // those that rows put in: whoever still holds its objects holds no row's picture.
    void showPicturesOf(const CardSnapshot& original);
    // Clones of one side's objects, for work that needs no card settings.
    static QList<SKTGraphicPtr> clonesOf(const QList<SKTGraphicPtr>& graphics);

    // The base that the renderer paints under one side's objects.
    CardSideBase frontBase() const { return { frontSettings, cardShape, frame }; }
    CardSideBase backBase() const { return { backSettings, cardShape, frame }; }
    // The card's outline, which both sides share.
    CardEdge edge() const { return { frame, cardShape }; }
};
