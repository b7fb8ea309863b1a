#pragma once

#include "blocksizes.h"
#include "block.h"

// The interface-settings block of port A (0), port B (1) and the
// remote-control port (2). Offsets not named here are reserved and kept.
namespace IfaceConfigField {
constexpr std::size_t Dhcp = 0;       // 0 static, non-zero DHCP
constexpr std::size_t LinkModes = 1;  // LinkMode bits
constexpr std::size_t Mac = 2;        // 6 bytes, transmission order
constexpr std::size_t Ip = 8;         // u32, first dotted octet most significant
constexpr std::size_t Mask = 12;      // u32, same encoding
constexpr std::size_t Gateway = 16;   // u32, same encoding
constexpr std::size_t Word20 = 20;    // u16, kept (1500 in the built-in blocks)
constexpr std::size_t VlanCount = 22; // 0..3
constexpr std::size_t Tags = 3;
constexpr std::size_t tpid(std::size_t n) { return 24 + 2 * n; } // u16, tag n = 0..2
constexpr std::size_t tci(std::size_t n) { return 30 + 2 * n; }  // u16: PCP 15..13, VID 11..0
constexpr std::size_t MplsCount = 36; // 0..3
constexpr std::size_t mpls(std::size_t n) { return 40 + 4 * n; } // u32: label 19..0, QoS 22..20, TTL 31..24
constexpr std::size_t OamMode = 52;   // OamMode values (oamlayout.h); per process on ports A and B
static_assert(OamMode + 4 == BlockSize::IfaceConfig);
} // namespace IfaceConfigField

namespace LinkMode {
constexpr quint8 Half10 = 0x01;
constexpr quint8 Full10 = 0x02;
constexpr quint8 Half100 = 0x04;
constexpr quint8 Full100 = 0x08;
constexpr quint8 Half1000 = 0x10;
constexpr quint8 Full1000 = 0x20;
constexpr quint8 All = 0x3F;
// Whether the modes offer 10, 100 or 1000 Mbit/s (speed 0, 1, 2) in either
// duplex: a pair of bits each.
constexpr bool offersSpeed(quint8 modes, int speed)
{
    return speed >= 0 && speed < 3 && (modes >> (2 * speed)) & 0x3;
}
} // namespace LinkMode

namespace Tci {
constexpr quint16 VidMask = 0x0FFF;
constexpr int PcpShift = 13;
} // namespace Tci

namespace Mpls {
constexpr quint32 LabelMask = 0xFFFFF;
constexpr int QosShift = 20;
constexpr int TtlShift = 24;
} // namespace Mpls

namespace IfaceIndex {
constexpr std::size_t PortA = 0;
constexpr std::size_t PortB = 1;
constexpr std::size_t RemoteControl = 2;
constexpr std::size_t Count = 3;
} // namespace IfaceIndex

// The built-in blocks of the three interfaces: what replaces an invalid
// address text on the page, and what the tester starts with.
namespace IfaceDefaults {
namespace detail {
inline IfaceConfigBlock make(std::size_t iface)
{
    using namespace IfaceConfigField;
    IfaceConfigBlock b{};
    const bool rc = iface == IfaceIndex::RemoteControl;
    b[LinkModes] = rc ? (LinkMode::Half10 | LinkMode::Full10) : LinkMode::All;
    const quint8 mac[3][6] = {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55},
                              {0x00, 0x22, 0x33, 0x44, 0x55, 0x66},
                              {0x00, 0x33, 0x44, 0x55, 0x66, 0x77}};
    for (std::size_t i = 0; i < 6; ++i)
        b[Mac + i] = mac[iface][i];
    put32(b, Ip, 0xC0A800C8 + quint32(iface)); // 192.168.0.200 + interface
    put32(b, Mask, 0xFFFFFF00);
    put32(b, Gateway, 0xC0A80001);
    put16(b, Word20, 1500);
    if (!rc) {
        const quint16 tpids[3] = {0x8100, 0x9100, 0x9200};
        const quint16 tcis[2][3] = {{123, 456, 789}, {321, 654, 987}};
        for (std::size_t n = 0; n < Tags; ++n) {
            put16(b, tpid(n), tpids[n]);
            put16(b, tci(n), tcis[iface][n]);
        }
    }
    if (iface == IfaceIndex::PortA) {
        const quint8 entries[3][4] = {{0xFF, 0x10, 0x11, 0x11}, {0xFF, 0x20, 0x22, 0x22}, {0xFF, 0x30, 0x33, 0x33}};
        for (std::size_t n = 0; n < Tags; ++n)
            for (std::size_t i = 0; i < 4; ++i)
                b[mpls(n) + i] = entries[n][i];
    }
    return b;
}
} // namespace detail

inline const IfaceConfigBlock Iface[IfaceIndex::Count] = {detail::make(0), detail::make(1), detail::make(2)};
} // namespace IfaceDefaults
