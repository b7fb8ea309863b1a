#pragma once

#include <QDialog>

namespace Ui {
class AboutDialog;
}

// The About box: who made the program and which version it is.
class AboutDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    Ui::AboutDialog *ui = nullptr;
};
