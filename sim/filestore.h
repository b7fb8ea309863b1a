#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The tester's file system: named files in memory, mirrored into a host
// directory when one is given so that a test can compare them with what was
// sent, and so that files survive a restart of the simulator.
class FileStore
{
public:
    // Names are single path components of printable ASCII, shorter than 256;
    // blanks only between other characters ("$SET A").
    static bool validName(const QString &name);

    // Mirrors into dir (created if missing) and loads the files already in it.
    bool setDirectory(const QString &dir, QString *error);
    QString directory() const { return m_dir; }

    bool contains(const QString &name) const { return m_files.contains(name); }
    QByteArray file(const QString &name) const { return m_files.value(name); }
    QStringList names() const { return m_files.keys(); }
    bool write(const QString &name, const QByteArray &data);
    bool remove(const QString &name);

private:
    QString m_dir;
    QMap<QString, QByteArray> m_files;
};
