#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

// The fixed 263-byte packet exchanged with the tester, and the cutting of
// serial frames out of a byte stream that also carries the tester's free text.
namespace Packet {

constexpr int Size = 263;         // start byte, ID, 260 payload bytes, CRC
constexpr int TcpFrameSize = 261; // what the TCP link carries: ID and payload
constexpr int IdOffset = 1;
constexpr int PayloadOffset = 2;
constexpr int CrcOffset = 262;
constexpr char RequestStart = 0x40;     // '@': every packet the program builds
constexpr char SerialReplyStart = 0x24; // '$': the tester's serial frames
// Both transports read on readyRead and, for what a signal may miss, on a
// timer this often.
constexpr int ReadPollMs = 10;

// A zero-filled packet with its start byte, ID and a valid CRC.
QByteArray make(quint8 id, char start = RequestStart);
// Recomputes byte 262 after the payload has been written.
void seal(QByteArray &packet);
bool crcValid(const QByteArray &packet);
inline quint8 id(const QByteArray &packet) { return quint8(packet.at(IdOffset)); }

using TextSink = std::function<void(const QByteArray &)>;

// Takes the first valid frame out of the serial receive buffer after new
// bytes have been appended; free text before it goes to showText. What
// follows the frame stays in the buffer for the next call: usually text, but
// it may be a second frame (a late reply followed by the awaited one), which
// must not be lost. Call it until it returns nothing.
// With awaitedId, a frame must also carry that ID: the tester's free text may
// hold a "$" (its file names start with one), and the 263 bytes from there
// pass the CRC by chance once in 256; such a false frame would swallow the
// start of the reply behind it. A frame with another ID is then treated as a
// corrupt one.
std::optional<QByteArray> takeFrame(QByteArray &buffer, const TextSink &showText,
                                    std::optional<quint8> awaitedId = std::nullopt);

} // namespace Packet
