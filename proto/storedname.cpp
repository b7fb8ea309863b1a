#include "storedname.h"

#include "packet.h"

#include <QCoreApplication>

namespace {

// The request carries the name up to the packet's CRC byte with a zero
// byte after it; the tester lists it again with a '$' in front.
constexpr int kMaxName = Packet::CrcOffset - Packet::PayloadOffset - 2;

// Names travel as single bytes: printable ASCII, without the signs that
// separate folders or are wildcards in file systems.
bool storable(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7F && !QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

QString StoredName::problem(const QString &name)
{
    if (name.isEmpty())
        return QCoreApplication::translate("FileNameDialog", "Type the name to save the settings under.");
    if (name.size() > kMaxName)
        return QCoreApplication::translate("FileNameDialog", "The name has %1 characters; the tester stores at most %2.")
            .arg(name.size())
            .arg(kMaxName);
    for (const QChar c : name) {
        if (!storable(c))
            return QCoreApplication::translate("FileNameDialog",
                                               "The tester cannot store \"%1\" in a file name: use Latin letters, "
                                               "digits, blanks and signs other than / \\ : * ? \" < > |.")
                .arg(c);
    }
    return {};
}
