#pragma once

#include <QByteArray>
#include <QWidget>

namespace Ui {
class DebugForm;
}

// Top-level window that accumulates the tester's free text from the serial
// link; shown only with "-dev".
class DebugForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DebugForm)

public:
    explicit DebugForm(QWidget *parent = nullptr);
    ~DebugForm() override;

    // Sets the title again in the language installed now.
    void retranslate();

public Q_SLOTS:
    void show_debug(const QByteArray &text);

private:
    Ui::DebugForm *ui;
};
