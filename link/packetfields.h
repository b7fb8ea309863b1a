#pragma once

#include <cstddef>

// Offsets inside the 263-byte packets of the command set: where the
// program writes a request and the tester reads it (Req), where the tester
// writes a reply and the program reads it (Rep). The block layouts
// themselves come from blocks/*layout.h.
namespace Req {
constexpr std::size_t Process = 2;   // per-process requests
constexpr std::size_t Write = 3;     // configuration requests: 1 write, 0 read
constexpr std::size_t Block = 4;     // configuration block of a request
constexpr std::size_t RunFlag = 3;   // ID 60
constexpr std::size_t RunCode = 4;   // ID 60
constexpr std::size_t ModeValue = 3; // ID 69
constexpr std::size_t Text = 2;      // file names of IDs 42, 75, 76, 77
constexpr std::size_t Word = 2;      // 32-bit argument of IDs 32 and 44
constexpr std::size_t TransferArg = 2;
constexpr std::size_t RegWrite = 2;  // ID 30
constexpr std::size_t RegValue = 3;
constexpr std::size_t RegAddress = 4;
constexpr std::size_t RfcOffset = 3; // ID 64
constexpr std::size_t RfcLength = 7;
constexpr std::size_t RfcStep = 4;   // ID 65
constexpr std::size_t TracePage = 3; // ID 55
constexpr std::size_t StatsWrite = 2; // ID 58
constexpr std::size_t StatsFlag = 3;
constexpr std::size_t OamMode = 4;   // ID 78
} // namespace Req

namespace Rep {
constexpr std::size_t Payload = 2;
constexpr std::size_t Block = 4;      // IDs 51, 52, 53, 61, 62, 67
constexpr std::size_t TrafficResult = 6; // ID 63
constexpr std::size_t PingStats = 44; // ID 54
constexpr std::size_t IfaceWords = 60; // ID 62: three DHCP words
constexpr std::size_t Ok = 2;         // "OK" of IDs 42, 44, 75, 76, 77
constexpr std::size_t FileSize = 4;   // ID 42
constexpr std::size_t FileData = 4;   // ID 44
constexpr std::size_t DirEntry = 2;   // IDs 45, 46: 0 ends the list
constexpr std::size_t DirName = 3;
constexpr std::size_t ScreenData = 6; // ID 32
constexpr std::size_t RegAddress = 2; // ID 30
constexpr std::size_t RegValue = 6;
constexpr std::size_t RegOk = 7;
constexpr std::size_t RfcRow = 6;     // ID 65: eight rows of 6 bytes from byte 2
} // namespace Rep

// The status reply (ID 0), also the identification of the updater mode.
namespace StatusField {
constexpr std::size_t Cpu = 2;
constexpr std::size_t Fpga = 5;
constexpr std::size_t Mode = 8;      // the program keeps it as statusByte8
constexpr std::size_t Byte9 = 9;
constexpr std::size_t Byte22 = 22;   // and 23, 24
constexpr std::size_t Topology = 10; // + process
constexpr std::size_t State = 12;    // + 4 x process
constexpr std::size_t LoopLevel = 20; // + process
constexpr std::size_t Serial = 25;
constexpr std::size_t Model = 27;
constexpr std::size_t LinkSpeed = 28; // + port
constexpr std::size_t Elapsed = 30;   // + process
constexpr std::size_t Release = 34;
constexpr std::size_t Duplex = 43;
constexpr std::size_t Rates = 44;     // tx A, rx A, tx B, rx B
} // namespace StatusField
