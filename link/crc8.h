#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// CRC-8 of the 1-Wire kind (poly 0x31 reflected as 0x8C, init 0, no final
// XOR): the checksum of every packet on the tester's serial links, shared by
// QVRemote, QVUpdater and qvsim.
namespace Crc8 {

quint8 compute(const void *data, qsizetype length);
inline quint8 compute(QByteArrayView bytes) { return compute(bytes.data(), bytes.size()); }

} // namespace Crc8
