#pragma once

#include <QString>

class QLineEdit;
class QMessageBox;
class QWidget;

// What the user typed is checked before it is acted on: a line edit whose
// validator or input mask does not accept its text (a half-typed address,
// "300.1.1.1", an empty host name) is named in a warning, and nothing is
// taken from the form. Warnings are shown from user actions only (a click,
// a choice), never from the engine's or a transport's handlers.
namespace InputCheck {

enum class Scope {
    Shown,   // what shows with the form: a page that writes its current tab
    AllTabs, // also fields on tabs not on top: a page that writes every tab
};

// The first field under form the user can edit (enabled, not read-only,
// not hidden by the page) whose text is not acceptable; null if none.
QLineEdit *firstUnacceptable(QWidget *form, Scope scope = Scope::Shown);

// The field's caption: its accessible name, else the text of the label
// whose buddy it is, without mnemonic or colon.
QString fieldName(const QLineEdit *edit);

// "Name: "text" is incomplete or invalid." (or "Name is empty.").
QString problemText(const QLineEdit *edit);

// A window-modal warning over parent, not waited for (so it may be shown
// from inside the engine's reply handling too); it deletes itself on close.
QMessageBox *warn(QWidget *parent, const QString &text);

// True when edit's text is acceptable; otherwise warns about it over its
// window, puts the focus on it and returns false.
bool confirmField(QLineEdit *edit);
// The same for every field of form.
bool confirm(QWidget *form, Scope scope = Scope::Shown);

} // namespace InputCheck
