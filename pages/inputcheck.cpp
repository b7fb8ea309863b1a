#include "inputcheck.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>

namespace InputCheck {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("InputCheck", text);
}

// A field hidden by the page (a header level switched off) is not in force;
// one on a tab that is not on top still is, for a page writing every tab.
bool inForce(const QLineEdit *edit, const QWidget *form, Scope scope)
{
    // A spin box's or combo box's own line is the box's business: it keeps
    // its last valid value.
    const QWidget *owner = edit->parentWidget();
    if (qobject_cast<const QAbstractSpinBox *>(owner) || qobject_cast<const QComboBox *>(owner))
        return false;
    if (!edit->isEnabledTo(form) || edit->isReadOnly())
        return false;
    if (scope == Scope::Shown)
        return edit->isVisibleTo(form);
    for (const QWidget *w = edit; w && w != form; w = w->parentWidget()) {
        if (w->isHidden() && !qobject_cast<const QStackedWidget *>(w->parentWidget()))
            return false;
    }
    return true;
}

} // namespace

QLineEdit *firstUnacceptable(QWidget *form, Scope scope)
{
    const auto edits = form->findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits) {
        if (inForce(edit, form, scope) && !edit->hasAcceptableInput())
            return edit;
    }
    return nullptr;
}

QString fieldName(const QLineEdit *edit)
{
    QString name = edit->accessibleName();
    if (name.isEmpty()) {
        const auto labels = edit->window()->findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            if (label->buddy() == edit) {
                name = label->text();
                break;
            }
        }
    }
    name.remove(u'&');
    name = name.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name;
}

QString problemText(const QLineEdit *edit)
{
    // text() leaves out an input mask's blanks.
    if (edit->text().trimmed().isEmpty())
        return tr("%1 is empty.\nFill it in and try again.").arg(fieldName(edit));
    return tr("%1: \"%2\" is incomplete or invalid.\nCorrect it and try again.")
        .arg(fieldName(edit), edit->displayText());
}

QMessageBox *warn(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

bool confirmField(QLineEdit *edit)
{
    if (edit->hasAcceptableInput())
        return true;
    edit->setFocus();
    warn(edit->window(), problemText(edit));
    return false;
}

bool confirm(QWidget *form, Scope scope)
{
    QLineEdit *bad = firstUnacceptable(form, scope);
    return !bad || confirmField(bad);
}

} // namespace InputCheck
