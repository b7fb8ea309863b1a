#pragma once

#include <QString>

class SessionRecorder;

// The file a user sends to support: one zip archive with the program's
// versions and settings (about.txt) and the newest session recordings
// (sessions/), the one being written included as it stands.
namespace SupportFile {

constexpr int RecordingsKept = 5;

// Writes the archive to path; returns an empty text or what went wrong.
QString write(const QString &path, const SessionRecorder &recorder);

} // namespace SupportFile
