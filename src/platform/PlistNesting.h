#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>

// A walk over a binary property list's object tables before the parser sees them, so that
// absurd nesting (which the recursive parser would follow until the stack runs out), strings
// with NUL characters (on which the parser's own checks abort), damaged tables, reference
// cycles and shared objects copied past what the file's size allows are refused up front.
// The depth is that of the deepest path through the references, however often an object is met.
namespace PlistNesting {
// A binary list may refer to one object from many places, and the parser copies it for each:
// a few hundred bytes can stand for a billion values. An honest writer shares only texts, so
// its values number no more than its references; the copies are held to a multiple of the
// file's size, for the values and for the bytes of their texts and data.
constexpr uint64_t bytesPerNode = 64; // a parsed value and its conversion, with their headers
constexpr uint64_t maxNodeBytes(uint64_t fileBytes)
{
    return std::max<uint64_t>(uint64_t(16) << 20, fileBytes * 128);
}
constexpr uint64_t maxPayloadBytes(uint64_t fileBytes)
{
    return std::max<uint64_t>(uint64_t(64) << 20, fileBytes * 64);
}

bool withinLimit(const QByteArray& bytes, int maxNesting, QString* error);
} // namespace PlistNesting
