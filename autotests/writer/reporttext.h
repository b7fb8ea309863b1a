#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

// A PDF's text as pdftotext -layout reads it, one entry per line with the
// cells' blanks collapsed: "Rx bits 5000000000000". Pages are separated by
// an entry "\f".
inline QStringList pdfLines(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return {};
    QStringList lines;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    for (QString line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('\f'))) {
            lines << QStringLiteral("\f");
            line.remove(0, 1);
        }
        line = line.replace(blanks, QStringLiteral(" ")).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

// The first expected line that is not found after the previous one, or an
// empty string when all of them appear in this order.
inline QString missingInOrder(const QStringList &lines, const QStringList &expected)
{
    qsizetype from = 0;
    for (const QString &e : expected) {
        const qsizetype at = lines.indexOf(e, from);
        if (at < 0)
            return e;
        from = at + 1;
    }
    return QString();
}
