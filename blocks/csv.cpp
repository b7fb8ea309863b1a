#include "csv.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Csv {

QString field(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!text.contains(special))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString number(double value)
{
    // QString::number is locale-independent. Counters stay whole numbers
    // (no "1e+09"); other values get the shortest text that reads back exact.
    if (std::abs(value) < 9007199254740992.0 && value == std::trunc(value))
        return QString::number(qint64(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray document(const QStringList &header, const QList<QStringList> &rows)
{
    QString out;
    const auto line = [&out](const QStringList &cells) {
        QStringList quoted;
        quoted.reserve(cells.size());
        for (const QString &c : cells)
            quoted << field(c);
        out += quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
    };
    line(header);
    for (const QStringList &r : rows)
        line(r);
    return out.toUtf8();
}

QString tabSeparated(const QList<QStringList> &rows)
{
    static const QRegularExpression breaks(QStringLiteral("[\t\r\n]+"));
    QStringList lines;
    for (const QStringList &r : rows) {
        QStringList cells;
        for (QString c : r)
            cells << c.replace(breaks, QStringLiteral(" "));
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace Csv
