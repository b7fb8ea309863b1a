#pragma once

#include "block.h"
#include "blocksizes.h"

// The RFC-2544 configuration block. Offsets not named here are reserved
// and travel unchanged.
namespace RfcConfigField {
constexpr std::size_t IpDst = 4;          // u32, first dotted octet most significant
constexpr std::size_t MacDst = 8;         // 6 bytes, transmission order
constexpr std::size_t AutoMac = 14;       // 0/1
constexpr std::size_t Priority = 15;      // replace mode: 0 none, 1 ToS, 2 DSCP
constexpr std::size_t Tos = 16;           // precedence 7..5, ToS 4..1, bit 0 kept
constexpr std::size_t Dscp = 17;          // DSCP code << 2
constexpr std::size_t UdpSrc = 18;        // u16
constexpr std::size_t UdpDst = 20;        // u16
constexpr std::size_t Byte22 = 22;        // not edited (1)
constexpr std::size_t Byte23 = 23;        // not edited (1)
constexpr std::size_t Word24 = 24;        // u16, not edited (100)
constexpr std::size_t Word26 = 26;        // u16, not edited (100)
constexpr std::size_t ThrEnabled = 28;    // 0/1
constexpr std::size_t LatEnabled = 29;    // 0/1
constexpr std::size_t FrlEnabled = 30;    // 0/1
constexpr std::size_t BtbEnabled = 31;    // 0/1
constexpr std::size_t ThrSample = 32;     // u32, seconds per trial
constexpr std::size_t ThrStartLoad = 36;  // %, the search starts here
constexpr std::size_t ThrEndLoad = 37;    // %, and goes no lower
constexpr std::size_t LatInterval = 40;   // u32, seconds
constexpr std::size_t LatIterations = 44; // u32
constexpr std::size_t latUserLoad(std::size_t slot) { return 48 + slot; } // %, one per frame-size slot
constexpr std::size_t LatUserLoading = 56; // 0/1
constexpr std::size_t FrlSample = 60;     // u32, seconds per step
constexpr std::size_t FrlStartLoad = 64;  // %
constexpr std::size_t FrlEndLoad = 65;    // %
constexpr std::size_t FrlStep = 66;       // %, load step between trials
constexpr std::size_t BtbMin = 68;        // u16, seconds
constexpr std::size_t BtbMax = 70;        // u16, seconds
constexpr std::size_t BtbIterations = 72; // u16

// Eight frame-size slots of four bytes: enabled, reserved, size (u16).
constexpr std::size_t Slots = 8;
constexpr std::size_t slot(std::size_t i) { return 74 + 4 * i; }
constexpr std::size_t slotEnabled(std::size_t i) { return slot(i); }
constexpr std::size_t slotSize(std::size_t i) { return slot(i) + 2; }
static_assert(slot(Slots) + 2 == BlockSize::RfcConfig);
} // namespace RfcConfigField

// The 416-byte summary at the front of the RFC-2544 result area (the rows
// of frame-loss steps after it are laid out in RfcResultLayout). Row i of
// every table belongs to frame-size slot i.
namespace RfcSummaryField {
constexpr std::size_t frameLength(std::size_t i) { return 4 * i + 2; }      // u16
constexpr std::size_t throughput(std::size_t i) { return 32 + 12 * i; }
constexpr std::size_t thrStatus(std::size_t i) { return throughput(i); }    // RfcStatus
constexpr std::size_t thrLoad(std::size_t i) { return throughput(i) + 4; }  // float, %
constexpr std::size_t thrRate(std::size_t i) { return throughput(i) + 8; }  // float, bit/s
constexpr std::size_t latency(std::size_t i) { return 128 + 24 * i; }
constexpr std::size_t latValue(std::size_t i) { return latency(i) + 8; }    // double, ns
constexpr std::size_t latStatus(std::size_t i) { return latency(i) + 16; }  // RfcStatus
constexpr std::size_t backToBack(std::size_t i) { return 320 + 12 * i; }
constexpr std::size_t btbStatus(std::size_t i) { return backToBack(i); }    // RfcStatus
constexpr std::size_t btbMin(std::size_t i) { return backToBack(i) + 2; }   // u16, s
constexpr std::size_t btbMax(std::size_t i) { return backToBack(i) + 4; }   // u16, s
static_assert(backToBack(RfcConfigField::Slots) == BlockSize::RfcSummary);
// The frame-loss row of slot i: its header byte is the frame-loss status;
// value s is the frame loss at step s in percent of the frames sent, byte s
// the load of step s in percent (step 0 at the starting load, then lower by
// the loading step down to the ending load).
constexpr std::size_t frlStatus(std::size_t i) { return RfcResultLayout::row(i) + RfcResultLayout::RowHeader; }
} // namespace RfcSummaryField

// Status codes of the sub-tests, indexing the status list of the pages and
// the reports ("Wait", "OK", ...).
namespace RfcStatus {
constexpr quint8 Wait = 0;
constexpr quint8 Ok = 1;
constexpr quint8 Error = 2;
constexpr quint8 Running = 3;
constexpr quint8 Stop = 4;
constexpr quint8 NoSync = 5;
constexpr quint8 NoTx = 6;
constexpr quint8 NoRx = 7;
constexpr quint8 Off = 8;
constexpr quint8 RxTx = 9;
constexpr quint8 Count = 10;
} // namespace RfcStatus

namespace RfcDefaults {
namespace detail {
inline RfcConfigBlock make(std::size_t port)
{
    using namespace RfcConfigField;
    RfcConfigBlock b{};
    put32(b, IpDst, port == 0 ? 0xC0A800C9 : 0xC0A800C8); // 192.168.0.201 / .200
    const quint8 mac[2][6] = {{0x00, 0x55, 0x44, 0x33, 0x22, 0x11}, {0x00, 0x66, 0x55, 0x44, 0x33, 0x22}};
    for (std::size_t i = 0; i < 6; ++i)
        b[MacDst + i] = mac[port][i];
    b[AutoMac] = 1;
    put16(b, UdpSrc, 123);
    put16(b, UdpDst, 456);
    b[Byte22] = 1;
    b[Byte23] = 1;
    put16(b, Word24, 100);
    put16(b, Word26, 100);
    b[ThrEnabled] = b[LatEnabled] = b[FrlEnabled] = b[BtbEnabled] = 1;
    put32(b, ThrSample, 10);
    b[ThrStartLoad] = 100;
    b[ThrEndLoad] = 1;
    put32(b, LatInterval, 1);
    put32(b, LatIterations, 10);
    for (std::size_t i = 0; i < Slots; ++i)
        b[latUserLoad(i)] = 100;
    b[LatUserLoading] = 1;
    put32(b, FrlSample, 1);
    b[FrlStartLoad] = 100;
    b[FrlEndLoad] = 1;
    b[FrlStep] = 1;
    put16(b, BtbMin, 1);
    put16(b, BtbMax, 100);
    put16(b, BtbIterations, 10);
    const quint16 sizes[Slots] = {64, 128, 256, 512, 1024, 1280, 1518, 64};
    for (std::size_t i = 0; i < Slots; ++i) {
        b[slotEnabled(i)] = i < 7 ? 1 : 0;
        put16(b, slotSize(i), sizes[i]);
    }
    return b;
}
} // namespace detail

inline const RfcConfigBlock Port[2] = {detail::make(0), detail::make(1)};
} // namespace RfcDefaults
