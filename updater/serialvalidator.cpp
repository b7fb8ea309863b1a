#include "serialvalidator.h"

QValidator::State SerialValidator::validate(QString &input, int &pos) const
{
    if (pos >= 0 && pos < input.size() && input.at(pos) == u' ')
        input[pos] = u'0';
    fixup(input);
    return Intermediate;
}

void SerialValidator::fixup(QString &input) const
{
    input.remove(u' ');
    while (input.size() < kDigits)
        input.prepend(u'0');
}
