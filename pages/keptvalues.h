#pragma once

#include <QtGlobal>

class QComboBox;
class QSpinBox;
class QTimeEdit;

// A widget shows a received field only within its range. A value it cannot
// show goes back to the tester unchanged unless the user has changed the
// widget since: Apply never rewrites what nobody edited.
namespace Kept {

// Shows a received value in the spin box (clamped to its range) and
// remembers what it showed.
void showSpin(QSpinBox *box, qint64 received);
// The spin box's value, or received if it still shows what showSpin put
// there: a clamp the user did not touch is not written back. A range that
// changes later (other units) counts as a change.
quint32 spinValue(const QSpinBox *box, quint32 received);
// The combo's index, or received while the combo shows no item (a code it
// has no item for).
quint8 comboValue(const QComboBox *box, quint8 received);
// Shows a code in the combo: no item for a code it cannot show.
void showCombo(QComboBox *box, quint32 code);
// Shows seconds in the time edit (HH:MM:SS), clamped to what it can show:
// a longer duration shows as 23:59:59 rather than wrapping past midnight.
void showDuration(QTimeEdit *edit, quint32 seconds);
// The seconds the time edit shows.
quint32 durationOf(const QTimeEdit *edit);
// Seconds of the time edit, or received if it still shows its clamp.
quint32 durationValue(const QTimeEdit *edit, quint32 received);

} // namespace Kept
