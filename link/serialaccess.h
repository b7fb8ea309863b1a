#pragma once

#include <QString>

// Why this user may not open a serial device, for the programs' messages: on
// Linux the serial ports belong to a group ("dialout" on Debian) whose
// members may use them, and a user who is not in it gets "permission denied".
namespace SerialAccess {

// The device of a port named as the user types it: a name ("ttyUSB0") is
// one in /dev, a path is itself.
QString devicePath(const QString &name);

// The group to join to be let in to the port: the device's own group when
// its members may read and write it, else "dialout". Empty when the user may
// read and write the device, or the reason it cannot be opened is another.
QString groupToJoin(const QString &name);

} // namespace SerialAccess
