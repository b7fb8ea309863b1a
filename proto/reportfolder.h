#pragma once

#include <QString>

// Where the reports of a downloaded result file go: one folder below the
// one the user chose, named after the file as the tester lists it. The name
// comes from the tester, so it is made into a single, portable path
// component before it touches the file system.
namespace ReportFolder {

// The file name without "$", separators, "..", ":", control characters,
// trailing dots and blanks; a reserved device name (CON, PRN, AUX, NUL,
// COM0-9, LPT0-9, with or without an extension) or nothing at all becomes
// "report".
QString name(const QString &fileName);

// dir + "/" + name(fileName), or an empty string when that path would not
// lie directly inside dir (or is a symbolic link that could lead elsewhere).
QString path(const QString &dir, const QString &fileName);

} // namespace ReportFolder
