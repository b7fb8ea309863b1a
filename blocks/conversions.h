#pragma once

#include "block.h"

#include <QString>

// Text forms of block fields, shared by the pages, the report writer and
// qvsim so that all three show a field the same way.
namespace Conv {

constexpr std::size_t MacSize = 6;

// "00:1a:2b:3c:4d:5e": six bytes, transmission order, lower-case hex.
QString macToText(const quint8 *mac);
// Parts split at ':' or '-', each parsed as hex into one byte, in order;
// at most six parts are taken. An empty text leaves the field unchanged.
void textToMac(const QString &text, quint8 *mac);

// "192.168.001.010": most significant byte first, three digits per octet.
// lsbFirst prints the least significant byte first, for addresses held in
// transmission order.
QString ipToText(quint32 ip, bool lsbFirst = false);
// Parts split at '.', each decimal (leading zeros are not octal), shifted
// into the bytes from the most significant down; an empty text gives 0.
quint32 textToIp(const QString &text);

// "HH:MM:SS"; the hours grow beyond two digits when they need to.
QString durationText(quint64 seconds);

// Brings a number text to at least three decimals: "5" -> "5.000",
// "1.25" -> "1.250"; longer fractions stay as they are.
QString padDecimals(QString number);

// "de ad be ef ": each of the four bytes as two hex digits and one blank.
QString hexBytes(const quint8 *four);

// The ToS byte of an IPv4 header as the header-settings widgets edit it:
// precedence in bits 7..5, one of five ToS values in bits 4..1, and bit 0
// carried over from the old byte.
constexpr int TosItems = 5;
constexpr quint8 TosValueBits = 0x1E; // bits 4..1 of the ToS byte
constexpr int PrecedenceItems = 8;
// Combo index 0..4 -> 4-bit ToS value 0, 1, 2, 4, 8; other indexes give 0.
quint8 tosValue(int index);
// 4-bit ToS value -> combo index. A value the combo cannot show (two bits
// set, or above 8) selects index 0, which writes 0 back.
int tosIndex(quint8 value);
int tosIndexOfByte(quint8 tosByte);
int precedenceOfByte(quint8 tosByte);
quint8 tosByte(quint8 oldByte, int tosIndex, int precedence);
// Item texts of the ToS and precedence combos (not translated).
QString tosItemText(int index);

// DSCP codes in the order of the DSCP combo.
constexpr int DscpItems = 21;
constexpr int DscpDefaultIndex = 19;
// Code of combo index; indexes outside the table give 0.
quint8 dscpCode(int index);
// Combo index of a 6-bit code; a code not in the table selects the
// "default ( 000000 )" item.
int dscpIndex(quint8 code);
inline int dscpIndexOfByte(quint8 dsByte) { return dscpIndex(quint8(dsByte >> 2)); }
inline quint8 dsByte(int index) { return quint8(dscpCode(index) << 2); }
// Item text, translated where it is translatable (only the default item).
QString dscpName(int index);
// The untranslated source text (translation context "HeaderSettings").
const char *dscpSourceName(int index);

template <std::size_t N>
QString macToText(const Block<N> &b, std::size_t offset)
{
    Q_ASSERT(offset + MacSize <= N);
    return macToText(b.data() + offset);
}
template <std::size_t N>
void textToMac(const QString &text, Block<N> &b, std::size_t offset)
{
    Q_ASSERT(offset + MacSize <= N);
    textToMac(text, b.data() + offset);
}

} // namespace Conv
