#include "conversions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace Conv {

namespace {

const QRegularExpression &macSeparators()
{
    static const QRegularExpression re(QStringLiteral("[:-]"));
    return re;
}

constexpr quint8 kTosValues[TosItems] = {0, 1, 2, 4, 8};

const char *const kTosNames[TosItems] = {"0000", "0001", "0010", "0100", "1000"};

struct DscpEntry
{
    const char *name;
    quint8 code;
};

// Only the default item is translatable: the others are code names.
const DscpEntry kDscp[DscpItems] = {
    {"AF11 ( 001010 )", 10},
    {"AF12 ( 001100 )", 12},
    {"AF13 ( 001110 )", 14},
    {"AF21 ( 010010 )", 18},
    {"AF22 ( 010100 )", 20},
    {"AF23 ( 010110 )", 22},
    {"AF31 ( 011010 )", 26},
    {"AF32 ( 011100 )", 28},
    {"AF33 ( 011110 )", 30},
    {"AF41 ( 100010 )", 34},
    {"AF42 ( 100100 )", 36},
    {"AF43 ( 100110 )", 38},
    {"CS1  ( 001000 )", 8},
    {"CS2  ( 010000 )", 16},
    {"CS3  ( 011000 )", 24},
    {"CS4  ( 100000 )", 32},
    {"CS5  ( 101000 )", 40},
    {"CS6  ( 110000 )", 48},
    {"CS7  ( 111000 )", 56},
    {QT_TRANSLATE_NOOP("HeaderSettings", "default ( 000000 )"), 0},
    {"EF   ( 101110 )", 46},
};

QString twoHex(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
}

QString threeDec(quint32 octet)
{
    return QStringLiteral("%1").arg(octet & 0xFF, 3, 10, QLatin1Char('0'));
}

} // namespace

QString macToText(const quint8 *mac)
{
    QStringList parts;
    for (std::size_t i = 0; i < MacSize; ++i)
        parts << twoHex(mac[i]);
    return parts.join(QLatin1Char(':'));
}

void textToMac(const QString &text, quint8 *mac)
{
    if (text.isEmpty())
        return;
    const QStringList parts = text.split(macSeparators());
    for (int i = 0; i < parts.size() && std::size_t(i) < MacSize; ++i)
        mac[i] = quint8(parts.at(i).toUInt(nullptr, 16));
}

QString ipToText(quint32 ip, bool lsbFirst)
{
    if (lsbFirst)
        return QStringLiteral("%1.%2.%3.%4")
            .arg(threeDec(ip), threeDec(ip >> 8), threeDec(ip >> 16), threeDec(ip >> 24));
    return QStringLiteral("%1.%2.%3.%4")
        .arg(threeDec(ip >> 24), threeDec(ip >> 16), threeDec(ip >> 8), threeDec(ip));
}

quint32 textToIp(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QStringList parts = text.split(QLatin1Char('.'));
    quint32 ip = 0;
    int shift = 24;
    for (const QString &part : parts) {
        if (shift < 0)
            break;
        ip += part.toUInt(nullptr, 10) << shift;
        shift -= 8;
    }
    return ip;
}

QString durationText(quint64 seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString padDecimals(QString number)
{
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    if (point < 0)
        return number + QStringLiteral(".000");
    while (number.size() - point - 1 < 3)
        number += QLatin1Char('0');
    return number;
}

QString hexBytes(const quint8 *four)
{
    QString text;
    for (int i = 0; i < 4; ++i)
        text += twoHex(four[i]) + QLatin1Char(' ');
    return text;
}

quint8 tosValue(int index)
{
    return index >= 0 && index < TosItems ? kTosValues[index] : 0;
}

int tosIndex(quint8 value)
{
    for (int i = 0; i < TosItems; ++i) {
        if (kTosValues[i] == value)
            return i;
    }
    return 0;
}

int tosIndexOfByte(quint8 tosByte)
{
    return tosIndex(quint8((tosByte >> 1) & 0x0F));
}

int precedenceOfByte(quint8 tosByte)
{
    return tosByte >> 5;
}

quint8 tosByte(quint8 oldByte, int tosIndex, int precedence)
{
    const int prec = precedence >= 0 && precedence < PrecedenceItems ? precedence : 0;
    return quint8((oldByte & 0x01) | (tosValue(tosIndex) << 1) | (prec << 5));
}

QString tosItemText(int index)
{
    return index >= 0 && index < TosItems ? QString::fromLatin1(kTosNames[index]) : QString();
}

quint8 dscpCode(int index)
{
    return index >= 0 && index < DscpItems ? kDscp[index].code : 0;
}

int dscpIndex(quint8 code)
{
    for (int i = 0; i < DscpItems; ++i) {
        if (kDscp[i].code == code)
            return i;
    }
    return DscpDefaultIndex;
}

const char *dscpSourceName(int index)
{
    return index >= 0 && index < DscpItems ? kDscp[index].name : "";
}

QString dscpName(int index)
{
    if (index == DscpDefaultIndex)
        return QCoreApplication::translate("HeaderSettings", kDscp[index].name);
    return QString::fromLatin1(dscpSourceName(index));
}

} // namespace Conv
