#pragma once

#include <QString>

// An error of the drawing engine: unreadable clipboard data (2), nothing to draw (3).
struct SKTError
{
    QString domain;
    int code = 0;
    QString description;
    QString failureReason;
};

inline const QString SKTErrorDomain = QStringLiteral("SketchErrorDomain");

SKTError SKTErrorWithCode(int code);
