#pragma once

#include <QString>

class QLineEdit;
class QMessageBox;
class QWidget;

// The warnings of the window and the File transfer page: a field whose
// validator or input mask does not accept its text (a half-typed register
// address) is named in a warning; a name or folder that cannot be used says
// why. Page fields never warn: their bad text falls back to the built-in
// default. Warnings are shown from user actions only (a click, a choice),
// never from the engine's or a transport's handlers.
namespace InputCheck {

// A window-modal warning over parent, not waited for (so it may be shown
// from inside the engine's reply handling too); it deletes itself on close.
QMessageBox *warn(QWidget *parent, const QString &text);

// True when edit's text is acceptable; otherwise warns about it over its
// window, naming it by its accessible name or its label ("Address: "12__"
// is incomplete or invalid."), puts the focus on it and returns false.
bool confirmField(QLineEdit *edit);

} // namespace InputCheck
