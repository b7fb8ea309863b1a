#pragma once

#include "block.h"
#include "blocksizes.h"

// The jitter test's configuration block. Offsets not named are kept.
namespace JitterConfigField {
constexpr std::size_t Length = 0;     // u16, frame length in bytes
constexpr std::size_t Rate = 2;       // u8, in the units below
constexpr std::size_t Units = 3;      // 0 %, 1 bps, 2 kbps, 3 Mbps
constexpr std::size_t Duration = 4;   // u32, seconds
constexpr std::size_t Threshold = 8;  // u16, the delay variation the buckets span
constexpr std::size_t IpDst = 16;     // u32, first dotted octet most significant
constexpr std::size_t MacDst = 20;    // 6 bytes, transmission order
constexpr std::size_t AutoMac = 26;   // 0/1
constexpr std::size_t Priority = 27;  // replace mode: 0 none, 1 ToS, 2 DSCP
constexpr std::size_t Tos = 28;       // precedence 7..5, ToS 4..1, bit 0 kept
constexpr std::size_t Dscp = 29;      // DSCP code << 2
constexpr std::size_t UdpSrc = 30;    // u16
constexpr std::size_t UdpDst = 32;    // u16
constexpr std::size_t Byte34 = 34;    // not edited (1)
constexpr std::size_t Byte35 = 35;    // not edited (1)
static_assert(Byte35 + 1 == BlockSize::JitterConfig);
} // namespace JitterConfigField

// The jitter result block: counters are u64.
namespace JitterResultField {
constexpr std::size_t RxAll = 8;
constexpr std::size_t RxInOrder = 24;
// Nine delay-variation buckets: bucket j < 8 spans j/8 to (j+1)/8 of the
// threshold, bucket 8 everything at or above the threshold.
constexpr std::size_t Buckets = 9;
constexpr std::size_t bucket(std::size_t j) { return 32 + 8 * j; }
static_assert(bucket(Buckets) == BlockSize::JitterResult);
} // namespace JitterResultField

namespace JitterDefaults {
namespace detail {
inline JitterConfigBlock make()
{
    using namespace JitterConfigField;
    JitterConfigBlock b{};
    put16(b, Length, 64);
    b[Rate] = 100;
    b[Units] = 0;
    put32(b, Duration, 60);
    put16(b, Threshold, 10);
    put32(b, IpDst, 0xC0A800C8); // 192.168.0.200
    const quint8 mac[6] = {0x00, 0x06, 0x07, 0x08, 0x09, 0x10};
    for (std::size_t i = 0; i < 6; ++i)
        b[MacDst + i] = mac[i];
    put16(b, UdpSrc, 123);
    put16(b, UdpDst, 456);
    b[Byte34] = 1;
    b[Byte35] = 1;
    return b;
}
} // namespace detail

inline const JitterConfigBlock Port[2] = {detail::make(), detail::make()};
} // namespace JitterDefaults
