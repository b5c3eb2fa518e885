#include "barcodes/NKDPlanetBarcode.h"

namespace {

constexpr float fullBarInches = 0.125f;
constexpr float halfBarInches = 0.05f;

} // namespace

float NKDPlanetBarcode::_heightForDigit(int index, int bar) const
{
    const float postnet = NKDPostnetBarcode::_heightForDigit(index, bar);
    return postnet == fullBarInches ? halfBarInches : fullBarInches;
}
