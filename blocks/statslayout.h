#pragma once

#include "blocksizes.h"

// The statistics block of a port: a receive half and a transmit half of the
// same layout, every field an unsigned 32-bit counter.
namespace StatsResultField {
constexpr std::size_t RxHalf = 0;
constexpr std::size_t TxHalf = 72;
constexpr std::size_t HalfSize = 72;

// Offsets inside a half.
constexpr std::size_t Bytes = 0;
constexpr std::size_t Frames = 4;
constexpr std::size_t Broadcast = 8;
constexpr std::size_t Multicast = 12;
constexpr std::size_t Unicast = 16;
// Three error counters. Which of them counts CRC errors, runts or jabbers
// is not settled by the tester's documentation, so they carry no such name
// and the page does not show them.
constexpr std::size_t ErrorCounters = 3;
constexpr std::size_t errorCounter(std::size_t i) { return 20 + 4 * i; }
// Frame-size classes: <64, 64, 65-127, 128-255, 256-511, 512-1023,
// 1024-1518, >1518.
constexpr std::size_t SizeClasses = 8;
constexpr std::size_t sizeClass(std::size_t i) { return 32 + 4 * i; }
constexpr std::size_t Pause = 64;
constexpr std::size_t Level = 68;

constexpr std::size_t rx(std::size_t field) { return RxHalf + field; }
constexpr std::size_t tx(std::size_t field) { return TxHalf + field; }
static_assert(TxHalf + HalfSize == BlockSize::StatsResult);

// The size class of a frame length in bytes.
constexpr std::size_t sizeClassOf(int length)
{
    return length < 64 ? 0 : length == 64 ? 1 : length < 128 ? 2 : length < 256 ? 3
        : length < 512 ? 4 : length < 1024 ? 5 : length <= 1518 ? 6 : 7;
}
} // namespace StatsResultField
