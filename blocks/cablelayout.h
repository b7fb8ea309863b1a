#pragma once

#include "blocksizes.h"

#include <cmath>

// The cable test's result block: four wire pairs, numbered 0..3 and shown
// as 1-2, 3-4, 5-6, 7-8. Block offsets (the reply carries the block from
// packet byte 2).
namespace CableResultField {
constexpr std::size_t Pairs = 4;
constexpr std::size_t Detail = 0;        // non-zero: mapping, polarity and delay valid
constexpr std::size_t Straight12_34 = 1; // non-zero: 1-2 on channel A, 3-4 on B; else crossed
constexpr std::size_t Straight56_78 = 2; // non-zero: 5-6 on channel C, 7-8 on D; else crossed
constexpr std::size_t polarity(std::size_t pair) { return 3 + 2 * pair; } // 0 "+", else "-"
constexpr std::size_t delay(std::size_t pair) { return 4 + 2 * pair; }    // units of 8 ns
constexpr std::size_t state(std::size_t pair) { return 11 + 3 * pair; }   // CableState
constexpr std::size_t distance(std::size_t pair) { return 13 + 3 * pair; } // raw, see below
static_assert(distance(Pairs - 1) + 1 == BlockSize::CableResult);
} // namespace CableResultField

namespace CableState {
constexpr quint8 Good = 0;
constexpr quint8 Short = 1;
constexpr quint8 Open = 2;
constexpr quint8 Fault = 3;
constexpr quint8 Impedance = 4; // "immi": impedance mismatch
constexpr quint8 Count = 5;
} // namespace CableState

namespace CableDistance {
constexpr float Scale = 0.8018f;
constexpr float Offset = 28.751f;
constexpr int DelayUnitNs = 8;

// Metres to a fault for a raw distance: negative results are 0, others
// rounded to the nearest metre. Computed in single precision as the tester does.
inline int metres(quint8 raw)
{
    const float d = float(raw) * Scale - Offset;
    return d < 0 ? 0 : int(d + 0.5f);
}

// The raw value that shows a distance in metres (the nearest one).
inline quint8 raw(double metres)
{
    const long r = std::lround((metres + double(Offset)) / double(Scale));
    return quint8(r < 0 ? 0 : (r > 255 ? 255 : r));
}
} // namespace CableDistance

// The detail fields of a pair, meaningful when the detail flag is set.
namespace CableDetail {
// 'A' to 'D': pairs 1-2 and 3-4 on channels A and B, 5-6 and 7-8 on C and
// D, each two swapped when their flag says crossed.
inline char channel(const CableResultBlock &b, std::size_t pair)
{
    using namespace CableResultField;
    const bool straight = get8(b, pair < 2 ? Straight12_34 : Straight56_78) != 0;
    const int swap = straight ? 0 : 1;
    return char((pair < 2 ? 'A' : 'C') + ((int(pair % 2)) ^ swap));
}

inline bool inverted(const CableResultBlock &b, std::size_t pair)
{
    return get8(b, CableResultField::polarity(pair)) != 0;
}

inline int delayNs(const CableResultBlock &b, std::size_t pair)
{
    return get8(b, CableResultField::delay(pair)) * CableDistance::DelayUnitNs;
}
} // namespace CableDetail
