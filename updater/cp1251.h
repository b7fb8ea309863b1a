#pragma once

#include <QByteArray>
#include <QString>

// The tester keeps file names as 8-bit Windows-1251 text (its Russian
// code page); names travel in that form and are shown back from it.
namespace Cp1251 {

QByteArray encode(const QString &text);   // characters outside it become '?'
QString decode(const QByteArray &bytes);

} // namespace Cp1251
