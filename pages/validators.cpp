#include "validators.h"

#include "conversions.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Validators {

namespace {
const char kMac[] = "^([0-9A-Fa-f]{2}[:-]){5}([0-9A-Fa-f]{2})$";
const char kIpv4[] = "^(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\\."
                     "(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\\."
                     "(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\\."
                     "(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])$";
} // namespace

QRegularExpression exact(const QString &pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

const QRegularExpression &mac()
{
    static const QRegularExpression re = exact(QString::fromLatin1(kMac));
    return re;
}

const QRegularExpression &ipv4()
{
    static const QRegularExpression re = exact(QString::fromLatin1(kIpv4));
    return re;
}

bool matches(const QRegularExpression &re, const QString &text)
{
    return re.match(text).hasMatch();
}

void install(QLineEdit *edit, const QRegularExpression &re)
{
    if (edit)
        edit->setValidator(new QRegularExpressionValidator(re, edit));
}

QString textOrDefault(QLineEdit *edit, const QString &fallback)
{
    if (!edit->hasAcceptableInput())
        edit->setText(fallback);
    return edit->text();
}

namespace {
bool contiguous(quint32 mask)
{
    const quint32 hostBits = ~mask;
    return (hostBits & (hostBits + 1)) == 0;
}

// Typing goes as for any IPv4 text; a complete address that is no mask is
// not yet acceptable.
class SubnetMaskValidator final : public QRegularExpressionValidator
{
public:
    explicit SubnetMaskValidator(QObject *parent)
        : QRegularExpressionValidator(ipv4(), parent)
    {
    }
    State validate(QString &input, int &pos) const override
    {
        const State s = QRegularExpressionValidator::validate(input, pos);
        return s == Acceptable && !contiguous(Conv::textToIp(input)) ? Intermediate : s;
    }
};
} // namespace

void installSubnetMask(QLineEdit *edit)
{
    if (edit)
        edit->setValidator(new SubnetMaskValidator(edit));
}

} // namespace Validators
