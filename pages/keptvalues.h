#pragma once

#include <QtGlobal>

class QComboBox;
class QSpinBox;
class QTimeEdit;

// A widget shows a received field only within its range. A value it cannot
// show goes back to the tester unchanged unless the user has changed the
// widget since: Apply never rewrites what nobody edited.
namespace Kept {

// The spin box's value, or received if the box still shows its clamp.
quint32 spinValue(const QSpinBox *box, quint32 received);
// The combo's index, or received while the combo shows no item (a code it
// has no item for).
quint8 comboValue(const QComboBox *box, quint8 received);
// Shows a code in the combo: no item for a code it cannot show.
void showCombo(QComboBox *box, quint32 code);
// Seconds of the time edit, or received if it still shows its clamp.
quint32 durationValue(const QTimeEdit *edit, quint32 received);
// Shows seconds in the time edit, clamped to what it can show.
void showDuration(QTimeEdit *edit, quint32 seconds);

} // namespace Kept
