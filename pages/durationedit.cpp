#include "durationedit.h"

#include <QTimeEdit>

namespace {
constexpr quint32 kDayLastSecond = 24 * 3600 - 1;
}

void showDuration(QTimeEdit *edit, quint32 seconds)
{
    edit->setTime(QTime(0, 0).addSecs(int(qMin(seconds, kDayLastSecond))));
}

quint32 durationOf(const QTimeEdit *edit)
{
    const QTime t = edit->time();
    return quint32(t.hour() * 3600 + t.minute() * 60 + t.second());
}
