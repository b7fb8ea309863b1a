#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FileNameDialog;
}

// Asks for the name a settings file is saved under: one label, one line,
// OK and Cancel, at a fixed size. The page gives the label its text. A name
// the tester cannot store is refused with a warning, and the dialog stays
// open with it for correction.
class FileNameDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileNameDialog)

public:
    explicit FileNameDialog(QWidget *parent = nullptr);
    ~FileNameDialog() override;

    void setLabelText(const QString &text);
    // The name typed, without blanks at either end.
    QString name() const;
    // What keeps the tester from storing a settings file under name, or
    // an empty text.
    static QString problem(const QString &name);

public Q_SLOTS:
    void accept() override;

private:
    std::unique_ptr<Ui::FileNameDialog> ui;
};
