#include "reportfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ReportFolder {

QString name(const QString &fileName)
{
    QString safe;
    safe.reserve(fileName.size());
    for (const QChar c : fileName) {
        if (c == u'$' || c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control)
            continue;
        safe += c;
    }
    safe.remove(QStringLiteral(".."));
    safe = safe.trimmed();
    // Windows drops trailing dots and blanks itself, so "a." and "a" would
    // be one folder there.
    while (safe.endsWith(u'.') || safe.endsWith(u' '))
        safe.chop(1);
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (safe.isEmpty() || reserved.match(safe).hasMatch())
        return QStringLiteral("report");
    return safe;
}

QString path(const QString &dir, const QString &fileName)
{
    const QString base = QDir::cleanPath(dir);
    if (base.isEmpty())
        return {};
    const QString prefix = base.endsWith(u'/') ? base : base + u'/';
    const QString result = QDir::cleanPath(prefix + name(fileName));
    if (!result.startsWith(prefix) || result.size() == prefix.size()
        || result.indexOf(u'/', prefix.size()) >= 0)
        return {};
    if (QFileInfo(result).isSymLink())
        return {};
    return result;
}

} // namespace ReportFolder
