#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// Where the tester's replies and blocks leave their bytes undefined: the
// payload bytes a reply's layout does not name, and the reserved and
// not-edited bytes inside the configuration and result blocks. qvsim fills
// them with noise on request, and checks that a configuration the program
// writes back carries the reserved bytes exactly as the tester sent them.
namespace UndefinedLayout {

// bytes [offset, offset + count), of each only the bits of mask
struct Bytes
{
    std::size_t offset;
    std::size_t count = 1;
    quint8 mask = 0xFF;
};
using List = std::vector<Bytes>;

// Packet bytes of the reply to request that its layout names (the payload
// runs from byte 2 to 261; bytes 0, 1 and 262 are always defined).
List definedPayload(const QByteArray &request, const QByteArray &reply);

// Reserved bytes inside the reply's blocks, in packet offsets: defined
// positions whose content means nothing.
List reservedInReply(const QByteArray &request, const QByteArray &reply);

// The reserved bytes of the configuration block that request ID id carries
// (50, 53, 61, 62, 67, 70, 80, 81), in block offsets; for 80 and 81 those of
// the whole multistream block. Empty for the others.
const List &reservedInConfig(quint8 id);

} // namespace UndefinedLayout
