#pragma once

#include "blocksizes.h"
#include "block.h"

#include <QString>

#include <array>
#include <optional>

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
constexpr int Speeds = 3; // 10, 100, 1000 Mbit/s

// Whether the modes offer speed s (0: 10, 1: 100, 2: 1000) in either duplex.
constexpr bool offersSpeed(quint8 modes, int s) { return s >= 0 && s < Speeds && (modes & (0x3 << (2 * s))); }
constexpr bool offersHalf(quint8 modes) { return modes & (Half10 | Half100 | Half1000); }
constexpr bool offersFull(quint8 modes) { return modes & (Full10 | Full100 | Full1000); }
// Every offered speed in every offered duplex.
constexpr quint8 compose(const bool speeds[Speeds], bool half, bool full)
{
    quint8 m = 0;
    for (int s = 0; s < Speeds; ++s) {
        if (speeds[s])
            m |= quint8((half ? 0x1 : 0) | (full ? 0x2 : 0)) << (2 * s);
    }
    return m;
}
} // namespace LinkMode

// A VLAN tag's control field; bit 12 is written as 0.
namespace Tci {
constexpr quint16 VidMask = 0x0FFF;
constexpr int PcpShift = 13;
constexpr quint8 pcp(quint16 tci) { return quint8(tci >> PcpShift); }
constexpr quint16 vid(quint16 tci) { return tci & VidMask; }
constexpr quint16 make(unsigned pcp, unsigned vid)
{
    return quint16(((pcp & 0x7) << PcpShift) | (vid & VidMask));
}
} // namespace Tci

// An MPLS label stack entry; bit 23 is written as 0. Unsigned throughout:
// a TTL of 128 or more reaches the sign bit.
namespace Mpls {
constexpr quint32 LabelMask = 0xFFFFF;
constexpr int QosShift = 20;
constexpr int TtlShift = 24;
constexpr quint32 label(quint32 entry) { return entry & LabelMask; }
constexpr quint8 qos(quint32 entry) { return quint8((entry >> QosShift) & 0x7); }
constexpr quint8 ttl(quint32 entry) { return quint8(entry >> TtlShift); }
constexpr quint32 make(quint32 label, unsigned qos, unsigned ttl)
{
    return (label & LabelMask) | (quint32(qos & 0x7) << QosShift) | (quint32(ttl & 0xFF) << TtlShift);
}
} // namespace Mpls

// The texts a page and a report show for a TPID and an MPLS label.
inline QString tpidText(quint16 tpid) { return QStringLiteral("%1").arg(tpid, 4, 16, QLatin1Char('0')).toUpper(); }
inline QString mplsLabelText(quint32 entry)
{
    return QStringLiteral("%1").arg(Mpls::label(entry), 5, 16, QLatin1Char('0')).toUpper();
}

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

// The factory MAC address of an interface. Every tester owns addresses out
// of one block of 4096: the ZORT-QV three from the bottom (port A, port B,
// port RC), the ZORT-QVB two from 0xC00 on (port A, port RC). There is no
// address for serial number 0 or for a serial beyond the model's share of
// the block (it would wrap onto another tester's address).
namespace DefaultMac {
// The block's first four bytes. Locally administered, as nothing here
// knows the maker's registered block.
constexpr quint8 Prefix[4] = {0x02, 0x51, 0x56, 0x00};
constexpr quint32 QvbFirst = 0xC00;
constexpr quint32 BlockEnd = 0x1000;

inline std::optional<std::array<quint8, 6>> forInterface(quint16 serial, bool qvb, std::size_t iface)
{
    if (serial == 0 || iface >= IfaceIndex::Count)
        return std::nullopt;
    const quint32 n = serial - 1u;
    const quint32 k = qvb ? QvbFirst + 2 * n + (iface == IfaceIndex::RemoteControl ? 1 : 0)
                          : 3 * n + quint32(iface);
    if (k >= (qvb ? BlockEnd : QvbFirst))
        return std::nullopt;
    return std::array<quint8, 6>{Prefix[0], Prefix[1], Prefix[2], Prefix[3],
                                 quint8(0xC0 | ((k >> 8) & 0x0F)), quint8(k & 0xFF)};
}
} // namespace DefaultMac
