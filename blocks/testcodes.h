#pragma once

#include <QtGlobal>

// Test numbers: the low byte of every request code.
namespace TestNo {
constexpr quint8 Loopback = 0;
constexpr quint8 Rfc = 1;
constexpr quint8 Cable = 2;
constexpr quint8 Transit = 3;
constexpr quint8 Ping = 4;
constexpr quint8 Traffic = 5;
constexpr quint8 Trace = 6;
constexpr quint8 Jitter = 7;
constexpr quint8 Bert = 8;
constexpr quint8 Dns = 9;
constexpr quint8 Oam = 10;
constexpr quint8 Multi = 11;
constexpr quint8 Iface = 12;
constexpr quint8 Stats = 13;
constexpr quint8 FileTransfer = 14;
} // namespace TestNo

inline constexpr quint16 requestCode(quint8 test, quint8 argument)
{
    return quint16(test | (argument << 8));
}

// Values of the active-test word: the page on show, which the poll follows.
namespace ActiveTest {
constexpr quint32 Rfc = 0x1;
constexpr quint32 Cable = 0x2;
constexpr quint32 Loopback = 0x4;
constexpr quint32 Ping = 0x8;
constexpr quint32 Trace = 0x10;
constexpr quint32 Traffic = 0x20;
constexpr quint32 Jitter = 0x40;
constexpr quint32 Transit = 0x80;
constexpr quint32 Bert = 0x100;
constexpr quint32 Dns = 0x200;
constexpr quint32 Oam = 0x400;
constexpr quint32 Multi = 0x800;
constexpr quint32 Iface = 0x1000000;
constexpr quint32 Stats = 0x2000000;
constexpr quint32 FileTransfer = 0x4000000;
} // namespace ActiveTest

// Bits of a process's state word: the transmit side in the low half, the
// receive side of the same test 16 bits higher.
namespace StateBit {
constexpr int Loopback = 0;
constexpr int Rfc = 1;
constexpr int Cable = 2;
constexpr int Transit = 3;
constexpr int Ping = 4;
constexpr int Traffic = 5;
constexpr int Trace = 6;
constexpr int Jitter = 7;
constexpr int Bert = 8;
constexpr int Dns = 9;
constexpr int Oam = 10;
constexpr int Multi = 11;
constexpr int RxShift = 16;
constexpr quint32 TxMask = 0x0000FFFF;
constexpr quint32 RxMask = 0xFFFF0000;
inline constexpr quint32 tx(int bit) { return 1u << bit; }
inline constexpr quint32 rx(int bit) { return 1u << (bit + RxShift); }
} // namespace StateBit

// Run codes of the start/stop packet (byte 4).
namespace RunCode {
constexpr quint8 Rfc = 1;
constexpr quint8 Bert = 2;
constexpr quint8 Traffic = 3;
constexpr quint8 Ping = 4;
constexpr quint8 Trace = 5;
constexpr quint8 Jitter = 6;
constexpr quint8 Cable = 7;
constexpr quint8 Dns = 8;
constexpr quint8 Oam = 9;
constexpr quint8 Multi = 10;
} // namespace RunCode

// Values of the mode packet: topology of a process, loopback level, transit.
namespace Mode {
constexpr quint8 Cross = 0;
constexpr quint8 SamePort = 1;
constexpr quint8 LoopbackLevel0 = 2; // levels 0..4 are modes 2..6
constexpr quint8 TransitOff = 7;
constexpr quint8 TransitOn = 8;
} // namespace Mode

// Transfer-mode argument of packet 71.
namespace Transfer {
constexpr quint8 Leave = 0;
constexpr quint8 Enter = 2;
} // namespace Transfer
