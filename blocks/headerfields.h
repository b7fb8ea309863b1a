#pragma once

#include "jitterlayout.h"
#include "multilayout.h"
#include "rfclayout.h"
#include "trafficlayout.h"

// Where a block keeps the fields of the traffic header (the header-settings
// group of the pages, the header-settings block of the reports); a field the
// block does not have stays None.
struct HeaderFields
{
    static constexpr std::size_t None = std::size_t(-1);

    std::size_t ip = None;      // u32, first dotted octet most significant
    std::size_t mac = None;     // 6 bytes
    std::size_t autoMac = None; // 0/1
    std::size_t mode = None;    // 0 none, 1 replace ToS, 2 replace DSCP
    std::size_t tos = None;     // ToS byte
    std::size_t dscp = None;    // DS byte
    std::size_t udpSrc = None;  // u16
    std::size_t udpDst = None;  // u16
    std::size_t level3 = None;  // 0/1
    std::size_t level4 = None;  // 0/1

    // The same fields in a record that starts at base (one stream of many).
    constexpr HeaderFields shifted(std::size_t base) const
    {
        auto at = [base](std::size_t offset) { return offset == None ? None : base + offset; };
        return {at(ip), at(mac), at(autoMac), at(mode), at(tos), at(dscp),
                at(udpSrc), at(udpDst), at(level3), at(level4)};
    }
};

// The header fields of each block that has them.
namespace HeaderOf {
inline constexpr HeaderFields Traffic = {
    TrafficConfigField::IpDst,    TrafficConfigField::MacDst, TrafficConfigField::AutoMac,
    TrafficConfigField::Priority, TrafficConfigField::Tos,    TrafficConfigField::Dscp,
    TrafficConfigField::UdpSrc,   TrafficConfigField::UdpDst, TrafficConfigField::Level3,
    TrafficConfigField::Level4,
};
// The jitter and RFC-2544 blocks have no level flags: the page's check boxes
// are not part of them.
inline constexpr HeaderFields Jitter = {
    JitterConfigField::IpDst,  JitterConfigField::MacDst, JitterConfigField::AutoMac,
    JitterConfigField::Priority, JitterConfigField::Tos, JitterConfigField::Dscp,
    JitterConfigField::UdpSrc, JitterConfigField::UdpDst,
};
inline constexpr HeaderFields Rfc = {
    RfcConfigField::IpDst,  RfcConfigField::MacDst, RfcConfigField::AutoMac,
    RfcConfigField::Priority, RfcConfigField::Tos, RfcConfigField::Dscp,
    RfcConfigField::UdpSrc, RfcConfigField::UdpDst,
};
// Stream i of the multistream block: MultiStream.shifted(MultiConfigField::stream(i)).
inline constexpr HeaderFields MultiStream = {
    MultiStreamField::IpDst,    MultiStreamField::MacDst, MultiStreamField::AutoMac,
    MultiStreamField::Priority, MultiStreamField::Tos,    MultiStreamField::Dscp,
    MultiStreamField::UdpSrc,   MultiStreamField::UdpDst, MultiStreamField::Level3,
    MultiStreamField::Level4,
};
} // namespace HeaderOf
