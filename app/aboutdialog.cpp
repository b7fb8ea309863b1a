#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QPushButton>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    connect(ui->bClose, &QPushButton::clicked, this, &AboutDialog::close);
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
