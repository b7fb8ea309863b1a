#include "serialaccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

QString SerialAccess::devicePath(const QString &name)
{
    return name.startsWith(u'/') ? name : QStringLiteral("/dev/") + name;
}

QString SerialAccess::groupToJoin(const QString &name)
{
    const QString path = devicePath(name);
    // The effective ids, as open() checks them.
    if (::euidaccess(QFile::encodeName(path).constData(), R_OK | W_OK) == 0 || errno != EACCES)
        return {};
    const QFileInfo info(path);
    const QFile::Permissions groupUse = QFile::ReadGroup | QFile::WriteGroup;
    const QString group = info.group();
    if ((info.permissions() & groupUse) == groupUse && !group.isEmpty() && group != QLatin1String("root"))
        return group;
    return QStringLiteral("dialout");
}
