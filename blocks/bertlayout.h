#pragma once

#include "block.h"
#include "blocksizes.h"

// The BERT configuration block. Offsets not named are kept.
namespace BertConfigField {
constexpr std::size_t Pattern = 0;     // BertPattern
constexpr std::size_t Size = 2;        // u16, frame size in bytes
constexpr std::size_t Rate = 4;        // u16, in the units below
constexpr std::size_t Units = 6;       // 0 %, 1 bps, 2 kbps, 3 Mbps
constexpr std::size_t Duration = 8;    // u32, seconds
constexpr std::size_t UserPattern = 12; // u32
constexpr std::size_t Word16 = 16;     // u32, not edited (100)
static_assert(Word16 + 4 == BlockSize::BertConfig);
} // namespace BertConfigField

namespace BertPattern {
constexpr quint8 User = 0;
constexpr quint8 Crtp = 1;
constexpr quint8 Prbs11 = 2; // 2e11-1
constexpr quint8 Prbs15 = 3;
constexpr quint8 Prbs20 = 4;
constexpr quint8 Prbs23 = 5;
constexpr quint8 Prbs29 = 6;
constexpr quint8 Prbs31 = 7;
constexpr quint8 Count = 8;
} // namespace BertPattern

namespace BertResultField {
constexpr std::size_t RxBits = 0;    // u64
constexpr std::size_t ErrorBits = 8; // u64, "Rx ebits"
constexpr std::size_t Lss = 16;      // u32, seconds with loss of sequence synchronisation
constexpr std::size_t Los = 20;      // u32, seconds with loss of signal
constexpr std::size_t Elapsed = 24;  // u32, seconds
static_assert(Elapsed + 8 == BlockSize::BertResult);
} // namespace BertResultField

namespace BertDefaults {
namespace detail {
inline BertConfigBlock make()
{
    using namespace BertConfigField;
    BertConfigBlock b{};
    b[Pattern] = BertPattern::User;
    put16(b, Size, 64);
    put16(b, Rate, 10);
    b[Units] = 0;
    put32(b, Duration, 60);
    put32(b, UserPattern, 0xAAAAAAAA);
    put32(b, Word16, 100);
    return b;
}
} // namespace detail

inline const BertConfigBlock Port[2] = {detail::make(), detail::make()};
} // namespace BertDefaults
