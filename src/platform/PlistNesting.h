#pragma once

#include <QByteArray>
#include <QString>

// A quick look at a property list's structure before the parser sees it, so that absurd
// nesting (which a recursive parser would follow until the stack runs out), strings with
// NUL characters (on which the parser's own checks abort) and, in binary lists, damaged
// tables and reference cycles are refused up front.
namespace PlistNesting {
bool withinLimit(const QByteArray& bytes, bool binary, int maxNesting, QString* error);
} // namespace PlistNesting
