#pragma once

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

// A configuration or result block: a byte image in the tester's format.
// Fields are read and written in place at named offsets (one header of
// offsets per block), so bytes no field names travel unchanged.
template <std::size_t N>
using Block = std::array<quint8, N>;

namespace Bytes {

inline quint16 get16(const void *base, std::size_t offset)
{
    return qFromLittleEndian<quint16>(static_cast<const uchar *>(base) + offset);
}
inline quint32 get32(const void *base, std::size_t offset)
{
    return qFromLittleEndian<quint32>(static_cast<const uchar *>(base) + offset);
}
inline void put16(void *base, std::size_t offset, quint16 value)
{
    qToLittleEndian<quint16>(value, static_cast<uchar *>(base) + offset);
}
inline void put32(void *base, std::size_t offset, quint32 value)
{
    qToLittleEndian<quint32>(value, static_cast<uchar *>(base) + offset);
}

} // namespace Bytes

// Bounds-checked field access on a block.
template <std::size_t N>
quint8 get8(const Block<N> &b, std::size_t offset)
{
    Q_ASSERT(offset < N);
    return b[offset];
}
template <std::size_t N>
quint16 get16(const Block<N> &b, std::size_t offset)
{
    Q_ASSERT(offset + 2 <= N);
    return Bytes::get16(b.data(), offset);
}
template <std::size_t N>
quint32 get32(const Block<N> &b, std::size_t offset)
{
    Q_ASSERT(offset + 4 <= N);
    return Bytes::get32(b.data(), offset);
}
template <std::size_t N>
void put8(Block<N> &b, std::size_t offset, quint8 value)
{
    Q_ASSERT(offset < N);
    b[offset] = value;
}
template <std::size_t N>
void put16(Block<N> &b, std::size_t offset, quint16 value)
{
    Q_ASSERT(offset + 2 <= N);
    Bytes::put16(b.data(), offset, value);
}
template <std::size_t N>
void put32(Block<N> &b, std::size_t offset, quint32 value)
{
    Q_ASSERT(offset + 4 <= N);
    Bytes::put32(b.data(), offset, value);
}

// The u64 fields of the jitter and BERT results.
template <std::size_t N>
void put64(Block<N> &b, std::size_t offset, quint64 value)
{
    put32(b, offset, quint32(value));
    put32(b, offset + 4, quint32(value >> 32));
}
template <std::size_t N>
quint64 get64(const Block<N> &b, std::size_t offset)
{
    return quint64(get32(b, offset)) | quint64(get32(b, offset + 4)) << 32;
}

// The float and double fields of the RFC-2544 and ping results.
template <std::size_t N>
void putFloat(Block<N> &b, std::size_t offset, float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    put32(b, offset, bits);
}
template <std::size_t N>
float getFloat(const Block<N> &b, std::size_t offset)
{
    const quint32 bits = get32(b, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
template <std::size_t N>
void putDouble(Block<N> &b, std::size_t offset, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    put64(b, offset, bits);
}
template <std::size_t N>
double getDouble(const Block<N> &b, std::size_t offset)
{
    const quint64 bits = get64(b, offset);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Copies between a block and a packet or file image, clipped to both ends.
template <std::size_t N>
void copyIn(Block<N> &b, const QByteArray &from, qsizetype fromOffset, std::size_t count = N,
            std::size_t toOffset = 0)
{
    if (fromOffset < 0 || fromOffset >= from.size() || toOffset >= N)
        return;
    const std::size_t avail = std::size_t(from.size() - fromOffset);
    count = std::min({count, avail, N - toOffset});
    std::memcpy(b.data() + toOffset, from.constData() + fromOffset, count);
}
template <std::size_t N>
void copyOut(const Block<N> &b, QByteArray &to, qsizetype toOffset, std::size_t count = N,
             std::size_t fromOffset = 0)
{
    if (toOffset < 0 || toOffset >= to.size() || fromOffset >= N)
        return;
    const std::size_t room = std::size_t(to.size() - toOffset);
    count = std::min({count, room, N - fromOffset});
    std::memcpy(to.data() + toOffset, b.data() + fromOffset, count);
}
