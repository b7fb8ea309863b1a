#pragma once

#include "sessionfile.h"

#include <QString>
#include <QTextStream>

// A recording for people (one line per record: time, direction, ID, the
// ID's name, length; the bytes in hex on request) and for Wireshark.
namespace RecordingDump {

// The link type of the frames in a pcapng file: the first of the user types.
constexpr quint16 LinkType = 147;

// The name of a packet ID in the command set of the program that recorded.
QString idName(int id, bool updater);
void print(const SessionFile::Recording &recording, bool hex, QTextStream &out);
// One packet per frame, each with the serial framing ("@"/"$" and CRC-8)
// whatever link carried it, and the direction in its flags. Returns an
// empty text or what went wrong.
QString writePcap(const SessionFile::Recording &recording, const QString &path);

} // namespace RecordingDump
