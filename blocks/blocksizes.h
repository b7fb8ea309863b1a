#pragma once

#include "block.h"

// Sizes of the tester's configuration and result blocks, as the device
// record, the engine, the result file and qvsim all hold them.
namespace BlockSize {
constexpr std::size_t IfaceConfig = 56;
constexpr std::size_t RfcConfig = 108;
constexpr std::size_t PingConfig = 8;
constexpr std::size_t TraceConfig = 8;
constexpr std::size_t TrafficConfig = 40;
constexpr std::size_t BertConfig = 20;
constexpr std::size_t JitterConfig = 36;
constexpr std::size_t MultiConfig = 328;
constexpr std::size_t DnsConfig = 33;
constexpr std::size_t LbConfig = 40;
constexpr std::size_t TrafficResult = 36;
constexpr std::size_t RfcSummary = 416;
constexpr std::size_t JitterResult = 104;
constexpr std::size_t BertResult = 32;
constexpr std::size_t MultiResult = 164;
constexpr std::size_t DnsResult = 40;
constexpr std::size_t StatsResult = 144;
constexpr std::size_t PingResult = 42;
constexpr std::size_t PingStats = 20;
constexpr std::size_t TraceHop = 10;
constexpr std::size_t TraceHops = 255;
constexpr std::size_t TraceResult = TraceHop * TraceHops; // 2550
constexpr std::size_t TracePageHops = 8;
constexpr std::size_t TracePage = TraceHop * TracePageHops; // 80
constexpr std::size_t CableResult = 23;
constexpr std::size_t OamResult = 26;
constexpr std::size_t ScreenWidth = 320;
constexpr std::size_t ScreenHeight = 240;
constexpr std::size_t Screen = ScreenWidth * ScreenHeight; // 76800, one byte a pixel
} // namespace BlockSize

// The RFC-2544 results: the summary image that ID 64 fills by offset and
// length, then eight step rows. Each row is a header byte, padding to the
// next 32-bit boundary, 100 step values of 32 bits and 100 step bytes, the
// layout in which the tester also stores them in its result file.
namespace RfcResultLayout {
constexpr std::size_t Steps = 100;
constexpr std::size_t Rows = 8;
constexpr std::size_t RowHeader = 0;
constexpr std::size_t RowValues = 4;
constexpr std::size_t RowBytes = RowValues + 4 * Steps; // 404
constexpr std::size_t RowSize = RowBytes + Steps;       // 504
constexpr std::size_t FirstRow = BlockSize::RfcSummary;
constexpr std::size_t Size = FirstRow + Rows * RowSize; // 4448
constexpr std::size_t row(std::size_t r) { return FirstRow + r * RowSize; }
constexpr std::size_t value(std::size_t r, std::size_t step) { return row(r) + RowValues + 4 * step; }
constexpr std::size_t byte(std::size_t r, std::size_t step) { return row(r) + RowBytes + step; }
} // namespace RfcResultLayout

using IfaceConfigBlock = Block<BlockSize::IfaceConfig>;
using RfcConfigBlock = Block<BlockSize::RfcConfig>;
using PingConfigBlock = Block<BlockSize::PingConfig>;
using TraceConfigBlock = Block<BlockSize::TraceConfig>;
using TrafficConfigBlock = Block<BlockSize::TrafficConfig>;
using BertConfigBlock = Block<BlockSize::BertConfig>;
using JitterConfigBlock = Block<BlockSize::JitterConfig>;
using MultiConfigBlock = Block<BlockSize::MultiConfig>;
using DnsConfigBlock = Block<BlockSize::DnsConfig>;
using LbConfigBlock = Block<BlockSize::LbConfig>;
using TrafficResultBlock = Block<BlockSize::TrafficResult>;
using RfcResultBlock = Block<RfcResultLayout::Size>;
using JitterResultBlock = Block<BlockSize::JitterResult>;
using BertResultBlock = Block<BlockSize::BertResult>;
using MultiResultBlock = Block<BlockSize::MultiResult>;
using DnsResultBlock = Block<BlockSize::DnsResult>;
using StatsResultBlock = Block<BlockSize::StatsResult>;
using PingResultBlock = Block<BlockSize::PingResult>;
using PingStatsBlock = Block<BlockSize::PingStats>;
using TraceResultBlock = Block<BlockSize::TraceResult>;
using CableResultBlock = Block<BlockSize::CableResult>;
using OamResultBlock = Block<BlockSize::OamResult>;

// The per-port test blocks a result file carries, which the device record
// holds as well: one list for both, so that they name them alike.
struct PortTestBlocks
{
    RfcConfigBlock rfcConfig[2] = {};
    PingConfigBlock pingConfig[2] = {};
    TraceConfigBlock traceConfig[2] = {};
    TrafficConfigBlock trafficConfig[2] = {};
    BertConfigBlock bertConfig[2] = {};
    JitterConfigBlock jitterConfig[2] = {};
    MultiConfigBlock multiConfig[2] = {};
    DnsConfigBlock dnsConfig[2] = {};
    LbConfigBlock lbConfig[2] = {};
    TrafficResultBlock trafficResult[2] = {};
    RfcResultBlock rfcResult[2] = {};
    JitterResultBlock jitterResult[2] = {};
    BertResultBlock bertResult[2] = {};
    MultiResultBlock multiResult[2] = {};
    DnsResultBlock dnsResult[2] = {};
    PingResultBlock pingResult[2] = {};
    PingStatsBlock pingStats[2] = {};
    TraceResultBlock traceResult[2] = {};
};
