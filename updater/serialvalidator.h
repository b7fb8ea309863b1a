#pragma once

#include <QValidator>

// Keeps the masked serial-number field at five digits: a blank typed or
// left by a deletion becomes a zero at the front, so the number stays
// right-aligned as the user edits it.
class SerialValidator final : public QValidator
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SerialValidator)

public:
    static constexpr int kDigits = 5;

    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};
