#pragma once

#include <QtGlobal>

class QTimeEdit;

// The pages' duration editors: a QTimeEdit showing a block's seconds as
// HH:MM:SS. The editor ends at 23:59:59; a longer duration from the tester
// shows as that and is written back as that, rather than wrapping past
// midnight.
void showDuration(QTimeEdit *edit, quint32 seconds);
quint32 durationOf(const QTimeEdit *edit);
