#pragma once

#include "block.h"
#include "blocksizes.h"

// The multistream configuration block: common fields, then ten stream
// records. It travels in two packets: bytes 0..167, then bytes 168..327.
namespace MultiConfigField {
constexpr std::size_t Duration = 0;  // u32, seconds, all streams
constexpr std::size_t Word4 = 4;     // u16, not edited (1000)
constexpr std::size_t Margin = 6;    // u16, milliseconds
constexpr std::size_t Streams = 10;
constexpr std::size_t StreamSize = 32;
constexpr std::size_t stream(std::size_t i) { return 8 + StreamSize * i; }
constexpr std::size_t FirstPart = 168;
constexpr std::size_t SecondPart = 160;
static_assert(stream(Streams) == BlockSize::MultiConfig);
static_assert(FirstPart + SecondPart == BlockSize::MultiConfig);
} // namespace MultiConfigField

// Offsets inside a stream record.
namespace MultiStreamField {
constexpr std::size_t Active = 0;    // 0/1
constexpr std::size_t Rate = 2;      // u16, in the units below
constexpr std::size_t Units = 4;     // 0 %, 1 bps, 2 kbps, 3 Mbps
constexpr std::size_t Length = 6;    // u16, packet length in bytes
constexpr std::size_t IpDst = 12;    // u32, first dotted octet most significant
constexpr std::size_t MacDst = 16;   // 6 bytes, transmission order
constexpr std::size_t AutoMac = 22;  // 0/1
constexpr std::size_t Priority = 23; // replace mode: 0 none, 1 ToS, 2 DSCP
constexpr std::size_t Tos = 24;      // precedence 7..5, ToS 4..1, bit 0 kept
constexpr std::size_t Dscp = 25;     // DSCP code << 2
constexpr std::size_t UdpSrc = 26;   // u16
constexpr std::size_t UdpDst = 28;   // u16
constexpr std::size_t Level3 = 30;   // 0/1
constexpr std::size_t Level4 = 31;   // 0/1
static_assert(Level4 + 1 == MultiConfigField::StreamSize);
} // namespace MultiStreamField

namespace MultiResultField {
constexpr std::size_t Present = 0;   // 0: nothing to show yet
constexpr std::size_t StreamSize = 16;
constexpr std::size_t stream(std::size_t i) { return 4 + StreamSize * i; }
// Offsets inside a stream result.
constexpr std::size_t Load = 0;      // %, one byte
constexpr std::size_t TxFrames = 4;  // u32
constexpr std::size_t RxFrames = 8;  // u32
constexpr std::size_t Latency = 12;  // u32, nanoseconds as qvsim reports it
static_assert(stream(MultiConfigField::Streams) == BlockSize::MultiResult);
} // namespace MultiResultField

namespace MultiDefaults {
namespace detail {
inline MultiConfigBlock make(std::size_t port)
{
    using namespace MultiStreamField;
    MultiConfigBlock b{};
    put32(b, MultiConfigField::Duration, 10);
    put16(b, MultiConfigField::Word4, 1000);
    put16(b, MultiConfigField::Margin, 1000);
    const quint16 lengthsA[5] = {64, 128, 256, 512, 1024};
    for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
        const std::size_t s = MultiConfigField::stream(i);
        const bool firstFive = i < 5;
        b[s + Active] = port == 1 || firstFive ? 1 : 0;
        put16(b, s + Rate, port == 0 && firstFive ? 5 : 10);
        put16(b, s + Length, port == 0 && firstFive ? lengthsA[i] : 64);
        quint32 ip = 0xC0A800C9; // 192.168.0.201
        if (port == 0 && (i == 1 || i == 2))
            ip += quint32(i); // 192.168.0.202 and .203
        put32(b, s + IpDst, ip);
        const quint8 mac[6] = {0x00, 0x22, 0x33, 0x44, 0x55, 0x66};
        for (std::size_t k = 0; k < 6; ++k)
            b[s + MacDst + k] = mac[k];
        put16(b, s + UdpSrc, 123);
        put16(b, s + UdpDst, 456);
        b[s + Level3] = 1;
        b[s + Level4] = 1;
    }
    return b;
}
} // namespace detail

inline const MultiConfigBlock Port[2] = {detail::make(0), detail::make(1)};
} // namespace MultiDefaults
