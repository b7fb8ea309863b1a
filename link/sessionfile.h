#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// The session recording file: everything one connection sent and received,
// with its times, so that support can read it and qvsim can play it back.
// Small, binary, little-endian, append-only; the layout is in the README.
namespace SessionFile {

constexpr char Magic[4] = {'Q', 'V', 'S', 'R'};
constexpr quint16 Version = 1;
// magic, version, length of the field text, UTC start in ms since 1970
constexpr int FixedHeaderSize = 4 + 2 + 2 + 8;
// payload length, kind, time in µs since the start
constexpr int RecordHeaderSize = 2 + 1 + 8;
// the check byte after the payload
constexpr int RecordTrailerSize = 1;
constexpr int MaxPayload = 0xFFFF;
constexpr int KindDirectionBit = 0x80;
constexpr int KindChannelMask = 0x0F;
constexpr char Suffix[] = ".qvrec";

enum class Direction : quint8 { Out = 0, In = 1 };
enum class Channel : quint8 {
    Frame = 0, // a packet as the wire carried it (263 bytes serial, 261 TCP)
    Text = 1,  // bytes outside frames: the tester's free text, a cut-off frame
    Info = 2,  // "key=value" lines learnt during the session (the tester's identity)
};

using Fields = QList<QPair<QString, QString>>;

struct Record
{
    qint64 timeUs = 0;
    Direction direction = Direction::Out;
    Channel channel = Channel::Frame;
    QByteArray bytes;

    bool isFrame() const { return channel == Channel::Frame; }
    // The ID and payload of a frame (261 bytes), whichever link carried it.
    QByteArray body() const;
    int id() const;
};

QByteArray encodeFields(const Fields &fields);
Fields decodeFields(QByteArrayView text);
QByteArray encodeHeader(qint64 startUtcMs, const Fields &fields);
// Appends one record; payloads longer than MaxPayload go in several records.
void appendRecord(QByteArray &out, qint64 timeUs, Direction direction, Channel channel, QByteArrayView bytes);

// A whole recording as read back. A record cut short or spoiled at the end
// (the program was killed while writing it), or of a kind this version does
// not write, ends the reading: everything before it is kept, and
// trailingBytes says how much was left over.
struct Recording
{
    quint16 version = 0;
    qint64 startUtcMs = 0;
    Fields fields; // the header's, then those of the info records in order
    QList<Record> records;
    qint64 wholeBytes = 0;
    qint64 trailingBytes = 0;

    // The last value of a field, or an empty text.
    QString field(const QString &key) const;
    static std::optional<Recording> parse(QByteArrayView data, QString *error);
    static std::optional<Recording> read(const QString &path, QString *error);
};

} // namespace SessionFile
