#include "filestore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

bool FileStore::validName(const QString &name)
{
    if (name.isEmpty() || name.size() >= 256 || name == u"." || name == u".." || name != name.trimmed())
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E || c == u'/' || c == u'\\')
            return false;
    }
    return true;
}

bool FileStore::setDirectory(const QString &dir, QString *error)
{
    QDir d(dir);
    if (!d.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    m_dir = d.absolutePath();
    const QStringList present = d.entryList(QDir::Files);
    for (const QString &name : present) {
        if (!validName(name))
            continue;
        QFile f(d.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            m_files.insert(name, f.readAll());
    }
    return true;
}

bool FileStore::write(const QString &name, const QByteArray &data)
{
    if (!validName(name))
        return false;
    m_files.insert(name, data);
    if (m_dir.isEmpty())
        return true;
    QSaveFile f(QDir(m_dir).filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size() && f.commit();
}

bool FileStore::remove(const QString &name)
{
    if (!m_files.remove(name))
        return false;
    if (!m_dir.isEmpty())
        QFile::remove(QDir(m_dir).filePath(name));
    return true;
}
