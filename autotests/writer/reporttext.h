#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryFile>

// A text one entry per line with the blanks collapsed and blank lines
// dropped: "Rx bits 5000000000000". A page ends with an entry "\f".
inline QStringList textLines(const QString &text)
{
    QStringList lines;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    for (QString line : text.split(QLatin1Char('\n'))) {
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

inline QByteArray pdftotext(const QStringList &options, const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), QStringList(options) << path << QStringLiteral("-"));
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

// A PDF's text as pdftotext -layout reads it.
inline QStringList pdfLines(const QString &path)
{
    return textLines(QString::fromUtf8(pdftotext({QStringLiteral("-layout")}, path)));
}

// The words of a PDF with their boxes in points, as pdftotext -bbox finds them.
struct PdfWord
{
    QRectF box;
    QString text;
};
inline QList<PdfWord> pdfWords(const QString &path)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    const QString html = QString::fromUtf8(pdftotext({QStringLiteral("-bbox")}, path));
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const auto w = m.next();
        words.append({QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                             QPointF(w.captured(3).toDouble(), w.captured(4).toDouble())),
                      w.captured(5)});
    }
    return words;
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

// diff -u of two texts, for a failure message.
inline QString lineDiff(const QStringList &expected, const QStringList &actual)
{
    QTemporaryFile file;
    if (!file.open() || file.write(expected.join(u'\n').toUtf8() + '\n') < 0 || !file.flush())
        return QStringLiteral("cannot write %1").arg(file.fileName());
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), QStringLiteral("--label=expected"),
                                        QStringLiteral("--label=actual"), file.fileName(), QStringLiteral("-")});
    diff.write(actual.join(u'\n').toUtf8() + '\n');
    diff.closeWriteChannel();
    diff.waitForFinished(10000);
    return QString::fromUtf8(diff.readAllStandardOutput());
}
