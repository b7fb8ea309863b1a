#include "crc8.h"

#include <array>

namespace {

constexpr quint8 bitwiseByte(quint8 crc)
{
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? quint8((crc >> 1) ^ 0x8C) : quint8(crc >> 1);
    return crc;
}

constexpr std::array<quint8, 256> makeTable()
{
    std::array<quint8, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = bitwiseByte(quint8(i));
    return table;
}

constexpr std::array<quint8, 256> kTable = makeTable();

} // namespace

quint8 Crc8::compute(const void *data, qsizetype length)
{
    const auto *p = static_cast<const quint8 *>(data);
    quint8 crc = 0;
    for (qsizetype i = 0; i < length; ++i)
        crc = kTable[crc ^ p[i]];
    return crc;
}
