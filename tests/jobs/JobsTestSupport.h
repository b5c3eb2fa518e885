#pragma once

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QList>

// ThreadSanitizer's runtime cannot follow QProcess starting a program.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define RUNS_UNDER_THREAD_SANITIZER
#endif
#endif

// One object of every kind, each with its kind's defaults.
inline QList<SKTGraphicPtr> everyKind()
{
    return { SKTGraphic::create<SKTGraphic>(), SKTGraphic::create<Shape_Control>(), SKTGraphic::create<SKTLine>(),
        SKTGraphic::create<SKTText>(), SKTGraphic::create<SKTImage>(), SKTGraphic::create<SKTSignature>(),
        SKTGraphic::create<SKTBarcode>() };
}
