#pragma once

#include <QRegularExpression>
#include <QString>

class QLineEdit;

// The input patterns of the pages. Every pattern is anchored, so a check is
// an exact match of the whole text; the same expression guards typing (as a
// validator) and is checked again before a text is parsed.
namespace Validators {

const QRegularExpression &mac();
const QRegularExpression &ipv4();

// Anchors a pattern for an exact match.
QRegularExpression exact(const QString &pattern);

bool matches(const QRegularExpression &re, const QString &text);
inline bool isIpv4(const QString &text) { return matches(ipv4(), text); }

// Installs a validator owned by the line edit.
void install(QLineEdit *edit, const QRegularExpression &re);
inline void installMac(QLineEdit *edit) { install(edit, mac()); }
inline void installIpv4(QLineEdit *edit) { install(edit, ipv4()); }

// The field's text, after a text its validator does not accept has been
// replaced, in the field, by fallback (the built-in default of the field's
// test): how every address and pattern field is read, without a word.
QString textOrDefault(QLineEdit *edit, const QString &fallback);

// A subnet mask: a dotted IPv4 text (zero-padded octets too, as the pages
// show them) whose value is contiguous ones from the top.
void installSubnetMask(QLineEdit *edit);

} // namespace Validators
