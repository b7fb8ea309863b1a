#pragma once

#include "blocksizes.h"

// The traffic test's configuration and result blocks, field by field.
// Offsets not named here are reserved and travel unchanged.
namespace TrafficConfigField {
constexpr std::size_t Units = 1;     // 0 %, 1 bps, 2 kbps, 3 Mbps
constexpr std::size_t Rate = 2;      // u16, in the units above
constexpr std::size_t Length = 4;    // u16, frame length in bytes
constexpr std::size_t Duration = 8;  // u32, seconds
constexpr std::size_t Word12 = 12;   // u16, not edited (1000 by default)
constexpr std::size_t Margin = 14;   // u16, milliseconds
constexpr std::size_t IpDst = 20;    // u32, first dotted octet most significant
constexpr std::size_t MacDst = 24;   // 6 bytes, transmission order
constexpr std::size_t AutoMac = 30;  // 0/1
constexpr std::size_t Priority = 31; // replace mode: 0 none, 1 ToS, 2 DSCP
constexpr std::size_t Tos = 32;      // precedence 7..5, ToS 4..1, bit 0 kept
constexpr std::size_t Dscp = 33;     // DSCP code << 2
constexpr std::size_t UdpSrc = 34;   // u16
constexpr std::size_t UdpDst = 36;   // u16
constexpr std::size_t Level3 = 38;   // 0/1
constexpr std::size_t Level4 = 39;   // 0/1
static_assert(Level4 + 1 == BlockSize::TrafficConfig);
} // namespace TrafficConfigField

// All counters are u32 except the load byte.
namespace TrafficResultField {
constexpr std::size_t TxFrames = 4;
constexpr std::size_t RxFrames = 8;
constexpr std::size_t TxBytes = 12;
constexpr std::size_t Runt = 16;
constexpr std::size_t Jabber = 20;
constexpr std::size_t Crc = 24;
constexpr std::size_t Pause = 28;
constexpr std::size_t Load = 32; // percent
static_assert(Load + 4 == BlockSize::TrafficResult);
} // namespace TrafficResultField

// The built-in configuration of each port: what the tester starts with, and
// where an invalid MAC or IP text on a page falls back to.
namespace TrafficDefaults {

namespace detail {
constexpr void put16(TrafficConfigBlock &b, std::size_t at, quint16 v)
{
    b[at] = quint8(v);
    b[at + 1] = quint8(v >> 8);
}
constexpr void put32(TrafficConfigBlock &b, std::size_t at, quint32 v)
{
    put16(b, at, quint16(v));
    put16(b, at + 2, quint16(v >> 16));
}
constexpr TrafficConfigBlock make(const quint8 (&mac)[6])
{
    using namespace TrafficConfigField;
    TrafficConfigBlock b{};
    b[Units] = 0;
    put16(b, Rate, 100);
    put16(b, Length, 64);
    put32(b, Duration, 10);
    put16(b, Word12, 1000);
    put16(b, Margin, 1000);
    put32(b, IpDst, 0xC0A800C8); // 192.168.0.200
    for (std::size_t i = 0; i < 6; ++i)
        b[MacDst + i] = mac[i];
    put16(b, UdpSrc, 123);
    put16(b, UdpDst, 456);
    b[Level3] = 1;
    b[Level4] = 1;
    return b;
}
constexpr quint8 MacA[6] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05};
constexpr quint8 MacB[6] = {0x00, 0x06, 0x07, 0x08, 0x09, 0x10};
} // namespace detail

inline constexpr TrafficConfigBlock Port[2] = {detail::make(detail::MacA),
                                               detail::make(detail::MacB)};

} // namespace TrafficDefaults
