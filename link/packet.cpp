#include "packet.h"

#include "crc8.h"

QByteArray Packet::make(quint8 id, char start)
{
    QByteArray packet(Size, '\0');
    packet[0] = start;
    packet[IdOffset] = char(id);
    seal(packet);
    return packet;
}

void Packet::seal(QByteArray &packet)
{
    Q_ASSERT(packet.size() >= Size);
    packet[CrcOffset] = char(Crc8::compute(packet.constData(), CrcOffset));
}

bool Packet::crcValid(const QByteArray &packet)
{
    return packet.size() >= Size
        && quint8(packet.at(CrcOffset)) == Crc8::compute(packet.constData(), CrcOffset);
}

std::optional<QByteArray> Packet::takeFrame(QByteArray &buffer, const TextSink &showText,
                                           std::optional<quint8> awaitedId)
{
    // The number of '$' only bounds the attempts: a '$' inside the payload of
    // a valid frame is never looked at, because the first valid frame ends the
    // search.
    const qsizetype starts = buffer.count(SerialReplyStart);
    if (starts == 0) {
        if (!buffer.isEmpty())
            showText(buffer);
        buffer.clear();
        return std::nullopt;
    }

    // Work with a read position and drop the consumed front once at the end.
    qsizetype pos = 0;
    bool found = false;
    for (qsizetype attempt = 0; attempt < starts; ++attempt) {
        const qsizetype dollar = buffer.indexOf(SerialReplyStart, pos);
        if (dollar < 0)
            break;
        if (dollar > pos)
            showText(buffer.mid(pos, dollar - pos));
        pos = dollar;
        if (buffer.size() - pos < Size)
            break; // incomplete: the next read adds to it
        const auto *frame = buffer.constData() + pos;
        if (Crc8::compute(frame, CrcOffset) != quint8(frame[CrcOffset])
            || (awaitedId && quint8(frame[IdOffset]) != *awaitedId)) {
            showText(QByteArray(1, SerialReplyStart));
            ++pos;
            continue;
        }
        found = true;
        break;
    }
    if (!found) {
        buffer.remove(0, pos);
        return std::nullopt;
    }
    QByteArray frame = buffer.mid(pos, Size);
    buffer.remove(0, pos + Size);
    return frame;
}
