#include "filenamedialog.h"
#include "ui_filenamedialog.h"

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
