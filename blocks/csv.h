#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as spreadsheets read them: UTF-8, fields quoted
// where they hold a comma, a quote or a line break (quotes doubled), lines
// ended by CR LF, numbers with "." whatever the locale.
namespace Csv {

QString field(const QString &text);
// A number as the shortest text that reads back to the same double.
QString number(double value);
QByteArray document(const QStringList &header, const QList<QStringList> &rows);

// Tab-separated, for the clipboard: tabs and line breaks inside a cell
// become blanks, so that a paste keeps the table's shape.
QString tabSeparated(const QList<QStringList> &rows);

} // namespace Csv
