#include "filenamedialog.h"
#include "ui_filenamedialog.h"

#include "inputcheck.h"
#include "storedname.h"

FileNameDialog::FileNameDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FileNameDialog>())
{
    ui->setupUi(this);
}

FileNameDialog::~FileNameDialog() = default;

void FileNameDialog::setLabelText(const QString &text)
{
    ui->label->setText(text);
}

QString FileNameDialog::name() const
{
    return ui->lName->text().trimmed();
}

QString FileNameDialog::problem(const QString &name)
{
    return StoredName::problem(name);
}

void FileNameDialog::accept()
{
    const QString why = problem(name());
    if (!why.isEmpty()) {
        ui->lName->setFocus();
        InputCheck::warn(this, why);
        return;
    }
    QDialog::accept();
}
