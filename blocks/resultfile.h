#pragma once

#include "blocksizes.h"

// The result file the tester stores and the report writer reads: the blocks
// of the device record, each once per process (A, then B) or per interface
// (A, B, remote-control port), little-endian, in this order.
namespace ResultFile {
constexpr std::size_t Header = 0;       // 48 bytes; 17..22 hold the test time
constexpr std::size_t HeaderSize = 48;
constexpr std::size_t TimeHour = 17;
constexpr std::size_t TimeMinute = 18;
constexpr std::size_t TimeSecond = 19;
constexpr std::size_t TimeDay = 20;
constexpr std::size_t TimeMonth = 21;
constexpr std::size_t TimeYear = 22;

constexpr std::size_t IfaceConfig = 48;     // 3 x 56
constexpr std::size_t RfcConfig = 216;      // 2 x 108
constexpr std::size_t PingConfig = 432;     // 2 x 8
constexpr std::size_t TraceConfig = 448;    // 2 x 8
constexpr std::size_t TrafficConfig = 464;  // 2 x 40
constexpr std::size_t BertConfig = 544;     // 2 x 20
constexpr std::size_t JitterConfig = 584;   // 2 x 36
constexpr std::size_t MultiConfig = 656;    // 2 x 328
constexpr std::size_t DnsConfig = 1312;     // 2 x 33
constexpr std::size_t TrafficResult = 1380; // 2 x 36
constexpr std::size_t RfcResult = 1456;     // 2 x 4448
constexpr std::size_t JitterResult = 10352; // 2 x 104
constexpr std::size_t BertResult = 10560;   // 2 x 32
constexpr std::size_t MultiResult = 10624;  // 2 x 164
constexpr std::size_t DnsResult = 10952;    // 2 x 40
constexpr std::size_t LbConfig = 11032;     // 2 x 40
constexpr std::size_t PingResult = 11144;   // 2 x 42
constexpr std::size_t PingStats = 11228;    // 2 x 20
constexpr std::size_t TraceResult = 11268;  // 2 x 2550
constexpr std::size_t Size = 16368;

// Offset of the copy of a block for process (or interface) index i.
constexpr std::size_t at(std::size_t base, std::size_t blockSize, std::size_t i)
{
    return base + i * blockSize;
}

static_assert(at(IfaceConfig, BlockSize::IfaceConfig, 3) == RfcConfig);
static_assert(at(RfcConfig, BlockSize::RfcConfig, 2) == PingConfig);
static_assert(at(TrafficConfig, BlockSize::TrafficConfig, 2) == BertConfig);
static_assert(at(MultiConfig, BlockSize::MultiConfig, 2) == DnsConfig);
static_assert(at(RfcResult, RfcResultLayout::Size, 2) == JitterResult);
static_assert(at(MultiResult, BlockSize::MultiResult, 2) == DnsResult);
static_assert(at(PingStats, BlockSize::PingStats, 2) == TraceResult);
static_assert(at(TraceResult, BlockSize::TraceResult, 2) == Size);
} // namespace ResultFile
