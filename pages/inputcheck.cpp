#include "inputcheck.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace InputCheck {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("InputCheck", text);
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

} // namespace

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

} // namespace InputCheck
