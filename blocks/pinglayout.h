#pragma once

#include "block.h"
#include "blocksizes.h"

#include <cstring>

// Ping and trace-route configurations share one layout.
namespace PingConfigField {
constexpr std::size_t IpDst = 0;     // u32, first dotted octet most significant
constexpr std::size_t FrameSize = 4; // u16, bytes
constexpr std::size_t Pause = 6;     // u16, milliseconds between requests
static_assert(Pause + 2 == BlockSize::PingConfig);
} // namespace PingConfigField
namespace TraceConfigField = PingConfigField;

// The DNS configuration: the host name to resolve, zero-terminated ASCII.
namespace DnsConfigField {
constexpr std::size_t Name = 0;
constexpr std::size_t NameSize = BlockSize::DnsConfig;
} // namespace DnsConfigField

// The ping result: six request rows, then the statistics block.
namespace PingResultField {
constexpr std::size_t Rows = 6;
constexpr std::size_t RowSize = 7;
constexpr std::size_t row(std::size_t i) { return RowSize * i; }
constexpr std::size_t Status = 0;  // PingStatus, offset in a row
constexpr std::size_t Sequence = 1; // u16; 0 marks an empty row
constexpr std::size_t Latency = 3; // u32, milliseconds
static_assert(row(Rows) == BlockSize::PingResult);
} // namespace PingResultField

namespace PingStatsField {
constexpr std::size_t Sent = 0;     // u32
constexpr std::size_t Received = 4; // u32
constexpr std::size_t Average = 8;  // float, milliseconds
constexpr std::size_t Minimum = 12; // u32, NoMinimum before the first answer
constexpr std::size_t Maximum = 16; // u32
constexpr quint32 NoMinimum = 0xFFFFFFFF;
static_assert(Maximum + 4 == BlockSize::PingStats);
} // namespace PingStatsField

namespace PingStatus {
constexpr quint8 Request = 1;
constexpr quint8 Ok = 2;
constexpr quint8 Timeout = 3;
constexpr quint8 Interrupted = 4;
} // namespace PingStatus

// One hop of the trace-route result (255 hops per port, fetched in pages
// of 8 hops).
namespace TraceHopField {
constexpr std::size_t Status = 0;  // TraceStatus
constexpr std::size_t Address = 1; // 4 bytes, first dotted octet in the lowest byte
constexpr std::size_t Latency = 5; // u32, milliseconds
constexpr std::size_t Number = 9;  // hop number
constexpr std::size_t hop(std::size_t k) { return BlockSize::TraceHop * k; }
static_assert(Number + 1 == BlockSize::TraceHop);
} // namespace TraceHopField

namespace TraceStatus {
constexpr quint8 Empty = 0;
constexpr quint8 Probing = 1;
constexpr quint8 Ok = 2;
constexpr quint8 Timeout = 3;
constexpr quint8 Reached = 5; // the destination answered
} // namespace TraceStatus

namespace DnsResultField {
constexpr std::size_t Name = 0;     // 32 bytes, zero-terminated ASCII
constexpr std::size_t NameSize = 32;
constexpr std::size_t Status = 32;  // DnsStatus
constexpr std::size_t Address = 36; // 4 bytes, first dotted octet in the lowest byte
static_assert(Address + 4 == BlockSize::DnsResult);
} // namespace DnsResultField

namespace DnsStatus {
constexpr quint8 None = 0;
constexpr quint8 Passed = 1;
constexpr quint8 InProgress = 2;
constexpr quint8 Error = 3;
} // namespace DnsStatus

namespace PingDefaults {
namespace detail {
inline PingConfigBlock make(quint32 ip)
{
    PingConfigBlock b{};
    put32(b, PingConfigField::IpDst, ip);
    put16(b, PingConfigField::FrameSize, 64);
    put16(b, PingConfigField::Pause, 1000);
    return b;
}
inline DnsConfigBlock makeDns()
{
    DnsConfigBlock b{};
    const char name[] = "example.com";
    std::memcpy(b.data(), name, sizeof name);
    return b;
}
} // namespace detail

inline const PingConfigBlock Ping[2] = {detail::make(0xC0A800C9), detail::make(0xC0A800C8)};
// Port A traces to a public address (example.com's), port B to the gateway.
inline const TraceConfigBlock Trace[2] = {detail::make(0x5DB8D822), detail::make(0xC0A80001)};
inline const DnsConfigBlock Dns[2] = {detail::makeDns(), detail::makeDns()};
} // namespace PingDefaults
