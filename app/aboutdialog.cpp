#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "qvversion.h"

#include <QPushButton>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    ui->label_5->setText(QStringLiteral(QV_VERSION));
    connect(ui->bClose, &QPushButton::clicked, this, &AboutDialog::close);
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
