#pragma once

#include "blocksizes.h"

// OAM mode of a process, kept in byte 52 of its interface block.
namespace OamMode {
constexpr quint8 Active = 0;
constexpr quint8 Passive = 1;
constexpr quint8 Disabled = 2;
} // namespace OamMode

// The OAM result block: what the port learned about its link OAM peer.
// Bytes 1..9 and 11..15 are not named.
namespace OamResultField {
constexpr std::size_t Peer = 0;       // non-zero: a remote OAM entity was discovered
constexpr std::size_t PeerConfig = 10; // OamPeerConfig bits
constexpr std::size_t Vendor = 16;    // 4 bytes of vendor information
constexpr std::size_t PeerMac = 20;   // 6 bytes, transmission order
static_assert(PeerMac + 6 == BlockSize::OamResult);
} // namespace OamResultField

// The OAM configuration field of the peer (IEEE 802.3ah bit layout).
namespace OamPeerConfig {
constexpr quint8 ActiveMode = 0x01;     // clear: passive
constexpr quint8 Unidirectional = 0x02;
constexpr quint8 RemoteLoopback = 0x04;
constexpr quint8 LinkEvents = 0x08;
} // namespace OamPeerConfig
