#pragma once

#include "blocksizes.h"

// The loopback configuration: which header fields the port rewrites in the
// frames it sends back. Offsets not named here are kept unchanged.
namespace LbConfigField {
constexpr std::size_t ReplaceIpSrc = 1;  // 0/1
constexpr std::size_t ReplaceIpDst = 2;  // 0/1
constexpr std::size_t IpSrc = 4;         // u32, first dotted octet most significant
constexpr std::size_t IpDst = 8;         // u32, same encoding
constexpr std::size_t ReplaceMode = 12;  // 0 none, 1 replace ToS, 2 replace DSCP
constexpr std::size_t Tos = 13;          // precedence 7..5, ToS 4..1, bit 0 kept
constexpr std::size_t Dscp = 14;         // DSCP code << 2
constexpr std::size_t ReplaceVlan = 15;  // 0/1
constexpr std::size_t ReplacePrio = 16;  // 0/1
constexpr std::size_t Vlan = 20;         // i32, 1..4095 as the page edits it
constexpr std::size_t Prio = 24;         // 0..7 as the page edits it
constexpr std::size_t ReplaceMacSrc = 25; // 0/1
constexpr std::size_t ReplaceMacDst = 26; // 0/1
constexpr std::size_t MacSrc = 27;       // 6 bytes, transmission order
constexpr std::size_t MacDst = 33;       // 6 bytes
static_assert(MacDst + 6 + 1 == BlockSize::LbConfig);
} // namespace LbConfigField

// Loopback levels: mode value of the mode packet = level + 2; 0 is off.
namespace LbLevel {
constexpr quint8 Off = 0;
constexpr quint8 Max = 4;
} // namespace LbLevel

// The built-in block of both ports is all zeros.
namespace LbDefaults {
inline constexpr LbConfigBlock Port[2] = {};
} // namespace LbDefaults
