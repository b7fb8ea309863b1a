#include "keptvalues.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTimeEdit>

namespace Kept {

namespace {
quint32 seconds(const QTime &t)
{
    return quint32(t.hour() * 3600 + t.minute() * 60 + t.second());
}
} // namespace

quint32 durationOf(const QTimeEdit *edit)
{
    return seconds(edit->time());
}

constexpr const char *kShown = "keptShown";

void showSpin(QSpinBox *box, qint64 received)
{
    box->setValue(int(qBound(qint64(box->minimum()), received, qint64(box->maximum()))));
    box->setProperty(kShown, box->value());
}

quint32 spinValue(const QSpinBox *box, quint32 received)
{
    const QVariant shown = box->property(kShown);
    return shown.isValid() && box->value() == shown.toInt() ? received : quint32(box->value());
}

quint8 comboValue(const QComboBox *box, quint8 received)
{
    return box->currentIndex() < 0 ? received : quint8(box->currentIndex());
}

void showCombo(QComboBox *box, quint32 code)
{
    box->setCurrentIndex(code < quint32(box->count()) ? int(code) : -1);
}

quint32 durationValue(const QTimeEdit *edit, quint32 received)
{
    const quint32 shown = qMin(received, seconds(edit->maximumTime()));
    const quint32 now = durationOf(edit);
    return now == shown ? received : now;
}

void showDuration(QTimeEdit *edit, quint32 value)
{
    edit->setTime(QTime(0, 0).addSecs(int(qMin(value, seconds(edit->maximumTime())))));
}

} // namespace Kept
